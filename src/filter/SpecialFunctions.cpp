#include "filter/SpecialFunctions.h"

#include <cstring>
#include <memory>
#include <string_view>

#include "filter/FilterModule.h"
#include "rtl/BoundedText.h"
#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"
#include "rtl/TextLoss.h"
#include "rtl/VariantConvert.h"
#include "rtl/VariantOps.h"
#include "runtime/fsMethodHelper.h"

namespace filter {

const char* const kSpecialNames[22] = {
    "SETVARIABLE",       "NEWROW",          "GETVARIABLE",   "GETVARIABLEDEF",         "GETVARIABLECOUNT",
    "GETVARIABLEBYINDEX", "GETVARIABLENAMEBYINDEX", "PUSHVARIABLE", "POPVARIABLE",  "DELETEVARIABLE",
    "DISCARDDATAPACKET", "ISVARIABLEDEFINED", "ISVARIABLEDEFINEDVALID", "ISVARIABLESTORED", "DBGLOG",
    "SENDDATA",          "SENDDATATODATASOURCE", "SENDSTRING", "SENDBYTE",               "SENDEVENT",
    "SENDEVENTEX",       "REDIRECTDATA"};

namespace {

// Names, data for the host and log lines are 8-bit text: a wide argument that loses
// characters on the way is reported as lost by the routine.
std::string Text(const rtl::Variant& v, std::string_view routine) { return rtl::VarToAnsiStringIn(v, routine).str(); }
// A variable name: the text shares the argument's string where it is one.
rtl::AnsiString NameOf(const rtl::Variant& v, std::string_view routine) { return rtl::VarToAnsiStringIn(v, routine); }

// The callbacks a host did not export are a run-time error of the script.
template <class F>
F Callback(F f, const char* name) {
  if (!f) throw rtl::Exception(std::string("The host does not provide ") + name);
  return f;
}

std::uint32_t SourceIdOf(const TaPlugin& p) { return p.CallRec() ? p.CallRec()->SourceId : 0; }

// A text for the log or an event's name: bounded, and shared rather than copied first.
std::string MessageText(const rtl::Variant& v, std::string_view routine) {
  return rtl::BoundedText(rtl::VarToAnsiStringIn(v, routine).view());
}

// An event's text value is data for the host, so it may be longer than a message; past
// that it is cut and marked like one, so that a huge value neither fails the row nor
// fills the event queue.
constexpr std::size_t kMaxEventText = 65536;

rtl::Variant EventValue(const rtl::Variant& v) {
  if (v.VarType() == rtl::varString && rtl::IsOverBound(v.AsAnsiStringRaw().Length(), kMaxEventText))
    return rtl::Variant(rtl::AnsiString(rtl::BoundedText(v.AsAnsiStringRaw().view(), kMaxEventText)));
  if (v.VarType() == rtl::varOleStr && rtl::IsOverBound(v.AsOleStrRaw().size(), kMaxEventText))
    return rtl::Variant(std::u16string_view(rtl::BoundedText(v.AsOleStrRaw(), kMaxEventText)));
  return v;
}

void QueueEvent(TaPlugin& p, const rtl::Variant& name, const rtl::Variant* pairs, std::string_view routine) {
  std::unique_ptr<orb::TorbParamsList> args(new orb::TorbParamsList());
  if (pairs && pairs->IsArray()) {
    const rtl::VarArray* a = pairs->AsArrayRaw();
    const std::int64_t high = a ? static_cast<std::int64_t>(a->Bounds[0].LowBound) + a->Bounds[0].ElementCount - 1 : -1;
    const rtl::Variant* items = a ? rtl::VarArrayData(a) : nullptr;
    // Name, value, name, value ...; a last name without a value is ignored.
    for (std::int64_t i = 0; i < high; i += 2)
      args->Add(MessageText(items[i], routine), EventValue(items[i + 1]));
  }
  p.AddEvent(false, MessageText(name, routine), args.get());
}

}  // namespace

std::int32_t DataSourceId(const std::string& name) {
  if (name.compare(0, 3, "COM") == 0) {
    const std::string digits = name.substr(3);
    if (digits.empty() || digits.size() > 9) return 0;
    for (char c : digits)
      if (c < '0' || c > '9') return 0;
    return static_cast<std::int32_t>(std::stoul(digits));
  }
  const std::string lower = rtl::AnsiLowerCase(name).str();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : lower) {
    crc ^= c;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return static_cast<std::int32_t>(crc & 0x7FFFFFFFu);
}

void DispatchSpecial(TaPlugin& p, const std::string& name, const fs::TfsMethodHelper& caller,
                     rtl::Variant& result) {
  static const rtl::Variant kEmpty;
  // Compared as views: lengths first, so most names are told apart without a byte compare.
  const std::string_view n = name;
  const int argCount = caller.ParamCount();
  auto P = [&](int i) -> const rtl::Variant& { return i < argCount ? caller.ArgumentValue(i) : kEmpty; };
  // The routine a lost character is reported against.
  const std::string_view routine = caller.Name();
  TWorkingRow* row = p.Row();
  TStoredVariables* stored = p.Stored();
  if (!row || !stored) return;

  if (n == "SETVARIABLE") {
    row->Write(NameOf(P(0), routine).view(), P(1));
  } else if (n == "NEWROW") {
    if (orb::TorbRowsParamsList* out = p.Out()) out->AppendRow(row);
    while (row->Count() > row->RowBase) row->Remove(row->RowBase);
  } else if (n == "GETVARIABLE" || n == "GETVARIABLEDEF") {
    result.Clear();
    if (const orb::TorbParamsListItem* item = row->ItemByName(NameOf(P(0), routine).view())) TWorkingRow::ReadValue(*item, result);
    if (n == "GETVARIABLEDEF" && result.IsEmptyOrNull()) result = P(1);
  } else if (n == "GETVARIABLECOUNT") {
    result = rtl::Variant(row->Count());
  } else if (n == "GETVARIABLEBYINDEX" || n == "GETVARIABLENAMEBYINDEX") {
    const std::int32_t i = rtl::VarToInt32(P(0));
    const orb::TorbParamsListItem* item = row->Items(i);
    if (!item)
      result = rtl::Variant::Null();
    else if (n == "GETVARIABLEBYINDEX")
      TWorkingRow::ReadValue(*item, result);
    else
      result = rtl::Variant(item->Name);
  } else if (n == "PUSHVARIABLE") {
    stored->Push(NameOf(P(0), routine).view(), P(1));
  } else if (n == "POPVARIABLE") {
    result.Clear();
    if (const orb::TorbParamsListItem* item = stored->Find(NameOf(P(0), routine).view())) result = item->Value;
  } else if (n == "DELETEVARIABLE") {
    const std::int32_t i = row->IndexOfName(NameOf(P(0), routine).view());
    if (i >= 0) row->Remove(i);
  } else if (n == "DISCARDDATAPACKET") {
    p.RequestDiscard(Text(P(0), routine), rtl::VarToBool(P(1)));
  } else if (n == "ISVARIABLEDEFINED") {
    result = rtl::Variant(row->IndexOfName(NameOf(P(0), routine).view()) >= 0);
  } else if (n == "ISVARIABLEDEFINEDVALID") {
    const orb::TorbParamsListItem* item = row->ItemByName(NameOf(P(0), routine).view());
    rtl::Variant value;
    if (item) TWorkingRow::ReadValue(*item, value);
    result = rtl::Variant(item != nullptr && !value.IsEmptyOrNull());
  } else if (n == "ISVARIABLESTORED") {
    result = rtl::Variant(stored->Find(NameOf(P(0), routine).view()) != nullptr);
  } else if (n == "DBGLOG") {
    std::int32_t level = rtl::VarToInt32(P(1));
    if (level < 0 || level > 2) level = 2;
    p.AddLog(level, MessageText(P(0), routine));
  } else if (n == "SENDDATA") {
    result = rtl::Variant(false);
    const std::string s = Text(P(0), routine);
    if (s.empty()) return;
    result = rtl::Variant(Callback(p.fSendData, "fSendData")(p.FModuleIndex, 0, SourceIdOf(p), s.data(),
                                                            static_cast<std::int32_t>(s.size())));
  } else if (n == "SENDDATATODATASOURCE") {
    result = rtl::Variant(false);
    const std::string source = Text(P(0), routine);
    if (source.empty()) return;
    const std::int32_t id = DataSourceId(source);
    const std::string s = Text(P(1), routine);
    if (s.empty()) return;
    result = rtl::Variant(
        Callback(p.fSendData, "fSendData")(0, id, SourceIdOf(p), s.data(), static_cast<std::int32_t>(s.size())));
  } else if (n == "SENDSTRING") {
    const std::string s = Text(P(0), routine);
    result = rtl::Variant(
        Callback(p.fSendString, "fSendString")(p.FModuleIndex, 0, SourceIdOf(p), s.empty() ? nullptr : s.c_str()));
  } else if (n == "SENDBYTE") {
    const std::int32_t b = rtl::VarToInt32(rtl::VarBinaryOp(P(0), rtl::Variant::FromByte(255), rtl::TVarOp::And));
    result = rtl::Variant(Callback(p.fSendByte, "fSendByte")(p.FModuleIndex, 0, SourceIdOf(p),
                                                            static_cast<std::uint32_t>(b)));
  } else if (n == "SENDEVENT" || n == "SENDEVENTEX") {
    QueueEvent(p, P(0), argCount > 1 ? &P(1) : nullptr, routine);
  } else if (n == "REDIRECTDATA") {
    std::unique_ptr<orb::TorbParamsList> args(new orb::TorbParamsList());
    args->Add("CFG", P(0));
    args->AddFrom(row);
    p.AddEvent(false, "REDIRECT-TO-CFG", args.get());
  }
}

}  // namespace filter
