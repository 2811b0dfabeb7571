// One configuration running a script over packets, as the host runs it: the script
// and its settings are written into a fresh INI file with the framework's settings
// store (what the options dialog does on OK), the configuration is loaded from it and
// every input line is one packet through ProcessData. "run" prints what it does,
// "test" compares it with a case's expected files.
#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "OutputSink.h"
#include "PluginLibrary.h"

struct PacketRunSettings {
  std::string ScriptFile;  // as the user named it, for messages
  std::string Script;      // the text in the process code page
  int Language = 0;        // index into kLanguageNames
  std::int32_t RowTimeLimit = -1;  // milliseconds; below 0 the setting is not written
  std::int32_t MemoryLimit = -1;   // MB; below 0 the setting is not written
  std::uint32_t ConfigId = 1;
};

struct PacketRunOutputs {
  OutputSink* Packets;   // one JSON line per packet: {"result":N,"rows":[...]}
  OutputSink* Log;       // the module's log lines, "level text"
  OutputSink* Events;    // JSON lines; may be null
  OutputSink* Sent;      // JSON lines of the host callback calls; may be null
  OutputSink* Messages;  // skipped input lines and where a compile failed
  std::string MessagePrefix;  // before a skipped line's message, e.g. "velmora-host run: "
};

// Writes the script, its language and, when given, the row time limit and the script
// memory limit into a configuration's INI file section, as the options dialog stores
// them on OK.
bool WriteRunSettings(const std::string& iniFile, const std::string& section, const PacketRunSettings& settings);

// Runs every non-blank input line as one packet. False with a one-line reason when
// the configuration's settings cannot be written; input lines that are no packet are
// reported on Messages and skipped.
bool RunPackets(PluginLibrary& library, const PacketRunSettings& settings, std::istream& input,
                const PacketRunOutputs& out, std::string& error);
