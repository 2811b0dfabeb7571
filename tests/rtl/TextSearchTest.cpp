// Finding one text in another: the same first occurrence as a plain scan for short and
// long patterns, periodic ones included, from any start; and long work (searching,
// sorting, filling sorted lists) reported to the thread's long work listener, which can
// stop it.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "rtl/LongWork.h"
#include "rtl/StringList.h"
#include "rtl/TextSearch.h"

namespace rtl {
namespace {

// The plain scan the search must agree with.
std::size_t Naive(std::string_view text, std::string_view pattern, std::size_t from) {
  if (pattern.empty()) return TTextSearch::npos;
  for (std::size_t j = from; j + pattern.size() <= text.size(); ++j)
    if (text.substr(j, pattern.size()) == pattern) return j;
  return TTextSearch::npos;
}

std::string RandomText(std::mt19937& random, std::size_t length, const std::string& alphabet) {
  std::string s(length, ' ');
  for (char& c : s) c = alphabet[random() % alphabet.size()];
  return s;
}

TEST(TextSearch, AgreesWithAPlainScan) {
  std::mt19937 random(24);
  // Small alphabets make patterns that occur, almost occur and repeat themselves.
  const std::string alphabets[] = {"ab", "abc", "a\xff", "abcdefgh"};
  for (int round = 0; round < 4000; ++round) {
    const std::string& alphabet = alphabets[round % 4];
    const std::string pattern = RandomText(random, 1 + random() % 40, alphabet);
    std::string text = RandomText(random, random() % 200, alphabet);
    // Plant the pattern, or a near miss of it, now and then.
    if (round % 3 == 0 && text.size() > pattern.size())
      text.replace(random() % (text.size() - pattern.size()), pattern.size(), pattern);
    const std::size_t from = text.empty() ? 0 : random() % (text.size() + 2);
    const TTextSearch search(pattern);
    ASSERT_EQ(search.Find(text, from), Naive(text, pattern, from)) << text << " / " << pattern << " from " << from;
  }
}

TEST(TextSearch, PeriodicAndLongPatterns) {
  struct Case {
    std::string Text, Pattern;
    std::size_t Expected;
  };
  const std::string as(1000, 'a');
  const Case cases[] = {
      {as + "b", as.substr(0, 40) + "b", 960},
      {as, as.substr(0, 40) + "b", TTextSearch::npos},
      {"abababababababababababababababac", "ababababababababababac", 10},
      {"xabcabcabcabcabcabcabcabcabcabcabcaby", "abcabcabcabcabcabcabcaby", 13},
      {as + as, as + "a", 0},
      {"", "a", TTextSearch::npos},
      {"abc", "", TTextSearch::npos},
  };
  for (const Case& c : cases) EXPECT_EQ(FindText(c.Text, c.Pattern), c.Expected) << c.Pattern;
  // A pattern longer than what is left after the start.
  EXPECT_EQ(FindText("abcdef", "def", 4), TTextSearch::npos);
  EXPECT_EQ(FindText("abcdef", "def", 7), TTextSearch::npos);
}

TEST(TextSearch, CommonPrefixLength) {
  const std::string a(300, 'x');
  std::string b = a;
  b[200] = 'y';
  EXPECT_EQ(CommonPrefixLength(a, b), 200u);
  EXPECT_EQ(CommonPrefixLength(a, a.substr(0, 77)), 77u);
  EXPECT_EQ(CommonPrefixLength("", a), 0u);
}

// Stops whatever long work it hears of.
struct EWorkStopped {};
class TStopper final : public TLongWorkListener {
public:
  TStopper() : FPrevious(SetLongWorkListener(this)) {}
  ~TStopper() { SetLongWorkListener(FPrevious); }
  void LongWorkGoesOn() override { throw EWorkStopped(); }

private:
  TLongWorkListener* FPrevious;
};

TEST(LongWork, SearchesAndSortsCanBeStopped) {
  const std::string text(8 << 20, 'a');
  TStopper stopper;
  EXPECT_THROW(FindText(text, "b"), EWorkStopped);
  EXPECT_THROW(FindText(text, std::string(30, 'a') + "b"), EWorkStopped);
  TStringList list;
  const std::string prefix(1 << 16, 'p');
  for (int i = 0; i < 64; ++i) list.Add(AnsiString(prefix + std::to_string(i % 7)));
  const std::string before = list.Text().str();
  EXPECT_THROW(list.Sort(), EWorkStopped);
  EXPECT_EQ(list.Text().str(), before);  // a stopped sort leaves the list as it was
  // A text set into a sorted list, each line going to the front.
  TStringList sorted;
  sorted.SetSorted(true);
  std::string lines;
  for (int i = 1000; i > 0; --i) lines += std::to_string(100000 + i) + "\n";
  EXPECT_THROW(sorted.SetText(lines), EWorkStopped);
}

}  // namespace
}  // namespace rtl
