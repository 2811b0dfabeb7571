#include "Private/Plugins/orbCustomCommands.h"

#include "rtl/CodePage.h"

namespace orb {

const char* const ParserItemTypeNames[17] = {"String", "Memo",   "Bytes",    "Blob", "Boolean", "Float",
                                             "Smallint", "Word", "Integer",  "Date", "Time",    "DateTime",
                                             "DWord",  "Byte",   "Shortint", "Int64", "Currency"};

std::string ParserItemTypeListText() {
  std::string text;
  for (const char* name : ParserItemTypeNames) (text += name) += '|';
  return text;
}

const std::vector<TParserItem>& StandardParserItems() {
  static const std::vector<TParserItem> items = {
      {"FULL_DATA_PACKET", "Full data packet", 0, ""},   {"DATA_PACKET", "Data packet", 0, ""},
      {"DATE_TIME_STAMP", "Datetime stamp", 11, "1"},    {"DATA_SOURCE_ID", "Data source ID", 8, ""},
      {"DATA_SOURCE_NAME", "Data source name", 0, "1"},  {"DATA_SOURCE_FULL_NAME", "Data source full name", 0, ""},
      {"CLIENTID", "Client ID", 8, ""},
  };
  return items;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::string> SplitFields(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    std::size_t pos = line.find(separator, start);
    if (pos == std::string::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, pos - start));
    start = pos + 1;
  }
}

std::string TorbPluginCustomCmdList::Text() const {
  std::string text;
  for (const auto& c : FItems)
    text += c->Command + "|" + c->Text1 + "|" + c->Text2 + "|" + (c->Flag1 ? "1" : "0") + "|" + (c->Flag2 ? "1" : "0") +
            "\r\n";
  return text;
}

void TorbPluginCustomCmdList::AddFromText(const std::string& text) {
  for (const std::string& line : SplitLines(text)) {
    if (line.empty()) continue;
    std::vector<std::string> f = SplitFields(line, '|');
    if (f.size() < 5) continue;
    Add({f[0], f[1], f[2], f[3] == "1", f[4] == "1"});
  }
}

std::string ParserItemsToText(const std::vector<TParserItem>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TParserItem& it = items[i];
    if (i) text += "\r\n";
    text += it.Description + "|" + it.Name + "|" +
            (it.ItemType < ParserItemNoType ? ParserItemTypeNames[it.ItemType] : "") + "|" + it.Extra;
  }
  return text;
}

void ParserItemsFromText(const std::string& text, std::vector<TParserItem>& items) {
  std::vector<std::string> lines = SplitLines(text);
  items.assign(lines.size(), TParserItem());
  std::size_t filled = 0;
  bool stopped = false;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    std::vector<std::string> f = SplitFields(line, '|');
    if (f.size() < 2) {
      // Parsing ends here; the list keeps its full length.
      stopped = true;
      break;
    }
    TParserItem& it = items[filled++];
    it.Description = f[0];
    it.Name = f[1];
    it.ItemType = ParserItemNoType;
    if (f.size() > 2)
      for (std::uint8_t t = 0; t < ParserItemNoType; ++t)
        if (rtl::AnsiLowerCase(f[2]) == rtl::AnsiLowerCase(ParserItemTypeNames[t])) {
          it.ItemType = t;
          break;
        }
    it.Extra = f.size() > 3 ? f[3] : "";
  }
  if (!stopped) items.resize(filled);
}

}  // namespace orb

