#include "compare/RowFilterCase.h"

#include <cmath>

#include "Public/Common/orbParamLst.h"
#include "compare/RowCompare.h"
#include "rtl/VariantConvert.h"

namespace compare {

const char* const kFilterPascal =
    "var\n"
    "  Scaled: Extended;\n"
    "begin\n"
    "  Scaled := GetVariable('Value') * GetVariable('Gain');\n"
    "  if Scaled < 700 then\n"
    "    DiscardDataPacket('', True)\n"
    "  else begin\n"
    "    SetVariable('Scaled', Scaled);\n"
    "    SetVariable('Label', GetVariable('Name') + '_hi');\n"
    "  end;\n"
    "end.";

const char* const kFilterJScript =
    "var scaled = GetVariable(\"Value\") * GetVariable(\"Gain\");\n"
    "if (scaled < 700)\n"
    "  DiscardDataPacket(\"\", true);\n"
    "else {\n"
    "  SetVariable(\"Scaled\", scaled);\n"
    "  SetVariable(\"Label\", GetVariable(\"Name\") + \"_hi\");\n"
    "}";

const char* const kFilterLua =
    "return function(row)\n"
    "  local scaled = row.Value * row.Gain\n"
    "  if scaled < 700 then return false end\n"
    "  row.Scaled = scaled\n"
    "  row.Label = row.Name .. \"_hi\"\n"
    "  return true\n"
    "end";

namespace {

constexpr double kThreshold = 700;

// The input values of row i, the one definition the packet and the check share.
struct InputRow {
  std::int32_t Id, Channel;
  double Value, Gain, Offset;
  std::string Name, Unit;
  bool Flag;
};

InputRow Input(int i) {
  return {i,
          i % 16,
          static_cast<double>((i * 7919) % 10000) / 10.0,
          1.0 + (i % 3) * 0.5,
          i * 0.001,
          "sensor" + std::to_string(i % 100),
          "mV",
          i % 2 == 0};
}

bool Kept(const InputRow& r) { return !(r.Value * r.Gain < kThreshold); }

}  // namespace

std::unique_ptr<orb::TorbParamsList> MakeFilterPacket(int rows) {
  auto list = std::make_unique<orb::TorbParamsList>();
  for (int i = 0; i < rows; ++i) {
    const InputRow r = Input(i);
    list->Add("Id", rtl::Variant(r.Id));
    list->Add("Channel", rtl::Variant(r.Channel));
    list->Add("Value", rtl::Variant(r.Value));
    list->Add("Gain", rtl::Variant(r.Gain));
    list->Add("Offset", rtl::Variant(r.Offset));
    list->Add("Name", rtl::Variant(rtl::AnsiString(r.Name)));
    list->Add("Unit", rtl::Variant(rtl::AnsiString(r.Unit)));
    list->Add("Flag", rtl::Variant(r.Flag));
    list->AddRowMarker();
  }
  return list;
}

std::string CheckFilterOutput(const orb::TorbParamsList* out, int rows) {
  // No output list: no row survived, which is right only if none should.
  const orb::TorbParamsList none;
  const std::vector<RowValues> got = RowsOf(out ? *out : none);
  std::size_t next = 0;
  for (int i = 0; i < rows; ++i) {
    const InputRow in = Input(i);
    if (!Kept(in)) continue;
    if (next >= got.size()) return "row with Id " + std::to_string(i) + " is missing";
    const RowValues& row = got[next++];
    auto text = [&row](const char* name) -> std::string {
      auto it = row.find(name);
      return it == row.end() ? "(none)" : rtl::VarToStr(it->second).str();
    };
    const std::string where = "output row " + std::to_string(next - 1) + ": ";
    if (row.size() != 10) return where + std::to_string(row.size()) + " variables instead of 10";
    if (text("Id") != std::to_string(i)) return where + "Id " + text("Id") + " where " + std::to_string(i) + " is due";
    auto scaled = row.find("Scaled");
    if (scaled == row.end() || rtl::VarToDouble(scaled->second) != in.Value * in.Gain)
      return where + "Scaled " + text("Scaled") + " is wrong";
    if (text("Label") != in.Name + "_hi") return where + "Label " + text("Label") + " is wrong";
    if (text("Name") != in.Name || text("Unit") != in.Unit) return where + "Name or Unit changed";
  }
  if (next != got.size())
    return std::to_string(got.size()) + " rows where " + std::to_string(next) + " are due";
  return {};
}

}  // namespace compare
