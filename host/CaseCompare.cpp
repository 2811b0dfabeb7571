#include "CaseCompare.h"

#include <algorithm>
#include <cstdint>
#include <sstream>

#include "HostFiles.h"
#include "JsonReader.h"

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  bool tooLong = false;
  while (ReadInputLine(in, line, tooLong)) lines.push_back(line);
  return lines;
}

namespace {

// JSON text of a value; bytes that are not UTF-8 (a hand-written expected file may
// hold some) are shown as replacement characters.
std::string Text(const Json& j) { return j.dump(-1, ' ', false, Json::error_handler_t::replace); }
std::string Quoted(const std::string& s) { return Text(Json(s)); }

// Where two JSON objects first differ, walking the expected members in order; empty
// when they are the same. Values are compared by their JSON text, so 1 and 1.0 differ
// as the host's Integer and Double do.
std::string ObjectDifference(const Json& expected, const Json& actual) {
  if (!expected.is_object() || !actual.is_object())
    return Text(expected) == Text(actual) ? std::string() : "expected " + Text(expected) + ", got " + Text(actual);
  auto e = expected.begin();
  auto a = actual.begin();
  for (; e != expected.end() && a != actual.end(); ++e, ++a) {
    if (e.key() == a.key()) {
      if (Text(e.value()) != Text(a.value()))
        return "variable " + Quoted(e.key()) + ": expected " + Text(e.value()) + ", got " + Text(a.value());
      continue;
    }
    if (!actual.contains(e.key())) return "variable " + Quoted(e.key()) + ": missing (expected " + Text(e.value()) + ")";
    if (!expected.contains(a.key())) return "variable " + Quoted(a.key()) + ": not expected (got " + Text(a.value()) + ")";
    return "variable " + Quoted(e.key()) + ": expected before " + Quoted(a.key());
  }
  if (e != expected.end()) return "variable " + Quoted(e.key()) + ": missing (expected " + Text(e.value()) + ")";
  if (a != actual.end()) return "variable " + Quoted(a.key()) + ": not expected (got " + Text(a.value()) + ")";
  return {};
}

// Line N of a JSON-lines file, parsed; a line that is no JSON compares as text.
Json LineValue(const std::string& line) {
  Json value;
  std::string error;
  return ParseJson(line, value, error) ? value : Json(line);
}

}  // namespace

// The first difference of two packet files: packet, row, variable.
std::string PacketDifference(const std::string& expectedText, const std::string& actualText) {
  const std::vector<std::string> expected = Lines(expectedText), actual = Lines(actualText);
  for (std::size_t i = 0; i < expected.size() || i < actual.size(); ++i) {
    const std::string where = "packet " + std::to_string(i + 1);
    if (i >= actual.size()) return where + ": missing (expected " + expected[i] + ")";
    if (i >= expected.size()) return where + ": not expected (got " + actual[i] + ")";
    const Json e = LineValue(expected[i]), a = LineValue(actual[i]);
    if (!e.is_object() || !a.is_object() || !e.contains("rows") || !a.contains("rows") || !e["rows"].is_array() ||
        !a["rows"].is_array()) {
      if (Text(e) != Text(a)) return where + ": expected " + expected[i] + ", got " + actual[i];
      continue;
    }
    const Json& eResult = e.contains("result") ? e["result"] : Json();
    const Json& aResult = a.contains("result") ? a["result"] : Json();
    if (Text(eResult) != Text(aResult)) return where + ": result expected " + Text(eResult) + ", got " + Text(aResult);
    const Json& eRows = e["rows"];
    const Json& aRows = a["rows"];
    for (std::size_t r = 0; r < eRows.size() || r < aRows.size(); ++r) {
      const std::string row = where + ", row " + std::to_string(r + 1);
      if (r >= aRows.size()) return row + ": missing (expected " + Text(eRows[r]) + ")";
      if (r >= eRows.size()) return row + ": not expected (got " + Text(aRows[r]) + ")";
      const std::string d = ObjectDifference(eRows[r], aRows[r]);
      if (!d.empty()) return row + ", " + d;
    }
  }
  return {};
}

