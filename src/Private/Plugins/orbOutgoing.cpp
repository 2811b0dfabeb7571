// How a module talks back to the host: log lines (queued or pushed), events, and
// messages to the host window.
#include <string>

#include "Private/Plugins/orbParams.h"
#include "Private/Plugins/orbPluginModule.h"
#include "platform/HostWindow.h"
#include "rtl/BoundedText.h"
#include "rtl/CodePage.h"
#include "rtl/VariantConvert.h"

namespace orb {

namespace {
constexpr std::uint32_t kLogWaiting = 0x711;
constexpr std::uint32_t kEventsWaiting = 0x713;
constexpr std::uint32_t kSendTimeoutMs = 1000;
constexpr std::uintptr_t kCopyBlock = 1;
constexpr std::uintptr_t kCopyLine = 2;
constexpr std::int32_t kMaxQueuedEventItems = 20000;
}  // namespace

std::string TorbPlugin::FormatLogLine(int Level, std::string_view Text) const {
  std::string line(1, static_cast<char>(Level + 1));
  if (!LogTitle.IsEmpty()) {
    line += LogTitle.view();
    line += ". ";
  }
  const std::string bounded = rtl::IsOverBound(Text.size()) ? rtl::BoundedText(Text) : std::string();
  if (!bounded.empty()) Text = bounded;
  line.reserve(line.size() + Text.size());
  for (char c : Text) line += (c == '\r' || c == '\n') ? ' ' : c;
  return line;
}

void TorbPlugin::AddLog(int Level, std::string_view Text) {
  try {
    if (!FMessageWindow) return;
    FLog.Add(FormatLogLine(Level, Text));
    PostToHost(kLogWaiting, 0);
  } catch (...) {
  }
}

void TorbPlugin::SendLog(int Level, std::string_view Text) {
  try {
    if (!FMessageWindow) return;
    std::string block = FLog.TakeText();
    if (!block.empty() && !platform::SendCopyData(FMessageWindow, FModuleIndex, kCopyBlock, block.data(),
                                                  static_cast<std::uint32_t>(block.size()), kSendTimeoutMs)) {
      // The host did not take the block: keep it, queue the new line and notify.
      FLog.SetText(block);
      AddLog(Level, Text);
      return;
    }
    std::string line = FormatLogLine(Level, Text);
    if (!platform::SendCopyData(FMessageWindow, FModuleIndex, kCopyLine, line.data(),
                                static_cast<std::uint32_t>(line.size()), kSendTimeoutMs))
      AddLog(Level, Text);
  } catch (...) {
  }
}

void TorbPlugin::PostToHost(std::uint32_t Msg, std::intptr_t LParam) {
  if (!FMessageWindow) return;
  if (!platform::PostToWindow(FMessageWindow, Msg, FModuleIndex, LParam))
    platform::SendToWindow(FMessageWindow, Msg, FModuleIndex, LParam, kSendTimeoutMs);
}

void TorbPlugin::AddEvent(bool Global, const std::string& EventType, const TorbParamsList* Params) {
  {
    std::lock_guard guard(FOutputLock);
    if (!FEvents) return;
    if (FEvents->Count() > kMaxQueuedEventItems) FEvents->Clear();
    bool global = Global;
    rtl::Variant g;
    if (Params) {
      Params->ReadValue("EVENT-GLOBAL", 0, g);
      if (!g.IsEmptyOrNull()) global = rtl::VarToBool(g);
    }
    if (global) FEvents->Add("EVENT-GLOBAL", rtl::Variant(true));
    FEvents->Add("EVENT-TYPE", OleText(rtl::AnsiUpperCase(EventType).view()));
    FEvents->AddFrom(Params);
    FEvents->AddRowMarker();
  }
  PostToHost(kEventsWaiting, 0);
}

}  // namespace orb
