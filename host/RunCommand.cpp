// velmora-host run: a script over packets, as the host would run a configuration.
// The script and its language are written into a fresh INI file with the framework's
// settings store (what the options dialog does on OK); the configuration is loaded
// from it and every input line is one packet through ProcessData.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "HostCallbacks.h"
#include "HostCommands.h"
#include "HostSession.h"
#include "Private/Plugins/orbProxyCode.h"
#include "Private/Plugins/orbWreg.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "rtl/CodePage.h"
#include "rtl/Object.h"

namespace {

const char* const kLanguages[] = {"PascalScript", "C++Script", "JScript", "BasicScript"};

int Usage() {
  std::fprintf(stderr,
               "usage: velmora-host run --script FILE [--language NAME] [--input FILE|-] [--events FILE]\n"
               "                        [--sent FILE] [--log FILE] [--config-id N] [--library PATH]\n"
               "  NAME: PascalScript (default), C++Script, JScript or BasicScript\n"
               "  input: JSON lines, one packet each: an object is a row, an array of objects rows\n");
  return 2;
}

bool ValidUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size() + (extra == 0 ? 1 : 0)) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) >> 6) != 2) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

// A script file: UTF-8 when it is valid UTF-8 (a BOM skipped), else the process code page.
bool ReadScript(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  std::string raw = buffer.str();
  if (raw.compare(0, 3, "\xEF\xBB\xBF") == 0) raw.erase(0, 3);
  text = ValidUtf8(raw) ? rtl::Utf8ToAnsi(raw).str() : raw;
  return true;
}

// Writes the script and its language into the configuration's INI file.
bool WriteSettings(const std::string& iniFile, const std::string& section, const std::string& script, int language) {
  rtl::TObjectPtr<orb::TProxyCodeObject> cfg = rtl::MakeObject<orb::TProxyCodeObject>();
  cfg->edtExpr_Lines->SetText(script);
  cfg->comboType_ItemIndex = language;
  rtl::TObjectPtr<orb::TWreg> store = rtl::MakeObject<orb::TWreg>();
  store->INIFile = iniFile;
  store->INIFileSectionPrefix = section;
  store->ComponentLines()->Add("edtExpr.Lines,Script");
  store->ComponentLines()->Add("comboType.ItemIndex,Language");
  return store->Save(cfg.get());
}

// One packet from a JSON line; false with a reason for a line that is not one.
bool BuildPacket(const std::string& line, orb::TorbParamsList& packet, std::string& error) {
  Json j;
  try {
    j = Json::parse(line);
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
  auto addRow = [&](const Json& row) {
    for (auto it = row.begin(); it != row.end(); ++it) packet.Add(rtl::Utf8ToAnsi(it.key()).view(), JsonToVariant(it.value()));
  };
  if (j.is_object()) {
    addRow(j);
    return true;
  }
  if (j.is_array()) {
    for (const Json& row : j) {
      if (!row.is_object()) {
        error = "an array element is not an object";
        return false;
      }
    }
    for (const Json& row : j) {
      addRow(row);
      packet.AddRowMarker();
    }
    return true;
  }
  error = "a packet is a JSON object or an array of objects";
  return false;
}

Json RowsOf(const orb::TorbParamsList* list) {
  Json rows = Json::array();
  if (!list) return rows;
  Json row = Json::object();
  bool open = false;
  for (int i = 0; i < list->Count(); ++i) {
    const orb::TorbParamsListItem* item = list->Items(i);
    if (item->IsRowMarker()) {
      rows.push_back(row);
      row = Json::object();
      open = false;
    } else {
      row[rtl::AnsiToUtf8(item->Name.view())] = VariantToJson(item->Value);
      open = true;
    }
  }
  if (open) rows.push_back(row);
  return rows;
}

void WriteSent(std::FILE* out) {
  for (const SentCall& c : TakeSentCalls()) {
    if (!out) continue;
    Json j = Json::object();
    j["callback"] = c.Callback;
    j["cookie"] = c.Cookie;
    j["target"] = c.Target;
    j["source"] = c.SourceId;
    j["data"] = rtl::AnsiToUtf8(c.Bytes);
    std::fprintf(out, "%s\n", j.dump().c_str());
  }
  if (out) std::fflush(out);
}

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f && f != stdout && f != stderr && f != stdin) std::fclose(f);
  }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenOutput(const std::string& path) {
  if (path.empty()) return FilePtr(nullptr);
  if (path == "-") return FilePtr(stdout);
  return FilePtr(std::fopen(path.c_str(), "wb"));
}

}  // namespace

