#include "runtime/DateLibrariesTestSupport.h"

#include <cstdio>
#include <cstdlib>

#include "rtl/DateUtils.h"
#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsDateTimeRoutines.h"
#include "runtime/fsDateUtils.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsRegistry.h"
#include "runtime/fsSysFunctions.h"
#include "runtime/fsTimeZones.h"

namespace fs::test {

using rtl::Variant;

const char* const kDialects[4] = {"PascalScript", "C++Script", "JScript", "BasicScript"};

namespace {

std::string Two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

std::string DateText(double v) {
  rtl::DateTimeParts p;
  if (!rtl::TryDecodeDateTime(v, p)) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return std::string("no date ") + buffer;
  }
  std::string s = std::to_string(p.Year) + "-" + Two(p.Month) + "-" + Two(p.Day);
  if (p.Hour || p.Minute || p.Second || p.Millisecond) {
    std::string ms = std::to_string(p.Millisecond);
    s += " " + Two(p.Hour) + ":" + Two(p.Minute) + ":" + Two(p.Second) + "." + std::string(3 - ms.size(), '0') + ms;
  }
  return s;
}

// "yyyy-mm-dd[ hh:nn[:ss[.zzz]]]" as a date value.
double ParseIsoDate(const std::string& s) {
  int y = 0, m = 0, d = 0, h = 0, n = 0, sec = 0, ms = 0;
  const int read = std::sscanf(s.c_str(), "%d-%d-%d %d:%d:%d.%d", &y, &m, &d, &h, &n, &sec, &ms);
  if (read < 3) throw rtl::Exception("D: no date in '" + s + "'");
  return rtl::ComposeDateTime(rtl::EncodeDate(y, m, d), rtl::EncodeTime(h, n, sec, ms));
}

std::string ScriptOf(const std::string& dialect, const std::vector<std::string>& expressions) {
  std::string body;
  for (const std::string& e : expressions) {
    const std::string call = "Show(" + InDialect(e, dialect) + ")";
    if (dialect == "BasicScript")
      body += call + "\n";
    else
      body += "  " + call + ";\n";
  }
  if (dialect == "PascalScript") return "begin\n" + body + "end.\n";
  if (dialect == "C++Script") return "{\n" + body + "}\n";
  return body;
}

}  // namespace

std::string TypedText(const Variant& v) {
  char buffer[40];
  switch (v.VarType()) {
    case rtl::varEmpty: return "empty";
    case rtl::varNull: return "null";
    case rtl::varDate: return "date " + DateText(v.AsDoubleRaw());
    case rtl::varDouble:
      std::snprintf(buffer, sizeof buffer, "%.15g", v.AsDoubleRaw());
      return std::string("double ") + buffer;
    case rtl::varInteger: return "int " + std::to_string(v.AsIntegerRaw());
    case rtl::varWord: return "word " + std::to_string(v.AsWordRaw());
    case rtl::varByte: return "byte " + std::to_string(v.AsByteRaw());
    case rtl::varLongWord: return "longword " + std::to_string(v.AsLongWordRaw());
    case rtl::varInt64: return "int64 " + std::to_string(v.AsInt64Raw());
    case rtl::varBoolean: return std::string("bool ") + (v.AsBooleanRaw() ? "True" : "False");
    case rtl::varString:
    case rtl::varOleStr: return "str '" + rtl::VarToStr(v).str() + "'";
    default: return rtl::VarTypeAsText(v.VarType()) + " " + rtl::VarToStr(v).str();
  }
}

std::string InDialect(const std::string& expression, const std::string& dialect) {
  if (dialect == "PascalScript") return expression;
  // C++Script and JScript read escapes in strings: a backslash is written twice there.
  const bool escapes = dialect == "C++Script" || dialect == "JScript";
  std::string out;
  for (char c : expression) {
    if (c == '\\' && escapes) out += c;
    out += c == '\'' ? '"' : c;
  }
  return out;
}

// The libraries in their load order, as the global registry has them.
DateLibrariesHost::DateLibrariesHost()
    : DateLibrariesHost({&NewRTTIModule<TfsSysFunctions>, &NewRTTIModule<TfsDateUtils>,
                         &NewRTTIModule<TfsDateTimeRoutines>, &NewRTTIModule<TfsTimeZones>}) {}

