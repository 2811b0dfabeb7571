// String lists as scripts and settings use them: text with line breaks, comma and
// delimited text, sorted lists with duplicates, name=value lines, index errors, change
// events, owned objects and files.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "rtl/CodePage.h"
#include "rtl/Component.h"
#include "rtl/StringList.h"

namespace rtl {
namespace {

std::vector<std::string> Lines(const TStrings& s) {
  std::vector<std::string> r;
  for (int i = 0; i < s.Count(); ++i) r.push_back(s.Get(i).str());
  return r;
}

void SetLines(TStrings& s, const std::vector<std::string>& lines) {
  s.Clear();
  for (const auto& l : lines) s.Add(AnsiString(l));
}

// Counts how many of its kind are alive.
class TCounted : public TObject {
public:
  explicit TCounted(int* alive) : FAlive(alive) { ++*FAlive; }
  ~TCounted() override { --*FAlive; }

private:
  int* FAlive;
};

TEST(StringListTest, TextSplitsAtAnyLineBreakAndWritesCrLf) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
    std::string written;
  } cases[] = {
      {"", {}, ""},
      {"a", {"a"}, "a\r\n"},
      {"a\r\nb", {"a", "b"}, "a\r\nb\r\n"},
      {"a\nb\n", {"a", "b"}, "a\r\nb\r\n"},
      {"a\rb\r", {"a", "b"}, "a\r\nb\r\n"},
      {"a\r\n\r\n", {"a", ""}, "a\r\n\r\n"},
      {"\r\n", {""}, "\r\n"},
      {"a\n\rb", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
      {std::string("x\0y\nz", 5), {std::string("x\0y", 3), "z"}, std::string("x\0y\r\nz\r\n", 8)},
  };
  TStringList list;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    list.SetText(c.text);
    EXPECT_EQ(Lines(list), c.lines);
    EXPECT_EQ(list.Text().str(), c.written);
    list.SetText(list.Text().view());
    EXPECT_EQ(Lines(list), c.lines);
  }
}

TEST(StringListTest, CommaTextQuotesWhatWouldNotSurviveAndReadsItBack) {
  struct Case {
    std::vector<std::string> lines;
    std::string comma;
  } cases[] = {
      {{}, ""},
      {{""}, "\"\""},
      {{"a", "b"}, "a,b"},
      {{"a b", "c"}, "\"a b\",c"},
      {{"say \"hi\"", "x,y"}, "\"say \"\"hi\"\"\",\"x,y\""},
      {{"a", "", "b"}, "a,,b"},
      {{"", "a"}, ",a"},
      {{"a", ""}, "a,"},
      {{" lead", "tab\there"}, "\" lead\",\"tab\there\""},
  };
  TStringList list;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.comma);
    SetLines(list, c.lines);
    EXPECT_EQ(list.CommaText().str(), c.comma);
    list.SetCommaText("junk");
    list.SetCommaText(c.comma);
    EXPECT_EQ(Lines(list), c.lines);
  }
  // Reading: blanks outside quotes separate too and are dropped.
  list.SetCommaText("  a, \"b \"\"x\"\" c\"  ,d e,\"open");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b \"x\" c", "d", "e", "open"}));
}

TEST(StringListTest, DelimitedTextUsesDelimiterQuoteAndStrictMode) {
  TStringList list;
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  SetLines(list, {"a b", "it's", "c"});
  EXPECT_EQ(list.DelimitedText(), "'a b';'it''s';c");
  list.SetDelimitedText("x y;'p;q'");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"x", "y", "p;q"}));
  list.SetStrictDelimiter(true);
  list.SetDelimitedText(" x y ;;z;");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{" x y ", "", "z", ""}));
  SetLines(list, {" x y ", "p;q"});
  EXPECT_EQ(list.DelimitedText(), " x y ;'p;q'");
  // CommaText keeps its own delimiter and quote.
  EXPECT_EQ(list.CommaText(), "\" x y \",p;q");
}