int RunScript(int argc, char** argv) {
  std::string library = PluginLibrary::DefaultPath();
  std::string scriptPath, inputPath = "-", eventsPath, sentPath, logPath;
  std::string language = "PascalScript";
  SessionOptions options;
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    const char* v = nullptr;
    if (a == "--script" && (v = value())) scriptPath = v;
    else if (a == "--language" && (v = value())) language = v;
    else if (a == "--input" && (v = value())) inputPath = v;
    else if (a == "--events" && (v = value())) eventsPath = v;
    else if (a == "--sent" && (v = value())) sentPath = v;
    else if (a == "--log" && (v = value())) logPath = v;
    else if (a == "--library" && (v = value())) library = v;
    else if (a == "--config-id" && (v = value())) options.ConfigId = static_cast<std::uint32_t>(std::strtoul(v, nullptr, 10));
    else {
      std::fprintf(stderr, "velmora-host run: unknown or incomplete argument '%s'\n", a.c_str());
      return Usage();
    }
  }
  if (scriptPath.empty() || options.ConfigId == 0) return Usage();
  int languageIndex = -1;
  for (int i = 0; i < 4; ++i)
    if (language == kLanguages[i]) languageIndex = i;
  if (languageIndex < 0) {
    std::fprintf(stderr, "velmora-host run: unknown language '%s'\n", language.c_str());
    return 2;
  }
  std::string script;
  if (!ReadScript(scriptPath, script)) {
    std::fprintf(stderr, "velmora-host run: cannot read script '%s'\n", scriptPath.c_str());
    return 2;
  }
  std::istream* input = &std::cin;
  std::ifstream inputFile;
  if (inputPath != "-") {
    inputFile.open(inputPath, std::ios::binary);
    if (!inputFile) {
      std::fprintf(stderr, "velmora-host run: cannot read input '%s'\n", inputPath.c_str());
      return 2;
    }
    input = &inputFile;
  }
  FilePtr events = OpenOutput(eventsPath), sent = OpenOutput(sentPath), log = OpenOutput(logPath);
  if ((!eventsPath.empty() && !events) || (!sentPath.empty() && !sent) || (!logPath.empty() && !log)) {
    std::fprintf(stderr, "velmora-host run: cannot open an output file\n");
    return 2;
  }

  PluginLibrary lib;
  std::string error;
  if (!lib.Load(library, error)) {
    std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
    return 2;
  }
  const std::string ini = platform::TempFolder() + "velmora-run-" + std::to_string(platform::CurrentProcessId()) + ".ini";
  options.INIFile = ini;
  options.INISectionPrefix = "{Velmora:Run}";
  if (!WriteSettings(ini, options.INISectionPrefix, script, languageIndex)) {
    std::fprintf(stderr, "velmora-host run: cannot write the settings file '%s'\n", ini.c_str());
    return 2;
  }

  HostSession session(lib, options);
  session.SetLogOutput(log ? log.get() : stderr);
  session.SetEventOutput(events.get());
  session.Load();
  session.SetState(true);

  std::string line;
  int lineNumber = 0;
  while (std::getline(*input, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    orb::TorbParamsList packet;
    if (!BuildPacket(line, packet, error)) {
      std::fprintf(stderr, "velmora-host run: input line %d skipped: %s\n", lineNumber, error.c_str());
      continue;
    }
    HostCall call = session.NewCall();
    call.Rec.Input.DataType = orb::pdtParamsList;
    call.Rec.Input.Data = reinterpret_cast<std::uintptr_t>(&packet);
    const std::int32_t result = lib.ProcessData(&call.Rec);
    const orb::TorbParamsList* out = nullptr;
    if ((call.Rec.Output.DataType == orb::pdtParamsList || call.Rec.Output.DataType == orb::pdtParamsList2) &&
        call.Rec.Output.Data)
      out = call.Rec.Output.List();
    Json packetOut = Json::object();
    packetOut["result"] = result;
    packetOut["rows"] = RowsOf(out);
    std::printf("%s\n", packetOut.dump().c_str());
    std::fflush(stdout);
    session.PumpMessages();
    WriteSent(sent.get());
  }
  session.Unload();
  session.Release();
  WriteSent(sent.get());
  platform::RemoveFile(ini);
  return 0;
}
