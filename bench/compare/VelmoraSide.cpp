#include "compare/VelmoraSide.h"

#include <cmath>
#include <stdexcept>

#include "Private/Plugins/orbPluginTypes.h"
#include "Private/Plugins/orbProxyCode.h"
#include "Private/Plugins/orbWreg.h"
#include "Public/Common/orbParamLst.h"
#include "compare/CompileProgram.h"
#include "compare/ComputePrograms.h"
#include "compare/RowFilterCase.h"
#include "engine/fsScript.h"
#include "engine/fsCustomVariable.h"
#include "filter/FilterScriptSetup.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "rtl/Object.h"
#include "rtl/StringList.h"
#include "rtl/VariantConvert.h"

extern "C" {
std::int32_t ORB_STDCALL ExecutePluginCommand(orb::PPluginCallRec);
std::int32_t ORB_STDCALL ProcessData(orb::PPluginCallRec);
}

namespace compare {

namespace {

const char* const kSection = "{Bench:Compare}";

orb::PluginCallRec FilterRec(std::uint32_t id, orb::TorbParamsList* params) {
  orb::PluginCallRec rec = orb::NewCallRec();
  rec.ConfigId = id;
  rec.ModuleIndex = id;
  rec.ModuleTypes = orb::ModuleTypeBit(orb::mttFilter);
  rec.Params = params;
  return rec;
}

std::int32_t Command(std::uint32_t id, const std::string& verb, const std::string& ini, bool withSection) {
  orb::TorbParamsList params;
  params.Add("COMMAND", rtl::Variant(rtl::AnsiString(verb)));
  params.Add("INI-FILE", rtl::Variant(rtl::AnsiString(ini)));
  if (withSection) params.Add("INISectionPrefix", rtl::Variant(rtl::AnsiString(kSection)));
  orb::PluginCallRec rec = FilterRec(id, &params);
  return ExecutePluginCommand(&rec);
}

// The script lines as the settings object holds them.
rtl::TObjectPtr<rtl::TStringList> LinesOf(const std::string& source) {
  rtl::TObjectPtr<rtl::TStringList> lines = rtl::MakeObject<rtl::TStringList>();
  lines->SetText(source);
  return lines;
}

std::string CompileError(const fs::TfsScript& script) {
  return script.SyntaxType() + " does not compile: " + script.LastErrorPos() + " " + script.LastErrorText();
}

class VelmoraFilter : public TimedSide {
public:
  VelmoraFilter(std::uint32_t configId, const std::string& script, int language,
                std::shared_ptr<const orb::TorbParamsList> packet, int rows)
      : FId(configId),
        FIni(platform::TempFolder() + "velmora-compare-" + std::to_string(platform::CurrentProcessId()) + "-" +
             std::to_string(configId) + ".ini"),
        FPacket(std::move(packet)),
        FRows(rows) {
    // The settings as the options dialog stores them, then LOAD as the host sends it.
    rtl::TObjectPtr<orb::TProxyCodeObject> cfg = rtl::MakeObject<orb::TProxyCodeObject>();
    cfg->edtExpr_Lines->SetText(script);
    cfg->comboType_ItemIndex = language;
    rtl::TObjectPtr<orb::TWreg> store = rtl::MakeObject<orb::TWreg>();
    store->INIFile = FIni;
    store->INIFileSectionPrefix = kSection;
    store->ComponentLines()->Add("edtExpr.Lines,Script");
    store->ComponentLines()->Add("comboType.ItemIndex,Language");
    if (!store->Save(cfg.get())) throw std::runtime_error("cannot write the settings to " + FIni);
    Command(FId, "LOAD", FIni, true);
  }

  ~VelmoraFilter() override {
    Command(FId, "UNLOAD", FIni, false);
    orb::PluginCallRec release = FilterRec(FId, nullptr);
    release.CallKind = orb::ckRelease;
    ExecutePluginCommand(&release);
    platform::RemoveFile(FIni);
  }

  void Run() override {
    orb::PluginCallRec rec = FilterRec(FId, &FParams);
    rec.Input.DataType = orb::pdtParamsList;
    rec.Input.Data = reinterpret_cast<std::uintptr_t>(FPacket.get());
    FResult = ProcessData(&rec);
    FOut = rec.Output.DataType == orb::pdtParamsList ? rec.Output.List() : nullptr;
  }

