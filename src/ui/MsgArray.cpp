#include "ui/MsgArray.h"

#include <vector>

#include "platform/SystemCaptions.h"
#include "rtl/CodePage.h"

namespace ui {

namespace {

constexpr std::string_view kSeparator = "||";
constexpr int kFieldCount = 9;

[[maybe_unused]] const rtl::TClassInfo& kRegistered = TMsgArray::StaticClassInfo();

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (fields.size() < kFieldCount) {
    std::size_t pos = line.find(kSeparator, start);
    if (pos == std::string_view::npos) {
      fields.emplace_back(line.substr(start));
      break;
    }
    fields.emplace_back(line.substr(start, pos - start));
    start = pos + kSeparator.size();
  }
  fields.resize(kFieldCount);
  return fields;
}

std::string Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(b, e - b));
}

std::string NormalisedState(std::string_view s) { return s == "N" || s == "Y" ? std::string(s) : std::string("D"); }

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  for (std::size_t pos = s.find(from); pos != std::string::npos; pos = s.find(from, pos + to.size()))
    s.replace(pos, from.size(), to);
}

std::string Upper(std::string_view s) { return rtl::AnsiUpperCase(s).str(); }

}  // namespace

const std::array<const char*, 12> TMsgArray::DefaultButtonCaptions = {
    "&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&All", "N&o to All", "Yes to &All", "&Help", "Unknown"};

const rtl::TClassInfo& TMsgArray::StaticClassInfo() {
  using M = TMsgArray;
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<M>("TMsgArray", &rtl::TComponent::StaticClassInfo())
          .Property("MessagesArray", &M::MessagesArray, &M::SetMessagesArray)
          .Property("MessagesText", &M::MessagesText, &M::SetMessagesText)
          .Property("MessagesCaption", &M::MessagesCaption, &M::SetMessagesCaption)
          .Property("DontShowAgainText", &M::DontShowAgainText, &M::SetDontShowAgainText)
          .Property("LastDialogsResult", &M::LastDialogsResult, &M::SetLastDialogsResult)
          .Property("ButtonCaptions", &M::ButtonCaptions, &M::SetButtonCaptions)
          .Property("AgainCheckCaption", &M::AgainCheckCaption, &M::AgainCheckCaption)
          .Property("InformationCaption", &M::InformationCaption, &M::InformationCaption)
          .Property("WarningCaption", &M::WarningCaption, &M::WarningCaption)
          .Property("ErrorCaption", &M::ErrorCaption, &M::ErrorCaption)
          .Property("QuestionCaption", &M::QuestionCaption, &M::QuestionCaption)
          .Property("UseSystemCaptions", &M::UseSystemCaptions, &M::SetUseSystemCaptions)
          .Event("OnHelp", "TMsgArrayEvent", &M::OnHelp, &M::OnHelp)
          .Event("OnClose", "TMsgArrayEvent", &M::OnClose, &M::OnClose)
          .Event("OnShow", "TMsgArrayEvent", &M::OnShow, &M::OnShow)
          .Event("OnCustomButtonClick", "TMsgArrayEvent", &M::OnCustomButtonClick, &M::OnCustomButtonClick)
          .Event("OnButtonCreate", "TMsgArrayEvent", &M::OnButtonCreate, &M::OnButtonCreate);
  return info;
}

rtl::TStringList* TMsgArray::NewList(void (TMsgArray::*onChange)()) {
  rtl::TStringList* list = rtl::CreateObject<rtl::TStringList>();
  if (onChange) list->SetOnChange([this, onChange](rtl::TObject*) { (this->*onChange)(); });
  return list;
}

TMsgArray::TMsgArray(rtl::TComponent* owner) : TComponent(owner) {
  FMessagesArray = NewList(&TMsgArray::ArrayChanged);
  FMessagesText = NewList(&TMsgArray::DerivedChanged);
  FMessagesCaption = NewList(&TMsgArray::DerivedChanged);
  FDontShowAgainText = NewList(&TMsgArray::DerivedChanged);
  FLastDialogsResult = NewList(&TMsgArray::DerivedChanged);
  FButtonCaptions = NewList(nullptr);
  for (const char* caption : DefaultButtonCaptions) FButtonCaptions->Add(caption);
}