TEST(StringListTest, SortedListsKeepOrderAndApplyDuplicates) {
  TStringList list;
  SetLines(list, {"pear", "Apple", "fig"});
  list.SetSorted(true);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Apple", "fig", "pear"}));
  EXPECT_EQ(list.Add("banana"), 1);
  EXPECT_EQ(list.IndexOf("PEAR"), 3);

  // dupIgnore: the existing line's index, nothing added.
  EXPECT_EQ(list.Add("APPLE"), 0);
  EXPECT_EQ(list.Count(), 4);
  list.SetDuplicates(dupError);
  try {
    list.Add("Fig");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  list.SetDuplicates(dupAccept);
  list.Add("Fig");
  EXPECT_EQ(list.Count(), 5);

  int index = -1;
  EXPECT_TRUE(list.Find("fig", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find("cherry", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find("zz", index));
  EXPECT_EQ(index, 5);

  for (auto change : {+[](TStringList& l) { l.Insert(0, "x"); }, +[](TStringList& l) { l.SetStrings(0, "x"); },
                      +[](TStringList& l) { l.Move(0, 2); }}) {
    try {
      change(list);
      FAIL();
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), "Operation not allowed on sorted list");
    }
  }
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Apple", "banana", "Fig", "fig", "pear"}));

  // Case-sensitive order is byte order; the switch re-sorts.
  list.SetCaseSensitive(true);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Apple", "Fig", "banana", "fig", "pear"}));
  EXPECT_EQ(list.IndexOf("FIG"), -1);
  EXPECT_EQ(list.IndexOf("Fig"), 1);
  list.SetSorted(false);
  list.Insert(0, "zebra");
  EXPECT_EQ(list.Get(0), "zebra");
}

TEST(StringListTest, UnsortedSearchAndSortRespectCase) {
  TStringList list;
  SetLines(list, {"b", "A", "a", "B"});
  EXPECT_EQ(list.IndexOf("a"), 1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("a"), 2);
  list.SetCaseSensitive(false);
  list.Sort();  // stable: equal lines keep their order
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"A", "a", "b", "B"}));
  // Letters beyond ASCII fold by the process code page.
  if (ProcessCodePage() == cpWindows1252) {
    list.Add("caf\xe9");
    EXPECT_EQ(list.IndexOf("CAF\xc9"), 4);
    list.Delete(4);
  }
  list.CustomSort([](TStringList& l, int i, int j) {
    return static_cast<int>(l.Get(j).view()[0]) - static_cast<int>(l.Get(i).view()[0]);
  });
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"b", "a", "B", "A"}));
}

// The order CompareStrings gives, worked out by a stable sort on it, written out here
// letter by letter.
std::string SortKey(const std::string& s, bool caseSensitive) {
  std::string k = s;
  if (!caseSensitive)
    for (char& c : k) c = AnsiUpperChar(c);
  return k;
}

