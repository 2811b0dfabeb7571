// The INI file: names that ignore case, values byte for byte, damaged content that
// is read around and kept, and rewriting in one step.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Process.h"
#include "rtl/IniFile.h"

namespace {

namespace fs = std::filesystem;
using rtl::TIniFile;

std::string Read(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class IniFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    Folder = fs::temp_directory_path() / ("velmora-ini-" + std::to_string(platform::CurrentProcessId()));
    fs::create_directories(Folder);
    File = (Folder / "test.ini").string();
  }
  void TearDown() override { fs::remove_all(Folder); }
  void Write(const std::string& text) { std::ofstream(File, std::ios::binary) << text; }

  fs::path Folder;
  std::string File;
};

TEST_F(IniFileTest, NamesIgnoreCaseAndTheFirstOneCounts) {
  Write("top=1\n[Main]\n  Key = value with  blanks  \r\nkey=second\n; Key=comment\n[main]\nOther=2\n[ Spaced ]\nx=\n");
  TIniFile ini(File);
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.ReadString("MAIN", "KEY", "?"), "value with  blanks");
  EXPECT_EQ(ini.ReadString("main", "Other", "?"), "?");  // the first [main] only
  EXPECT_EQ(ini.ReadString("Spaced", "x", "?"), "");
  EXPECT_TRUE(ini.ValueExists("spaced", "X"));
  EXPECT_EQ(ini.ReadString("", "top", "?"), "?");  // lines before any section
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Main", "Spaced"}));
  EXPECT_EQ(ini.ReadSectionKeys("Main"), std::vector<std::string>{"Key"});
}

TEST_F(IniFileTest, WritingChangesOnlyWhatItNames) {
  Write("\xEF\xBB\xBF; settings\n[A]\nx=1\n\n[B]\ny=2\ngarbage line\n");
  TIniFile ini(File);
  ASSERT_TRUE(ini.Load());
  ini.WriteString("a", "X", "10");
  ini.WriteString("A", "z", " 3 ");
  ini.WriteString("C", "w", "4");
  EXPECT_TRUE(ini.DeleteKey("b", "Y"));
  EXPECT_FALSE(ini.DeleteKey("b", "y"));
  ASSERT_TRUE(ini.UpdateFile());
  EXPECT_EQ(Read(File), "\xEF\xBB\xBF; settings\r\n[A]\r\nx=10\r\nz=3\r\n\r\n[B]\r\ngarbage line\r\n\r\n[C]\r\nw=4\r\n");
  ini.EraseSection("A");
  ASSERT_TRUE(ini.UpdateFile());
  TIniFile again(File);
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.ReadSections(), (std::vector<std::string>{"B", "C"}));
  // Nothing is left behind beside the file.
  EXPECT_EQ(std::distance(fs::directory_iterator(Folder), fs::directory_iterator()), 1);
}

TEST_F(IniFileTest, NamesAndValuesALineCannotHoldAreRefused) {
  TIniFile ini(File);
  EXPECT_THROW(ini.WriteString("S", "a=b", "v"), rtl::EIniFileError);
  EXPECT_THROW(ini.WriteString("S", "[a", "v"), rtl::EIniFileError);
  EXPECT_THROW(ini.WriteString("S", ";a", "v"), rtl::EIniFileError);
  EXPECT_THROW(ini.WriteString("S", " ", "v"), rtl::EIniFileError);
  EXPECT_THROW(ini.WriteString("S", "k", "two\nlines"), rtl::EIniFileError);
  EXPECT_THROW(ini.WriteString("S]", "k", "v"), rtl::EIniFileError);
  EXPECT_THROW(ini.WriteString("S\r", "k", "v"), rtl::EIniFileError);
  EXPECT_FALSE(ini.Modified());
  EXPECT_FALSE(ini.SectionExists("S"));
}

TEST_F(IniFileTest, DamagedContentIsReadAroundAndKept) {
  std::string garbage;
  for (int i = 0; i < 2048; ++i) garbage += static_cast<char>(i * 131);
  const std::string longValue(1 << 20, 'v');
  Write(garbage + std::string("\n[S]\nbinary\0=x\nlong=", 20) + longValue + "\n" + std::string(1 << 20, '=') + "\nk=1\n" + garbage);
  TIniFile ini(File);
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.ReadString("S", "long", "").size(), longValue.size());
  EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
  EXPECT_EQ(ini.ReadString("S", std::string("binary\0", 7), ""), "x");
  ini.WriteString("S", "k", "2");
  ASSERT_TRUE(ini.UpdateFile());
  const std::string text = Read(File);
  EXPECT_NE(text.find(std::string(1 << 20, '=')), std::string::npos);
  TIniFile again(File);
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.ReadString("S", "k", ""), "2");
  EXPECT_EQ(again.ReadString("S", "long", "").size(), longValue.size());
}

TEST_F(IniFileTest, AMissingFileIsEmptyAndAppearsOnWriting) {
  TIniFile ini(File);
  ASSERT_TRUE(ini.Load());
  EXPECT_TRUE(ini.ReadSections().empty());
  EXPECT_FALSE(fs::exists(File));
  ini.WriteString("New", "k", "v");
  ASSERT_TRUE(ini.UpdateFile());
  EXPECT_EQ(Read(File), "[New]\r\nk=v\r\n");
  // A file in a folder that does not exist cannot be written; nothing is claimed.
  TIniFile nowhere((Folder / "no" / "such.ini").string());
  nowhere.WriteString("S", "k", "v");
  EXPECT_FALSE(nowhere.UpdateFile());
}

}  // namespace
