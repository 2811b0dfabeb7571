// velmora-host info: what the host learns about the plug-in before it loads a
// configuration.
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "HostCommands.h"
#include "PluginLibrary.h"
#include "platform/FileVersion.h"

namespace {

std::string ModuleTypeNames(std::uint32_t types) {
  static const char* const names[] = {"mttDataQuery", "mttDataParser", "mttDataExport", "mttEventsHandling",
                                      "mttLogging",   "mttFilter",     "mttDeviceLayer", "mttMenuExt"};
  std::string text;
  for (int i = 0; i < 8; ++i)
    if (types & (1u << i)) text += (text.empty() ? "" : ",") + std::string(names[i]);
  return "[" + text + "]";
}

std::string OptionNames(std::uint32_t options) {
  static const char* const names[] = {"moNoConfig", "moXMLOptions", "moMultiConfig"};
  std::string text;
  for (int i = 0; i < 3; ++i)
    if (options & (1u << i)) text += (text.empty() ? "" : ",") + std::string(names[i]);
  return "[" + text + "]";
}

std::string Escaped(const char* data, std::uint32_t length) {
  std::string s;
  for (std::uint32_t i = 0; data && i < length; ++i) {
    if (data[i] == '\r') s += "\\r";
    else if (data[i] == '\n') s += "\\n";
    else s += data[i];
  }
  return s;
}

}  // namespace

int RunInfo(int argc, char** argv) {
  std::string path = PluginLibrary::DefaultPath();
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--library") == 0 && i + 1 < argc) {
      path = argv[++i];
    } else {
      std::fprintf(stderr, "velmora-host info: unknown argument '%s'\n", argv[i]);
      return 2;
    }
  }
  PluginLibrary lib;
  std::string error;
  if (!lib.Load(path, error)) {
    std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
    return 2;
  }

  HostCall call(1);
  std::printf("interface: %u\n", lib.GetPluginIntfVersion());
  std::uint32_t size = 0;
  lib.GetModuleInfo(&call.Rec, nullptr, &size);
  if (size < sizeof(orb::TModuleInfoBlock)) {
    std::fprintf(stderr, "velmora-host: the library reports no module information\n");
    return 2;
  }
  std::vector<unsigned char> buffer(size);
  auto* info = reinterpret_cast<orb::TModuleInfoBlock*>(buffer.data());
  info->BufferSize = size;
  if (!lib.GetModuleInfo(&call.Rec, info, &size)) {
    std::fprintf(stderr, "velmora-host: GetModuleInfo failed\n");
    return 2;
  }
  std::printf("type word: 0x%08X\n", info->TypeWord);
  std::printf("module types: %s\n", ModuleTypeNames(info->TypeWord & 0xFF).c_str());
  std::printf("options: %s\n", OptionNames((info->TypeWord >> 16) & 0x7).c_str());
  std::printf("framework version: %u\n", info->InterfaceVersion);
  std::printf("min version: %g\n", static_cast<double>(info->MinVersion));
  std::printf("multi-thread: %u\n", info->IsMultiThreadSupported);
  std::printf("description: %s\n", Escaped(info->Description, info->DescriptionLength).c_str());
  std::printf("custom commands: %s\n", Escaped(info->CustomCommands, info->CustomCommandsLength).c_str());
  std::array<std::uint16_t, 4> v{};
  if (platform::ReadFileVersion(lib.Path(), v))
    std::printf("file version: %u.%u.%u.%u\n", v[0], v[1], v[2], v[3]);
  else
    std::printf("file version: \n");

  // Release the configuration's instance, as the host does at the end.
  HostCall release(1);
  release.Rec.CallKind = orb::ckRelease;
  lib.ExecutePluginCommand(&release.Rec);
  return 0;
}