// The first difference of two JSON-lines files of objects (events, host calls).
std::string JsonLinesDifference(const std::string& file, const std::string& expectedText, const std::string& actualText) {
  const std::vector<std::string> expected = Lines(expectedText), actual = Lines(actualText);
  for (std::size_t i = 0; i < expected.size() || i < actual.size(); ++i) {
    const std::string where = file + " line " + std::to_string(i + 1);
    if (i >= actual.size()) return where + ": missing (expected " + expected[i] + ")";
    if (i >= expected.size()) return where + ": not expected (got " + actual[i] + ")";
    const std::string d = ObjectDifference(LineValue(expected[i]), LineValue(actual[i]));
    if (!d.empty()) return where + ", " + d;
  }
  return {};
}

// The first difference of two text files, line by line.
std::string TextDifference(const std::string& file, const std::string& expectedText, const std::string& actualText) {
  const std::vector<std::string> expected = Lines(expectedText), actual = Lines(actualText);
  for (std::size_t i = 0; i < expected.size() || i < actual.size(); ++i) {
    const std::string where = file + " line " + std::to_string(i + 1);
    if (i >= actual.size()) return where + ": missing (expected " + Quoted(expected[i]) + ")";
    if (i >= expected.size()) return where + ": not expected (got " + Quoted(actual[i]) + ")";
    if (expected[i] != actual[i]) return where + ": expected " + Quoted(expected[i]) + ", got " + Quoted(actual[i]);
  }
  return {};
}

std::vector<std::string> DifferingLines(const std::string& expectedText, const std::string& actualText,
                                        std::size_t maxLines) {
  const std::vector<std::string> e = Lines(expectedText), a = Lines(actualText);
  // The lines both begin and end with are no difference.
  std::size_t head = 0;
  while (head < e.size() && head < a.size() && e[head] == a[head]) ++head;
  std::size_t tail = 0;
  while (tail < e.size() - head && tail < a.size() - head && e[e.size() - 1 - tail] == a[a.size() - 1 - tail]) ++tail;
  const std::size_t n = e.size() - head - tail, m = a.size() - head - tail;
  std::vector<std::string> out;
  std::size_t differing = 0;
  auto add = [&](char mark, const std::string& line) {
    if (++differing <= maxLines) out.push_back(std::string(1, mark) + " " + line);
  };
  // The rest by their longest common subsequence, when its table is of a size to keep
  // (a few megabytes); beyond that the two blocks as they are.
  constexpr std::size_t kMaxTableCells = std::size_t{1} << 22;
  if (n == 0 || m == 0 || (n + 1) * (m + 1) > kMaxTableCells) {
    for (std::size_t i = 0; i < n; ++i) add('-', e[head + i]);
    for (std::size_t j = 0; j < m; ++j) add('+', a[head + j]);
  } else {
    // common[i][j]: the longest common run of lines from e[head + i] and a[head + j] on.
    std::vector<std::uint32_t> common((n + 1) * (m + 1), 0);
    auto at = [&](std::size_t i, std::size_t j) -> std::uint32_t& { return common[i * (m + 1) + j]; };
    for (std::size_t i = n; i-- > 0;)
      for (std::size_t j = m; j-- > 0;)
        at(i, j) = e[head + i] == a[head + j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
      if (i < n && j < m && e[head + i] == a[head + j]) {
        ++i;
        ++j;
      } else if (j == m || (i < n && at(i + 1, j) >= at(i, j + 1))) {
        add('-', e[head + i++]);
      } else {
        add('+', a[head + j++]);
      }
    }
  }
  if (differing > maxLines) out.push_back("... " + std::to_string(differing - maxLines) + " more");
  return out;
}
