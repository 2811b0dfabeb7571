// What a module publishes to the host besides data: its custom commands and its parser
// items, with the text forms they travel in.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orb {

struct TorbPluginCustomCmd {
  std::string Command;
  std::string Text1;
  std::string Text2;
  bool Flag1 = false;
  bool Flag2 = false;
};

// Owns its commands. Text form: one line per command, Command|Text1|Text2|Flag1|Flag2
// each followed by CR LF, the flags as "1" or "0".
class TorbPluginCustomCmdList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  const TorbPluginCustomCmd& Items(int index) const { return *FItems.at(static_cast<std::size_t>(index)); }
  void Add(TorbPluginCustomCmd command) { FItems.push_back(std::make_unique<TorbPluginCustomCmd>(std::move(command))); }
  void Clear() { FItems.clear(); }
  std::string Text() const;
  // Appends one command per non-empty line with at least five "|"-separated fields.
  void AddFromText(const std::string& text);

private:
  std::vector<std::unique_ptr<TorbPluginCustomCmd>> FItems;
};

// Index of a parser item type in the type name list; 17 for none.
constexpr std::uint8_t ParserItemNoType = 17;
extern const char* const ParserItemTypeNames[17];
// The type name list as one text: "String|Memo|...|Currency|".
std::string ParserItemTypeListText();

// A fresh (empty) item is all zero, as the host's records are: type 0.
struct TParserItem {
  std::string Name;
  std::string Description;
  std::uint8_t ItemType = 0;
  std::string Extra;
};

// The standard parser items the framework declares (no framework behaviour uses them).
const std::vector<TParserItem>& StandardParserItems();

// Text form: Description|Name|type name|Extra per line, lines joined by CR LF.
std::string ParserItemsToText(const std::vector<TParserItem>& items);
// Replaces items from the text form (see the module's SetParserItems).
void ParserItemsFromText(const std::string& text, std::vector<TParserItem>& items);

// Splits a text into lines at CR LF, CR or LF (no empty line after a final break).
std::vector<std::string> SplitLines(const std::string& text);
std::vector<std::string> SplitFields(const std::string& line, char separator);

}  // namespace orb