TMsgArray::~TMsgArray() {
  for (rtl::TStringList* list :
       {FMessagesArray, FMessagesText, FMessagesCaption, FDontShowAgainText, FLastDialogsResult, FButtonCaptions}) {
    list->SetOnChange(nullptr);
    rtl::FreeObject(list);
  }
}

void TMsgArray::Loaded() {
  TComponent::Loaded();
  if (FUseSystemCaptions) ApplyButtonCaptions();
}

// The derived lists follow the table.
void TMsgArray::ArrayChanged() {
  if (FSyncing) return;
  FSyncing = true;
  try {
    for (rtl::TStringList* list : {FMessagesText, FMessagesCaption, FDontShowAgainText, FLastDialogsResult}) list->Clear();
    for (int i = 0; i < FMessagesArray->Count(); ++i) {
      std::vector<std::string> f = SplitFields(FMessagesArray->Strings(i).view());
      FMessagesText->Add(f[1]);
      FMessagesCaption->Add(f[2]);
      FDontShowAgainText->Add(NormalisedState(f[4]));
      FLastDialogsResult->Add(f[7]);
    }
  } catch (...) {
    FSyncing = false;
    throw;
  }
  FSyncing = false;
  RebuildIndex();
}

// The table follows a derived list, position by position.
void TMsgArray::DerivedChanged() {
  if (FSyncing) return;
  FSyncing = true;
  try {
    for (int i = 0; i < FMessagesArray->Count(); ++i) {
      std::vector<std::string> f = SplitFields(FMessagesArray->Strings(i).view());
      if (i < FMessagesText->Count()) f[1] = FMessagesText->Strings(i).str();
      if (i < FMessagesCaption->Count()) f[2] = FMessagesCaption->Strings(i).str();
      if (i < FDontShowAgainText->Count()) f[4] = NormalisedState(FDontShowAgainText->Strings(i).view());
      if (i < FLastDialogsResult->Count()) f[7] = FLastDialogsResult->Strings(i).str();
      std::string line;
      for (int n = 0; n < 8; ++n) (line += f[static_cast<std::size_t>(n)]) += kSeparator;
      FMessagesArray->SetStrings(i, line);
    }
  } catch (...) {
    FSyncing = false;
    throw;
  }
  FSyncing = false;
  RebuildIndex();
}

void TMsgArray::RebuildIndex() {
  FIndex.clear();
  for (int i = 0; i < FMessagesArray->Count(); ++i)
    FIndex.emplace(Upper(Trim(SplitFields(FMessagesArray->Strings(i).view())[0])), i);
}

std::string TMsgArray::GetMessageField(int field, const std::string& id, const std::string& def, bool quiet) const {
  auto it = FIndex.find(Upper(Trim(id)));
  if (it == FIndex.end() || it->second >= FMessagesArray->Count()) {
    if (quiet) return def;
    throw EMsgArrayError("Invalid message ID [" + id + "]");
  }
  if (field < 0 || field >= kFieldCount) return {};
  return SplitFields(FMessagesArray->Strings(it->second).view())[static_cast<std::size_t>(field)];
}

std::string TMsgArray::GetMessageText(const std::string& id) const {
  std::string text = Trim(GetMessageField(1, id, "", false));
  ReplaceAll(text, "%0D%0A", "\r\n");
  ReplaceAll(text, "%0D", "\r");
  ReplaceAll(text, "%0A", "\n");
  return text;
}

void TMsgArray::SetUseSystemCaptions(bool value) {
  if (FUseSystemCaptions == value) return;
  FUseSystemCaptions = value;
  if (!HasState(rtl::csLoading)) ApplyButtonCaptions();
}

void TMsgArray::ApplyButtonCaptions() {
  FButtonCaptions->Clear();
  for (const char* caption : DefaultButtonCaptions) FButtonCaptions->Add(caption);
  if (!FUseSystemCaptions) return;
  const auto& system = platform::SystemButtonCaptions();
  for (int slot = 0; slot < 12; ++slot)
    if (!system[static_cast<std::size_t>(slot)].empty()) FButtonCaptions->SetStrings(slot, system[static_cast<std::size_t>(slot)]);
}

}  // namespace ui