std::vector<std::string> StableSorted(std::vector<std::string> lines, bool caseSensitive) {
  auto key = [&](const std::string& s) { return SortKey(s, caseSensitive); };
  std::stable_sort(lines.begin(), lines.end(), [&](const std::string& a, const std::string& b) {
    const std::string ka = key(a), kb = key(b);
    return std::lexicographical_compare(ka.begin(), ka.end(), kb.begin(), kb.end(),
                                        [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
  });
  return lines;
}

TEST(StringListTest, SortIsAStableSortByTheListsComparison) {
  if (!ProcessCodePageIsSingleByte()) GTEST_SKIP() << "byte-wise case folding";
  std::mt19937 random(7);
  const std::string letters = "aAbB\xe9\xc9 ";
  const std::string shared(300, 'q');
  for (int round = 0; round < 60; ++round) {
    std::vector<std::string> lines;
    for (int i = 0, n = 1 + static_cast<int>(random() % 80); i < n; ++i) {
      // Some lines share a long start, some are the start itself or empty.
      std::string line = random() % 3 == 0 ? shared : std::string();
      for (int k = 0, len = static_cast<int>(random() % 6); k < len; ++k) line += letters[random() % letters.size()];
      lines.push_back(line);
    }
    for (bool caseSensitive : {false, true}) {
      TStringList list;
      list.SetCaseSensitive(caseSensitive);
      SetLines(list, lines);
      list.Sort();
      ASSERT_EQ(Lines(list), StableSorted(lines, caseSensitive)) << round;
      // Sorted, every line is found at a line equal to it.
      list.SetSorted(true);
      for (const std::string& line : lines) {
        const int at = list.IndexOf(line);
        ASSERT_GE(at, 0) << line;
        EXPECT_EQ(SortKey(list.Get(at).str(), caseSensitive), SortKey(line, caseSensitive));
      }
    }
  }
}

TEST(StringListTest, NamesAndValues) {
  TStringList list;
  SetLines(list, {"Host=alpha", "Port=80", "plain", "=empty name", "Path=a=b"});
  EXPECT_EQ(list.Values("host"), "alpha");
  EXPECT_EQ(list.Values("Path"), "a=b");
  EXPECT_EQ(list.Values("plain"), "");
  EXPECT_EQ(list.Values("missing"), "");
  EXPECT_EQ(list.Names(0), "Host");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.Names(3), "");
  EXPECT_EQ(list.ValueFromIndex(2), "");
  EXPECT_EQ(list.IndexOfName("PORT"), 1);
  EXPECT_EQ(list.IndexOfName("plain"), -1);

  list.SetValues("port", "8080");
  EXPECT_EQ(list.Get(1), "port=8080");
  list.SetValues("User", "bob");
  EXPECT_EQ(list.Get(list.Count() - 1), "User=bob");
  list.SetValues("Host", "");
  EXPECT_EQ(list.IndexOfName("Host"), -1);
  EXPECT_EQ(list.Count(), 5);

  // A new value in a sorted list goes to its place, with no stray line.
  TStringList sorted;
  sorted.SetSorted(true);
  sorted.SetValues("b", "2");
  sorted.SetValues("a", "1");
  EXPECT_EQ(Lines(sorted), (std::vector<std::string>{"a=1", "b=2"}));
}

TEST(StringListTest, IndexErrorsNameTheIndex) {
  TStringList list;
  SetLines(list, {"a", "b", "c"});
  struct Case {
    const char* what;
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {"Get", [&] { list.Get(3); }, "List index out of bounds (3)"},
      {"Get -1", [&] { list.Get(-1); }, "List index out of bounds (-1)"},
      {"Put", [&] { list.SetStrings(5, "x"); }, "List index out of bounds (5)"},
      {"Objects", [&] { list.Objects(3); }, "List index out of bounds (3)"},
      {"Delete", [&] { list.Delete(3); }, "List index out of bounds (3)"},
      {"Insert", [&] { list.Insert(4, "x"); }, "List index out of bounds (4)"},
      {"Exchange", [&] { list.Exchange(0, 7); }, "List index out of bounds (7)"},
      {"Move", [&] { list.Move(0, 3); }, "List index out of bounds (3)"},
      {"Names", [&] { list.Names(9); }, "List index out of bounds (9)"},
      {"Capacity", [&] { list.SetCapacity(2); }, "List capacity out of bounds (2)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      c.call();
      FAIL();
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), c.message);
      EXPECT_EQ(e.ClassName(), "EStringListError");
    }
  }
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "c"}));
  list.Insert(3, "d");  // at the end is allowed
  EXPECT_EQ(list.Get(3), "d");
}