DateLibrariesHost::DateLibrariesHost(const std::vector<ModuleFactory>& modules)
    : FRegistry(std::make_unique<TfsScript>()), FScript(std::make_unique<TfsScript>()) {
  TfsScript* r = FRegistry.get();
  for (ModuleFactory make : modules) r->AddName(std::string(), make(r));
  TfsRegistry reg(r);
  reg.RegisterFunction("procedure Show(V: Variant)",
                       [this](rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper* caller) {
                         FOutput += TypedText(caller->ArgumentValue(0)) + "\n";
                         return Variant();
                       });
  reg.RegisterFunction("function D(S: String): TDateTime",
                       [](rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper* caller) {
                         return Variant::FromDate(ParseIsoDate(caller->ArgString(0).str()));
                       });
  reg.RegisterFunction("function Missing: Variant",
                       [](rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper*) { return Variant(); });
  FScript->SetParentScript(r);
}

DateLibrariesHost::~DateLibrariesHost() {
  FScript.reset();
  FRegistry.reset();
}

std::string DateLibrariesHost::Run(const std::string& source, const std::string& dialect) {
  FScript->ClearProgram();
  FScript->SetSyntaxType(dialect);
  FScript->SetLinesText(source);
  FOutput.clear();
  if (!FScript->CompileProgram()) return "compile: " + FScript->LastErrorPos() + ": " + FScript->LastErrorText();
  try {
    FScript->RunProgram();
  } catch (const rtl::Exception& e) {
    FOutput += "error: " + e.Message() + "\n";
  }
  return FOutput;
}

std::vector<std::string> DateLibrariesHost::Eval(const std::string& dialect, const std::vector<std::string>& expressions) {
  const std::string out = Run(ScriptOf(dialect, expressions), dialect);
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < out.size()) {
    std::size_t end = out.find('\n', at);
    if (end == std::string::npos) end = out.size();
    lines.push_back(out.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

std::string DateLibrariesHost::Eval(const std::string& expression) {
  const std::vector<std::string> lines = Eval("PascalScript", {expression});
  return lines.empty() ? std::string() : lines[0];
}

LocaleScope::LocaleScope(const rtl::FormatSettings& settings) : FSaved(rtl::CurrentFormatSettings()) {
  rtl::SetCurrentFormatSettings(settings);
}

LocaleScope::~LocaleScope() { rtl::SetCurrentFormatSettings(FSaved); }

rtl::FormatSettings DayFirstSettings() {
  rtl::FormatSettings fs;
  fs.ShortDateFormat = "dd.MM.yyyy";
  fs.LongDateFormat = "dddd, d. MMMM yyyy";
  fs.DateSeparator = '.';
  fs.ShortTimeFormat = "hh:nn";
  fs.LongTimeFormat = "hh:nn:ss";
  return fs;
}

void DateLibrariesFixture::ExpectAll(std::initializer_list<DateCase> cases) {
  std::vector<std::string> batch;
  std::vector<const DateCase*> batched;
  for (const DateCase& c : cases)
    if (std::string(c.Expected).rfind("error: ", 0) != 0) {
      batch.push_back(c.Expression);
      batched.push_back(&c);
    }
  for (const char* dialect : kDialects) {
    const std::vector<std::string> lines = FHost.Eval(dialect, batch);
    if (lines.size() == 1 && lines[0].rfind("compile: ", 0) == 0) {
      ADD_FAILURE() << dialect << ": " << lines[0];
      continue;
    }
    for (std::size_t i = 0; i < batched.size(); ++i) {
      const std::string actual = i < lines.size() ? lines[i] : "(no line)";
      EXPECT_EQ(actual, batched[i]->Expected) << dialect << ": " << batched[i]->Expression;
      if (actual.rfind("error: ", 0) == 0) break;  // the script stopped there
    }
    // Each error case alone, since an error ends its script.
    for (const DateCase& c : cases)
      if (std::string(c.Expected).rfind("error: ", 0) == 0) {
        const std::vector<std::string> one = FHost.Eval(dialect, {c.Expression});
        EXPECT_EQ(one.empty() ? std::string() : one[0], c.Expected) << dialect << ": " << c.Expression;
      }
  }
}

}  // namespace fs::test