  std::string Verify() override {
    if (FResult != 0) return "ProcessData answered " + std::to_string(FResult);
    return CheckFilterOutput(FOut, FRows);
  }

  const orb::TorbParamsList* Output() const override { return FOut; }

private:
  std::uint32_t FId;
  std::string FIni;
  std::shared_ptr<const orb::TorbParamsList> FPacket;
  int FRows;
  orb::TorbParamsList FParams;
  std::int32_t FResult = 0;
  const orb::TorbParamsList* FOut = nullptr;  // the module's output list
};

class VelmoraProgram : public TimedSide {
public:
  VelmoraProgram(const ComputeProgram& program, const std::string& dialect) : FExpected(program.Expected) {
    const char* source = dialect == "JScript" ? program.JScript : program.Pascal;
    filter::PrepareFilterScript(FScript, LinesOf(source).get(), dialect);
    if (!FScript.CompileProgram()) throw std::runtime_error(CompileError(FScript));
  }

  void Run() override { FScript.RunProgram(); }

  std::string Verify() override {
    fs::TfsCustomVariable* r = FScript.LookupLocal("r");
    if (!r) return "the program has no global r";
    const rtl::Variant value = r->GetValue();
    if (rtl::VarToDouble(value) != FExpected)
      return "r is " + rtl::VarToStr(value).str() + " where " + rtl::VarToStr(rtl::Variant(FExpected)).str() +
             " is due";
    return {};
  }

private:
  fs::TfsScript FScript;
  double FExpected;
};

class VelmoraCompile : public TimedSide {
public:
  VelmoraCompile(std::shared_ptr<const GeneratedProgram> program, int compiles)
      : FProgram(std::move(program)), FLines(LinesOf(FProgram->Pascal)), FCompiles(compiles) {}

  // What a configuration reload does: prepare (clear, lines, dialect, registry), compile.
  void Run() override {
    for (int i = 0; i < FCompiles; ++i) {
      filter::PrepareFilterScript(FScript, FLines.get(), "PascalScript");
      if (!FScript.CompileProgram() && FError.empty()) FError = CompileError(FScript);
    }
  }

  std::string Verify() override {
    if (!FError.empty()) return FError;
    FScript.RunProgram();
    auto global = [this](const char* name) {
      fs::TfsCustomVariable* v = FScript.LookupLocal(name);
      return v ? v->GetValue() : rtl::Variant::Null();
    };
    const rtl::Variant count = global("gCount"), total = global("gTotal"), name = global("gName");
    if (count.IsEmptyOrNull() || rtl::VarToInt32(count) != FProgram->Count)
      return "gCount is " + rtl::VarToStr(count).str() + " where " + std::to_string(FProgram->Count) + " is due";
    if (total.IsEmptyOrNull() || std::fabs(rtl::VarToDouble(total) - FProgram->Total) > 1e-9 * std::fabs(FProgram->Total))
      return "gTotal is " + rtl::VarToStr(total).str() + " where " + std::to_string(FProgram->Total) + " is due";
    if (rtl::VarToStr(name).str() != FProgram->Name)
      return "gName is " + rtl::VarToStr(name).str() + " where " + FProgram->Name + " is due";
    return {};
  }

private:
  std::shared_ptr<const GeneratedProgram> FProgram;
  rtl::TObjectPtr<rtl::TStringList> FLines;
  int FCompiles;
  fs::TfsScript FScript;
  std::string FError;
};

}  // namespace

std::unique_ptr<TimedSide> MakeVelmoraFilter(std::uint32_t configId, const std::string& script, int language,
                                             std::shared_ptr<const orb::TorbParamsList> packet, int rows) {
  return std::make_unique<VelmoraFilter>(configId, script, language, std::move(packet), rows);
}

std::unique_ptr<TimedSide> MakeVelmoraProgram(const ComputeProgram& program, const std::string& dialect) {
  return std::make_unique<VelmoraProgram>(program, dialect);
}

std::unique_ptr<TimedSide> MakeVelmoraCompile(std::shared_ptr<const GeneratedProgram> program, int compiles) {
  return std::make_unique<VelmoraCompile>(std::move(program), compiles);
}

}  // namespace compare