TEST(StringListTest, ChangeEventsAreHeldBackDuringUpdates) {
  TStringList list;
  std::vector<std::string> events;
  list.SetOnChanging([&](TObject*) { events.push_back("changing " + std::to_string(list.Count())); });
  list.SetOnChange([&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    events.push_back("change " + std::to_string(list.Count()));
  });
  list.Add("a");
  EXPECT_EQ(events, (std::vector<std::string>{"changing 0", "change 1"}));
  events.clear();
  list.SetText("x\ny\nz");  // one update
  EXPECT_EQ(events, (std::vector<std::string>{"changing 1", "change 3"}));
  events.clear();
  list.BeginUpdate();
  list.BeginUpdate();
  list.Delete(0);
  list.Exchange(0, 1);
  list.EndUpdate();
  EXPECT_EQ(events, (std::vector<std::string>{"changing 3"}));
  list.EndUpdate();
  list.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(events, (std::vector<std::string>{"changing 3", "change 2"}));
}

TEST(StringListTest, OwnedObjectsAreFreedWithTheirLines) {
  int alive = 0;
  {
    TStringList list(true);
    list.AddObject("a", new TCounted(&alive));
    list.AddObject("b", new TCounted(&alive));
    list.AddObject("c", new TCounted(&alive));
    list.AddObject("d", nullptr);
    EXPECT_EQ(alive, 3);
    list.Delete(0);
    EXPECT_EQ(alive, 2);
    list.SetObjects(0, new TCounted(&alive));  // replaces b's object
    EXPECT_EQ(alive, 2);
    list.Move(0, 2);
    list.Exchange(0, 1);
    EXPECT_EQ(alive, 2);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"d", "c", "b"}));
    EXPECT_NE(list.Objects(2), nullptr);
    EXPECT_EQ(list.IndexOfObject(list.Objects(1)), 1);
  }
  EXPECT_EQ(alive, 0);

  TStringList notOwning;
  TCounted kept(&alive);
  notOwning.AddObject("k", &kept);
  notOwning.Clear();
  EXPECT_EQ(alive, 1);

  TStringList owning(true);
  owning.AddObject("x", new TCounted(&alive));
  owning.Clear();
  EXPECT_EQ(alive, 1);
}

TEST(StringListTest, AssignCopiesLinesObjectsAndSeparators) {
  TStringList source;
  TStringList other;
  source.SetDelimiter(';');
  source.AddObject("one", &other);
  source.Add("two");
  TStringList copy;
  copy.Add("old");
  copy.Assign(&source);
  EXPECT_EQ(Lines(copy), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(copy.Objects(0), &other);
  EXPECT_EQ(copy.Delimiter(), ';');
  EXPECT_TRUE(copy.Equals(source));
  copy.Assign(&copy);
  EXPECT_EQ(copy.Count(), 2);
  copy.AddStrings(copy);
  EXPECT_EQ(Lines(copy), (std::vector<std::string>{"one", "two", "one", "two"}));
  EXPECT_FALSE(copy.Equals(source));
}

TEST(StringListTest, FilesKeepTheirBytes) {
  auto path = (std::filesystem::temp_directory_path() / "velmora_h4_strings.txt").string();
  TStringList list;
  SetLines(list, {"first", "", "caf\xe9 \x80", "last"});
  list.SaveToFile(path);
  {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "first\r\n\r\ncaf\xe9 \x80\r\nlast\r\n");
  }
  TStringList loaded;
  loaded.LoadFromFile(path);
  EXPECT_TRUE(loaded.Equals(list));
  std::filesystem::remove(path);
  try {
    loaded.LoadFromFile(path);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.ClassName(), "EFOpenError");
    EXPECT_EQ(e.Message(), "Cannot open file \"" + path + "\"");
  }
  EXPECT_EQ(loaded.Count(), 4);  // a failed load changes nothing
  auto dir = std::filesystem::temp_directory_path().string();
  try {
    list.SaveToFile(dir);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.ClassName(), "EFCreateError");
    EXPECT_EQ(e.Message(), "Cannot create file \"" + dir + "\". Not a regular file");
  }
  // A folder is no file to read either.
  try {
    loaded.LoadFromFile(dir);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.ClassName(), "EFOpenError");
    EXPECT_EQ(e.Message(), "Cannot open file \"" + dir + "\". Not a regular file");
  }
}

}  // namespace
}  // namespace rtl
