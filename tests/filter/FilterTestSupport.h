// A configuration of the filter as the host drives it: its settings written to an INI
// file, LOAD through the exports, packets through ProcessData.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Private/Plugins/orbPluginTypes.h"
#include "Public/Common/orbParamLst.h"
#include "platform/MessageWindow.h"

namespace filtertest {

// A packet of rows; each row a list of (name, value).
using Row = std::vector<std::pair<std::string, rtl::Variant>>;
std::unique_ptr<orb::TorbParamsList> Packet(const std::vector<Row>& rows);
// The rows of a list, as "name=value" texts joined by "," per row.
std::vector<std::string> RowsOf(const orb::TorbParamsList* list);

class Configuration {
public:
  // Writes script, language index and (when not negative) the row time limit into a
  // fresh INI file and loads configuration id.
  Configuration(std::uint32_t configId, const std::string& script, int language = 0, std::int32_t rowTimeLimit = -1,
                const std::string& hostLanguage = std::string());
  ~Configuration();

  // ProcessData of a packet in the filter role; rows := the output rows.
  std::int32_t Process(const orb::TorbParamsList& packet, std::vector<std::string>& rows);
  std::int32_t Command(const std::string& verb, const Row& args = {});
  // Rewrites the stored script (as the options dialog would) without reloading.
  void StoreScript(const std::string& script, int language = 0, std::int32_t rowTimeLimit = -1);
  // Shows the options dialog through the export (LANGUAGE when given); the outcome it
  // reports (1 confirmed, 0 not).
  std::int32_t ShowOptions(const std::string& language = std::string());
  // What the store holds now: the dialog's geometry, script and language.
  struct Stored {
    int Left = 0, Top = 0, Width = 0, Height = 0, EditorWidth = 0, Language = 0;
    std::string Script;
  };
  Stored ReadStored() const;
  // The log lines that wait ("level" byte, text, CR LF each), fetched and cleared.
  std::string TakeLog();

  std::uint32_t Id() const { return FId; }
  const std::string& IniFile() const { return FIni; }

private:
  std::uint32_t FId;
  std::string FIni;
  // The host window the log lines are announced to; they wait for TakeLog.
  platform::MessageWindow FWindow;
};

}  // namespace filtertest
