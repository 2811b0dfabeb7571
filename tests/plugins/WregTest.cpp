// The settings store: item lines, sections and keys, the string encoding, property
// paths on settings objects, components and parameter lists, storage by kind in both
// stores, the value events, and failures that stay with their item.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "Private/Plugins/orbProxyCode.h"
#include "Private/Plugins/orbWreg.h"
#include "Private/Plugins/orbWregEncoding.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "rtl/CodePage.h"
#include "rtl/IniFile.h"
#include "rtl/VariantConvert.h"

namespace {

using orb::TWreg;
using orb::TWregItem;

// --- item lines, sections, keys ------------------------------------------------------

TEST(WregItems, LinesSplitIntoPathAndStorageName) {
  struct Case {
    const char* Line;
    bool Valid;
    const char* Path;
    const char* SubPath;
    const char* Value;
  };
  const Case cases[] = {
      {"Top,Top", true, "Top", "", "Top"},
      {"  panRight.Width , Editor width ; the splitter", true, "panRight.Width", "", "Editor width"},
      {"Top;Stored;comment", true, "Top", "", "Stored"},
      {"edtExpr.Lines,Script;Language", true, "edtExpr.Lines", "", "Script"},
      {"Top,Form\\Top", true, "Top", "Form", "Top"},
      {"Top,\\\\Form\\\\\\Inner\\Top", true, "Top", "Form\\Inner", "Top"},
      {"Top", false, "", "", ""},
      {";---short---", false, "", "", ""},
      {"   ", false, "", "", ""},
      {",Top", false, "", "", ""},
      {"Top,", false, "", "", ""},
      {"Top, ;only a comment", false, "", "", ""},
      {"Top,Form\\", false, "", "", ""},
  };
  for (const auto& c : cases) {
    TWregItem item;
    ASSERT_EQ(orb::ParseWregItem(c.Line, item), c.Valid) << c.Line;
    if (!c.Valid) continue;
    EXPECT_EQ(item.PropertyPath, c.Path) << c.Line;
    EXPECT_EQ(item.SubPath, c.SubPath) << c.Line;
    EXPECT_EQ(item.ValueName, c.Value) << c.Line;
  }
}

TEST(WregItems, IniSectionsFollowThePrefix) {
  struct Case {
    const char* Prefix;
    const char* SubPath;
    const char* Section;
  };
  const Case cases[] = {
      {"Cfg{1:Port}", "", "Cfg{1:Port}.Common"},
      {"Cfg{1:Port}\\", "", "Cfg{1:Port}"},
      {"Cfg{1:Port}/", "", "Cfg{1:Port}"},
      {"", "", "Common"},
      {"Host", "Form", "Host.Form"},
      {"Host\\", "Form\\Inner", "Host.Form.Inner"},
      {"Host\\Sub", "", "Host.Sub.Common"},
      {"", "Form\\Inner", "Form.Inner"},
  };
  for (const auto& c : cases) EXPECT_EQ(orb::WregIniSection(c.Prefix, c.SubPath), c.Section) << c.Prefix;
}

TEST(WregItems, RegistryKeysAndLockNames) {
  EXPECT_EQ(orb::WregRegistryKey("\\Software\\Host\\", ""), "\\Software\\Host");
  EXPECT_EQ(orb::WregRegistryKey("\\Software\\Host\\\\", "Form"), "\\Software\\Host\\Form");
  EXPECT_EQ(orb::WregLockName("C:\\Data\\Host Config.INI"), "c__data_host_config_ini");
  EXPECT_EQ(orb::WregLockName("/tmp/a-b/Z9.ini"), "_tmp_a_b_z9_ini");
}

// --- the string encoding ---------------------------------------------------------------

TEST(WregEncoding, EncodesBytesAndBlanks) {
  struct Case {
    const char* Utf8;
    const char* Stored;
  };
  const Case cases[] = {
      {"abc", "abc"},
      {"100% + 1", "100%% %2B 1"},
      {"  x", "++x"},
      {"a  b", "a+ b"},
      {"a b ", "a b+"},
      {"line1\r\nline2", "line1%0D%0Aline2"},
      {"\xC3\xA4\x09", "%C3%A4%09"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(orb::WregEncodeUtf8(c.Utf8), c.Stored) << c.Utf8;
}

TEST(WregEncoding, DecodesEscapesAndOldTexts) {
  // UTF-8 behind the escapes becomes the process code page.
  EXPECT_EQ(orb::WregDecodeWide("%C3%A4+x%%"), u"\u00E4 x%");
  // A "%" that starts no escape stays; lower-case digits are read too.
  EXPECT_EQ(orb::WregDecode("50%!%zz%4a").str(), "50%!%zzJ");
  // Bytes that are not UTF-8 are taken as they are.
  EXPECT_EQ(orb::WregDecode("%E4b").str(), "\xE4" "b");
  // A text with bytes above 0x7F was written before the encoding: unchanged, "+" too.
  EXPECT_EQ(orb::WregDecode("\xE4+%41").str(), "\xE4+%41");
}

TEST(WregEncoding, RoundTripsAnyText) {
  const std::u16string texts[] = {u"  leading", u"trailing  ", u"% + %% ++", u"\u00FCber\r\n\tnext",
                                  u"\u20AC\u4E2D\U0001F600", u" "};
  for (const auto& t : texts) {
    std::string stored = orb::WregEncodeWide(t);
    for (char c : stored) {
      ASSERT_GT(static_cast<unsigned char>(c), 0x1F);
      ASSERT_LT(static_cast<unsigned char>(c), 0x80);
    }
    EXPECT_NE(stored.front(), ' ');
    EXPECT_NE(stored.back(), ' ');
    EXPECT_EQ(orb::WregDecodeWide(stored), t);
  }
}

// --- a component tree to store ----------------------------------------------------------

enum TAlign { alNone, alTop, alClient };
const rtl::TEnumInfo& AlignInfo() {
  static const rtl::TEnumInfo info{"TAlign", {"alNone", "alTop", "alClient"}};
  return info;
}

class TTestFont : public rtl::TPersistent {
  RTL_CLASS_INFO
public:
  std::int32_t Size = 8;
  rtl::AnsiString Name = "Sans";
};

class TTestControl : public rtl::TComponent {
  RTL_CLASS_INFO
public:
  explicit TTestControl(rtl::TComponent* owner = nullptr) : rtl::TComponent(owner) {}
  ~TTestControl() override {
    rtl::FreeObject(Lines);
    rtl::FreeObject(Font);
  }
  std::int32_t Width = 10;
  std::int64_t Big = 0;
  double Ratio = 0.5;
  bool Visible = true;
  TAlign Align = alNone;
  char Mark = 'x';
  rtl::AnsiString Caption;
  std::u16string Hint;
  rtl::Variant Data;
  std::int32_t ReadOnlyValue = 3;
  rtl::TStringList* Lines = rtl::CreateObject<rtl::TStringList>();
  TTestFont* Font = rtl::CreateObject<TTestFont>();
  rtl::TComponent* Buddy = nullptr;
  rtl::TComponent* HostDockSite = nullptr;
};

const rtl::TClassInfo& TTestFont::StaticClassInfo() {
  static const rtl::TClassInfo info = rtl::TClassBuilder<TTestFont>("TTestFont", &rtl::TPersistent::StaticClassInfo())
                                          .Property("Size", &TTestFont::Size, &TTestFont::Size)
                                          .Property("Name", &TTestFont::Name, &TTestFont::Name);
  return info;
}

const rtl::TClassInfo& TTestControl::StaticClassInfo() {
  using C = TTestControl;
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<C>("TTestControl", &rtl::TComponent::StaticClassInfo())
          .Property("Width", &C::Width, &C::Width)
          .Property("Big", &C::Big, &C::Big)
          .Property("Ratio", &C::Ratio, &C::Ratio)
          .Property("Visible", &C::Visible, &C::Visible)
          .Enum("Align", AlignInfo(), &C::Align, &C::Align)
          .Property("Mark", &C::Mark, &C::Mark)
          .Property("Caption", &C::Caption, &C::Caption)
          .Property("Hint", &C::Hint, &C::Hint)
          .Property("Data", &C::Data, &C::Data)
          .Property("ReadOnlyValue", &C::ReadOnlyValue)
          .Property("Lines", &C::Lines)
          .Property("Font", &C::Font)
          .Property("Buddy", &C::Buddy, &C::Buddy)
          .Property("HostDockSite", &C::HostDockSite, &C::HostDockSite);
  return info;
}

// A form: a control that owns controls.
struct Form {
  Form() {
    Root->SetName("frmTest");
    Panel->SetName("panRight");
    Edit->SetName("edtExpr");
  }
  ~Form() { rtl::FreeObject(Root); }
  TTestControl* Root = rtl::CreateObject<TTestControl>();
  TTestControl* Panel = rtl::CreateObject<TTestControl>(Root);
  TTestControl* Edit = rtl::CreateObject<TTestControl>(Root);
};

std::string TempPath(const std::string& name) {
  auto dir = std::filesystem::temp_directory_path() /
             ("velmora-test-" + std::to_string(platform::CurrentProcessId()));
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class WregIniTest : public ::testing::Test {
protected:
  void SetUp() override {
    File = TempPath(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".ini");
    std::filesystem::remove(File);
    Store->INIFile = File;
    Store->INIFileSectionPrefix = "Host";
  }
  void TearDown() override { std::filesystem::remove(File); }
  void Items(std::initializer_list<const char*> lines) {
    Store->ComponentLines()->Clear();
    for (const char* l : lines) Store->ComponentLines()->Add(l);
  }
  std::string Value(const char* section, const char* key) {
    rtl::TIniFile ini(File);
    ini.Load();
    return ini.ReadString(section, key, "<none>");
  }

  std::string File;
  rtl::TObjectPtr<TWreg> Store = rtl::MakeObject<TWreg>();
};

TEST_F(WregIniTest, EveryKindIsStoredAndReadBack) {
  Form saved;
  TTestControl& e = *saved.Edit;
  e.Width = -42;
  e.Big = 0x123456789LL;
  e.Ratio = 0.1;
  e.Visible = false;
  e.Align = alClient;
  e.Mark = '%';
  e.Caption = "  caf\xE9 +100%";
  e.Hint = u"\u4E2D\u6587";
  e.Data = rtl::Variant(std::int32_t(77));
  e.Lines->SetText("first\r\n  second\r\n\r\n");
  e.Font->Size = 14;
  e.Buddy = saved.Panel;
  Items({"edtExpr.Width,W", "edtExpr.Big,Big", "edtExpr.Ratio,Ratio", "edtExpr.Visible,Visible", "edtExpr.Align,Align",
         "edtExpr.Mark,Mark", "edtExpr.Caption,Caption", "edtExpr.Hint,Hint", "edtExpr.Data,Data",
         "edtExpr.Lines,Lines", "edtExpr.Font.Size,FontSize", "edtExpr.Buddy,Buddy"});
  ASSERT_TRUE(Store->Save(saved.Root));

  EXPECT_EQ(Value("Host.Common", "W"), "-42");
  EXPECT_EQ(Value("Host.Common", "Big"), "4886718345");
  EXPECT_EQ(Value("Host.Common", "Ratio"), "0.1");
  EXPECT_EQ(Value("Host.Common", "Visible"), "False");
  EXPECT_EQ(Value("Host.Common", "Align"), "alClient");
  EXPECT_EQ(Value("Host.Common", "Caption"), "++caf%C3%A9 %2B100%%");
  EXPECT_EQ(Value("Host.Common", "Data"), "77");
  EXPECT_EQ(Value("Host.Common", "Lines"), "first%0D%0A+ second%0D%0A%0D%0A");
  EXPECT_EQ(Value("Host.Common", "FontSize"), "14");
  EXPECT_EQ(Value("Host.Common", "Buddy"), "Application.frmTest.panRight");

  Form loaded;
  loaded.Edit->Data = rtl::Variant();
  ASSERT_TRUE(Store->Load(loaded.Root));
  const TTestControl& l = *loaded.Edit;
  EXPECT_EQ(l.Width, -42);
  EXPECT_EQ(l.Big, 0x123456789LL);
  EXPECT_EQ(l.Ratio, 0.1);
  EXPECT_FALSE(l.Visible);
  EXPECT_EQ(l.Align, alClient);
  EXPECT_EQ(l.Mark, '%');
  EXPECT_EQ(l.Caption.str(), "  caf\xE9 +100%");
  EXPECT_EQ(l.Hint, u"\u4E2D\u6587");
  EXPECT_EQ(rtl::VarToAnsiString(l.Data).str(), "77");
  EXPECT_EQ(l.Lines->Text().str(), "first\r\n  second\r\n\r\n");
  EXPECT_EQ(l.Font->Size, 14);
  EXPECT_EQ(l.Buddy, loaded.Panel);
}

TEST_F(WregIniTest, EmptyValuesRemoveWhatWasStoredAndMissingValuesChangeNothing) {
  Form form;
  form.Edit->Caption = "text";
  form.Edit->Buddy = form.Panel;
  Items({"edtExpr.Caption,Caption", "edtExpr.Buddy,Buddy", "edtExpr.Width,Width"});
  Store->Save(form.Root);
  form.Edit->Caption = "";
  form.Edit->Buddy = nullptr;
  Store->Save(form.Root);
  EXPECT_EQ(Value("Host.Common", "Caption"), "<none>");
  EXPECT_EQ(Value("Host.Common", "Buddy"), "<none>");
  EXPECT_EQ(Value("Host.Common", "Width"), "10");

  Form other;
  other.Edit->Caption = "kept";
  other.Edit->Buddy = other.Panel;
  Items({"edtExpr.Caption,Caption", "edtExpr.Buddy,Buddy", "edtExpr.Width,Nothing"});
  other.Edit->Width = 99;
  Store->Load(other.Root);
  EXPECT_EQ(other.Edit->Caption.str(), "kept");
  EXPECT_EQ(other.Edit->Buddy, other.Panel);
  EXPECT_EQ(other.Edit->Width, 99);
}

TEST_F(WregIniTest, ComponentReferencesAndNull) {
  {
    rtl::TIniFile ini(File);
    ini.WriteString("Host.Common", "Buddy", "[[Null]]");
    ini.WriteString("Host.Common", "Dock", "[[Null]]");
    ini.WriteString("Host.Common", "Panel", "Application.frmTest.panRight");
    ini.WriteString("Host.Common", "Lost", "Application.frmTest.gone");
    ASSERT_TRUE(ini.UpdateFile());
  }
  Form form;
  form.Edit->Buddy = form.Root;
  form.Edit->HostDockSite = form.Root;
  form.Panel->Buddy = form.Root;
  Items({"edtExpr.Buddy,Buddy", "edtExpr.HostDockSite,Dock", "panRight.Buddy,Lost"});
  Store->Load(form.Root);
  EXPECT_EQ(form.Edit->Buddy, nullptr);
  EXPECT_EQ(form.Edit->HostDockSite, form.Root);  // docking sites keep theirs
  EXPECT_EQ(form.Panel->Buddy, form.Root);       // a path naming nothing changes nothing

  // A short path is looked for from the target; a full one from the form it names.
  Items({"edtExpr.Buddy,Panel", "panRight.Buddy,Edit"});
  {
    rtl::TIniFile ini(File);
    ini.Load();
    ini.WriteString("Host.Common", "Edit", "edtExpr");
    ASSERT_TRUE(ini.UpdateFile());
  }
  Store->Load(form.Root);
  EXPECT_EQ(form.Edit->Buddy, form.Panel);
  EXPECT_EQ(form.Panel->Buddy, form.Edit);
}

TEST_F(WregIniTest, PathsWalkComponentsAndStopAtTheLastProperty) {
  Form form;
  form.Panel->Width = 321;
  form.Root->Width = 5;
  form.Edit->Font->Size = 11;
  form.Edit->Lines->Add("x");
  // "Width" of the form itself; a path whose first part names no component is taken
  // as properties of the target; "Lines.Count" ends at Lines; unknown first
  // properties and events are not stored.
  Items({"Width,FormWidth", "panRight.Width,PanelWidth", "Font.Size,RootFont", "edtExpr.Lines.Count,Lines",
         "edtExpr.Nothing,Nothing", "Nothing.Width,Nothing2", "edtExpr.Font.Nothing,FontStop"});
  Store->Save(form.Root);
  EXPECT_EQ(Value("Host.Common", "FormWidth"), "5");
  EXPECT_EQ(Value("Host.Common", "PanelWidth"), "321");
  EXPECT_EQ(Value("Host.Common", "RootFont"), "8");
  EXPECT_EQ(Value("Host.Common", "Lines"), "x%0D%0A");
  EXPECT_EQ(Value("Host.Common", "Nothing"), "<none>");
  EXPECT_EQ(Value("Host.Common", "Nothing2"), "<none>");
  // Font is a plain object, not a component: nothing to store.
  EXPECT_EQ(Value("Host.Common", "FontStop"), "<none>");
}

TEST_F(WregIniTest, FormsOfTheApplicationAreFoundByName) {
  Form main, other;
  other.Root->SetName("frmOther");
  other.Panel->Width = 77;
  orb::SetWregApplication({[&] { return static_cast<rtl::TComponent*>(main.Root); },
                           [&](std::string_view name) -> rtl::TComponent* {
                             if (name == "frmOther") return other.Root;
                             return nullptr;
                           }});
  Items({"frmOther.panRight.Width,Other", "Width,Main"});
  main.Root->Width = 12;
  Store->Save(nullptr);
  orb::SetWregApplication({});
  EXPECT_EQ(Value("Host.Common", "Other"), "77");
  EXPECT_EQ(Value("Host.Common", "Main"), "12");
}

TEST_F(WregIniTest, SettingsObjectsJoinThePathWithUnderscores) {
  auto cfg = rtl::MakeObject<orb::TProxyCodeObject>();
  EXPECT_EQ(cfg->Top, 184);
  EXPECT_EQ(cfg->Left, 314);
  EXPECT_EQ(cfg->Width, 463);
  EXPECT_EQ(cfg->Height, 278);
  EXPECT_EQ(cfg->fsTree1_Width, 157);
  EXPECT_EQ(cfg->edtExpr_Lines->Count(), 0);
  EXPECT_EQ(cfg->comboType_ItemIndex, 0);
  cfg->edtExpr_Lines->Add("begin end.");
  cfg->comboType_ItemIndex = 2;
  Items({"edtExpr.Lines,Script", "comboType.ItemIndex,Language", "fsTree1.Width,Tree", "panRight.Width,Editor width"});
  Store->Save(cfg.get());
  EXPECT_EQ(Value("Host.Common", "Script"), "begin end.%0D%0A");
  EXPECT_EQ(Value("Host.Common", "Language"), "2");
  EXPECT_EQ(Value("Host.Common", "Tree"), "157");
  EXPECT_EQ(Value("Host.Common", "Editor width"), "<none>");
}

TEST_F(WregIniTest, ParameterListsKeepTextsUnencoded) {
  orb::TorbParamsList params;
  params.Add("Port_Name", rtl::Variant(rtl::AnsiString("  COM1 %")));
  params.Add("Speed", rtl::Variant(std::int32_t(9600)));
  Items({"Port.Name,Port", "Speed,Speed", "Missing,Missing"});
  Store->Save(&params);
  EXPECT_EQ(Value("Host.Common", "Port"), "COM1 %");  // the file trims what is not encoded
  EXPECT_EQ(Value("Host.Common", "Speed"), "9600");

  orb::TorbParamsList loaded;
  Store->Load(&loaded);
  rtl::Variant v;
  loaded.ReadValue("Speed", 0, v);
  EXPECT_TRUE(v.IsString());
  EXPECT_EQ(rtl::VarToAnsiString(v).str(), "9600");
  loaded.ReadValue("Port_Name", 0, v);
  EXPECT_EQ(rtl::VarToAnsiString(v).str(), "COM1 %");
  EXPECT_EQ(loaded.IndexOfName("Missing"), -1);
}

TEST_F(WregIniTest, AFailingItemLeavesTheOthers) {
  {
    rtl::TIniFile ini(File);
    ini.WriteString("Host.Common", "W", "not a number");
    ini.WriteString("Host.Common", "Align", "alSideways");
    ini.WriteString("Host.Common", "Ratio", "1,5");
    ini.WriteString("Host.Common", "RO", "9");
    ini.WriteString("Host.Common", "Caption", "fine");
    ASSERT_TRUE(ini.UpdateFile());
  }
  Form form;
  Items({"edtExpr.Width,W", "edtExpr.Align,Align", "edtExpr.ReadOnlyValue,RO", "edtExpr.Ratio,Ratio",
         "edtExpr.Caption,Caption"});
  EXPECT_TRUE(Store->Load(form.Root));
  EXPECT_EQ(form.Edit->Width, 10);
  EXPECT_EQ(form.Edit->Align, alNone);
  EXPECT_EQ(form.Edit->ReadOnlyValue, 3);
  EXPECT_EQ(form.Edit->Ratio, 1.5);
  EXPECT_EQ(form.Edit->Caption.str(), "fine");
  // The damaged values stay in the file: only the registry repairs itself.
  EXPECT_EQ(Value("Host.Common", "W"), "not a number");
}

TEST_F(WregIniTest, ValuesAFileLineCannotHoldFailAlone) {
  Form form;
  form.Edit->Data = rtl::Variant(rtl::AnsiString("two\r\nlines"));
  form.Edit->Caption = "ok";
  Items({"edtExpr.Data,Data", "edtExpr.Caption,Key=Broken", "edtExpr.Caption,Caption"});
  Store->Save(form.Root);
  EXPECT_EQ(Value("Host.Common", "Data"), "<none>");
  EXPECT_EQ(Value("Host.Common", "Caption"), "ok");
  const std::string text = ReadFile(File);
  EXPECT_EQ(text.find("lines"), std::string::npos);
  EXPECT_EQ(text.find("Broken"), std::string::npos);
}

TEST(WregCustom, ValuesGoThroughTheEventsAndVirtualItemsSkipTheProperty) {
  std::map<std::string, rtl::Variant> store;
  std::vector<std::string> asked;
  auto wreg = rtl::MakeObject<TWreg>();
  wreg->INIFile = "$CUSTOM$";
  for (const char* l : {"edtExpr.Width,Sub\\W", "edtExpr.Caption,Caption", "Virtual.Thing,Extra", "edtExpr.Ratio,R"})
    wreg->ComponentLines()->Add(l);
  wreg->SetValue = [&](rtl::TObject* sender, const std::string& name, int index, const rtl::Variant& v) {
    EXPECT_EQ(sender, wreg.get());
    if (name == "Thing") {
      EXPECT_EQ(index, 2);
      store["virtual-set"] = v;
      return;
    }
    if (v.IsEmpty())
      store.erase(name);
    else
      store[name] = v;
  };
  wreg->GetValue = [&](rtl::TObject*, const std::string& name, int, rtl::Variant& v) {
    asked.push_back(name);
    if (name == "Thing") {
      v = rtl::Variant(rtl::AnsiString("a b"));
      return;
    }
    auto it = store.find(name);
    if (it != store.end()) v = it->second;
  };
  wreg->BeforeProcessItem = [](rtl::TObject*, const std::string& name, int index, bool& require, bool& isVirtual,
                               rtl::TTypeKind& kind) {
    if (name == "Thing") {
      EXPECT_FALSE(require);  // no such property
      require = isVirtual = true;
      kind = rtl::tkString;
    }
    if (index == 3) require = false;  // the ratio is left out
  };
  Form form;
  form.Edit->Width = 64;
  form.Edit->Caption = "hello world";
  ASSERT_TRUE(wreg->Save(form.Root));
  EXPECT_EQ(rtl::VarToInt32(store["Sub\\W"]), 64);
  EXPECT_EQ(rtl::VarToAnsiString(store["Caption"]).str(), "hello world");
  EXPECT_EQ(rtl::VarToAnsiString(store["Extra"]).str(), "a b");
  EXPECT_EQ(store.count("R"), 0u);

  Form loaded;
  store["Extra"] = rtl::Variant(rtl::AnsiString("++x%2B"));
  asked.clear();
  ASSERT_TRUE(wreg->Load(loaded.Root));
  EXPECT_EQ(loaded.Edit->Width, 64);
  EXPECT_EQ(loaded.Edit->Caption.str(), "hello world");
  EXPECT_EQ(rtl::VarToAnsiString(store["virtual-set"]).str(), "  x+");
  EXPECT_EQ(asked, (std::vector<std::string>{"Sub\\W", "Caption", "Extra"}));
}

// --- the registry -------------------------------------------------------------------------

class WregRegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    Key = "Software\\VelmoraTest-wreg-" + std::to_string(platform::CurrentProcessId());
    Store->RegistryPath = "\\" + Key + "\\";
    Store->RegistryRoot = orb::rrHKEY_CURRENT_USER;
    Store->SecondRegistryRoot = orb::rrNone;
  }
  void TearDown() override {
    platform::DeleteRegistryKey(1, Key);
    platform::DeleteRegistryKey(2, Key);
  }
  void Items(std::initializer_list<const char*> lines) {
    Store->ComponentLines()->Clear();
    for (const char* l : lines) Store->ComponentLines()->Add(l);
  }
  platform::RegistryValue Raw(const std::string& sub, const char* name, int root = 1) {
    platform::RegistryKey key;
    platform::RegistryValue v;
    if (key.Open(root, Key + (sub.empty() ? "" : "\\" + sub), false)) key.ReadValue(name, v);
    return v;
  }

  std::string Key;
  rtl::TObjectPtr<TWreg> Store = rtl::MakeObject<TWreg>();
};

TEST_F(WregRegistryTest, KindsKeepTheirRegistryTypes) {
  Form form;
  form.Edit->Width = -7;
  form.Edit->Big = -0x100000000LL;
  form.Edit->Ratio = 2.25;
  form.Edit->Align = alTop;
  form.Edit->Caption = "x  y";
  form.Edit->Lines->SetText("a\r\nb");
  Items({"edtExpr.Width,W", "edtExpr.Big,Big", "edtExpr.Ratio,Form\\Ratio", "edtExpr.Align,Align",
         "edtExpr.Caption,Caption", "edtExpr.Lines,Lines"});
  ASSERT_TRUE(Store->Save(form.Root));

  auto w = Raw("", "W");
  EXPECT_EQ(w.Type, platform::rvInteger);
  EXPECT_EQ(static_cast<std::int32_t>(w.Integer), -7);
  EXPECT_EQ(Raw("", "Big").Type, platform::rvString);
  auto ratio = Raw("Form", "Ratio");
  ASSERT_EQ(ratio.Type, platform::rvBinary);
  ASSERT_EQ(ratio.Data.size(), 8u);
  double d = 0;
  std::memcpy(&d, ratio.Data.data(), 8);
  EXPECT_EQ(d, 2.25);
  EXPECT_EQ(Raw("", "Align").Data, "alTop");
  EXPECT_EQ(Raw("", "Caption").Data, "x+ y");
  EXPECT_EQ(Raw("", "Lines").Data, "a%0D%0Ab%0D%0A");

  Form loaded;
  ASSERT_TRUE(Store->Load(loaded.Root));
  EXPECT_EQ(loaded.Edit->Width, -7);
  EXPECT_EQ(loaded.Edit->Big, -0x100000000LL);
  EXPECT_EQ(loaded.Edit->Ratio, 2.25);
  EXPECT_EQ(loaded.Edit->Align, alTop);
  EXPECT_EQ(loaded.Edit->Caption.str(), "x  y");
  EXPECT_EQ(loaded.Edit->Lines->Count(), 2);
}

TEST_F(WregRegistryTest, DamagedValuesAreRemovedAndStringsAcceptNumbers) {
  {
    platform::RegistryKey key;
    ASSERT_TRUE(key.Open(1, Key, true));
    key.WriteString("W", "wide");                 // an integer stored as text that is no number
    key.WriteInteger("Ratio", 3);                   // a float that is not 8 bytes
    key.WriteString("Align", "alSideways");         // an unknown name
    key.WriteInteger("Caption", static_cast<std::uint32_t>(-12));  // a number for a string
    double half = 0.5;
    key.WriteBinary("Hint", &half, sizeof half);
  }
  Form form;
  Items({"edtExpr.Width,W", "edtExpr.Ratio,Ratio", "edtExpr.Align,Align", "edtExpr.Caption,Caption",
         "edtExpr.Hint,Hint"});
  ASSERT_TRUE(Store->Load(form.Root));
  EXPECT_EQ(form.Edit->Width, 10);
  EXPECT_EQ(form.Edit->Caption.str(), "-12");
  EXPECT_EQ(form.Edit->Hint, u"0.5");
  EXPECT_EQ(Raw("", "W").Type, platform::rvNone);
  EXPECT_EQ(Raw("", "Ratio").Type, platform::rvNone);
  EXPECT_EQ(Raw("", "Align").Type, platform::rvNone);
  EXPECT_EQ(Raw("", "Caption").Type, platform::rvInteger);
}

TEST_F(WregRegistryTest, RootsAreTriedInOrderAndAMissingPathFailsALoad) {
  Form form;
  Items({"edtExpr.Width,W"});
  // Nothing stored under either root: the load reports it.
  Store->RegistryRoot = orb::rrHKEY_LOCAL_MACHINE;
  Store->SecondRegistryRoot = orb::rrHKEY_CURRENT_USER;
  EXPECT_FALSE(Store->Load(form.Root));
  {
    platform::RegistryKey key;
    ASSERT_TRUE(key.Open(1, Key, true));
    key.WriteInteger("W", 55);
  }
  EXPECT_TRUE(Store->Load(form.Root));
  EXPECT_EQ(form.Edit->Width, 55);

  Store->RegistryRoot = orb::rrNone;
  EXPECT_FALSE(Store->Save(form.Root));
  EXPECT_FALSE(Store->Load(form.Root));
  Store->RegistryRoot = orb::rrHKEY_CURRENT_USER;
  Store->RegistryPath = "\\\\";
  EXPECT_FALSE(Store->Save(form.Root));
  Store->RegistryPath = "";
  EXPECT_FALSE(Store->Load(form.Root));
}

TEST(WregClass, PublishedPropertiesInOrder) {
  auto wreg = rtl::MakeObject<TWreg>();
  EXPECT_EQ(rtl::GetEnumProp(wreg.get(), "RegistryRoot"), "rrHKEY_LOCAL_MACHINE");
  EXPECT_EQ(rtl::GetEnumProp(wreg.get(), "SecondRegistryRoot"), "rrHKEY_CURRENT_USER");
  EXPECT_EQ(rtl::GetStrProp(wreg.get(), "RegistryPath").str(), "\\Software\\Company name\\App name");
  std::vector<std::string> names;
  for (const auto& p : TWreg::StaticClassInfo().DeclaredProperties()) names.push_back(p->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"RegistryRoot", "SecondRegistryRoot", "RegistryPath", "INIFile",
                                             "INIFileSectionPrefix", "Components", "SetValue", "GetValue",
                                             "BeforeProcessItem"}));
  auto* lines = dynamic_cast<rtl::TStrings*>(rtl::GetObjectProp(wreg.get(), "Components"));
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(lines, wreg->ComponentLines());
}

}  // namespace
