// The base classes module as scripts use it: objects and components made, used and
// freed, what scripts own and what they may not free, and the module's members.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/fsTypeCheck.h"
#include "rtl/Component.h"
#include "rtl/Object.h"
#include "rtl/Strings.h"
#include "runtime/FunctionLibrariesTestSupport.h"
#include "runtime/SysFunctionsTestSupport.h"
#include "runtime/fsClassesRTTI.h"
#include "runtime/fsRegistry.h"

namespace fs {
namespace {

using test::RunOutcome;

class ClassesLibraryTest : public ::testing::Test {
protected:
  ClassesLibraryTest() {
    FHost.Registry().AddName(std::string(), new TfsClassesRTTI(&FHost.Registry()));
    // The grammars are read with the first compile and kept: objects counted from here
    // on are the scripts'.
    FHost.Run("begin end.");
  }

  // Runs source and expects it to finish without errors; gives what it printed.
  std::string Printed(const std::string& source, const std::string& dialect = "PascalScript") {
    RunOutcome out = FHost.Run(source, dialect);
    EXPECT_TRUE(out.Compiled) << out.CompileError;
    EXPECT_EQ(out.RunError, "");
    return out.Output;
  }
  std::string RunError(const std::string& source) {
    RunOutcome out = FHost.Run(source);
    EXPECT_TRUE(out.Compiled) << out.CompileError;
    return out.RunError;
  }
  std::size_t Owned() { return FHost.Script().Objects().Count(); }

  test::SysFunctionsHost FHost;
};

TEST_F(ClassesLibraryTest, ObjectsAndComponentsAreMadeUsedAndFreed) {
  const std::size_t before = rtl::TObject::LiveCount();
  EXPECT_EQ(Printed(R"(
var o: TObject; owner, c: TComponent;
begin
  o := TObject.Create;
  Print(o.ClassName);
  owner := TComponent.Create(nil);
  c := TComponent.Create(owner);
  c.Name := 'Child';
  Print(c.ClassName);
  Print(c.Owner = owner);
  Print(owner.Owner = nil);
  owner.Free;
  o.Free;
end.)"),
            "TObject\nTComponent\nTrue\nTrue\n");
  // The child went with its owner, and nothing is left.
  EXPECT_EQ(Owned(), 0u);
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

TEST_F(ClassesLibraryTest, ForgottenObjectsGoWhenTheScriptIsClearedOrFreed) {
  const std::size_t before = rtl::TObject::LiveCount();
  Printed(R"(
var a, b: TComponent;

function Make: TObject;
begin
  Result := TStringList.Create;
end;

begin
  a := TComponent.Create(nil);
  b := TComponent.Create(a);
  TObject.Create;
  TComponent;
  Make;
end.)");
  // What a routine makes belongs to the program as well.
  EXPECT_EQ(Owned(), 5u);
  EXPECT_EQ(rtl::TObject::LiveCount(), before + 5);
  FHost.Script().ClearProgram();
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

TEST_F(ClassesLibraryTest, FreeingTwiceOrUsingAFreedObjectIsARunTimeError) {
  EXPECT_EQ(RunError(R"(
var o: TObject;
begin
  o := TObject.Create;
  o.Free;
  o.Free;
end.)"),
            "6:3: Invalid pointer operation");
  EXPECT_EQ(RunError(R"(
var c: TComponent;
begin
  c := TComponent.Create(nil);
  c.Free;
  Print(c.Name);
end.)"),
            "6:3: Invalid pointer operation");
  // Free of nil does nothing; other members of nil raise.
  EXPECT_EQ(RunError("var o: TObject; begin o := nil; o.Free; end."), "");
  EXPECT_EQ(RunError("var o: TObject; begin o := nil; Print(o.ClassName); end."),
            "1:33: Cannot call CLASSNAME of a nil object");
}

TEST_F(ClassesLibraryTest, AChildFreedWithItsOwnerIsNotFreedAgain) {
  const std::size_t before = rtl::TObject::LiveCount();
  EXPECT_EQ(RunError(R"(
var a, b: TComponent;
begin
  a := TComponent.Create(nil);
  b := TComponent.Create(a);
  a.Free;
  b.Free;
end.)"),
            "7:3: Invalid pointer operation");
  FHost.Script().ClearProgram();
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

TEST_F(ClassesLibraryTest, AFreshInstanceThatItsConstructorRefusesGoesAtOnce) {
  EXPECT_EQ(RunError("var f: TFileStream; begin f := TFileStream.Create('no such folder/f', fmOpenRead); end."),
            "1:27: Cannot open file \"no such folder/f\"");
  EXPECT_EQ(Owned(), 0u);
}

TEST_F(ClassesLibraryTest, AComponentCannotOwnItselfOrItsOwner) {
  EXPECT_EQ(RunError(R"(
var a, b: TComponent;
begin
  a := TComponent.Create(nil);
  b := TComponent.Create(a);
  a.Create(b);
end.)"),
            "6:3: A component cannot be owned by itself or by a component it owns");
  EXPECT_EQ(RunError("var a: TComponent; begin a := TComponent.Create(nil); a.Create(a); end."),
            "1:55: A component cannot be owned by itself or by a component it owns");
}

TEST_F(ClassesLibraryTest, AComponentOfTheHostMayBeFreedAndLeavesItsOwner) {
  auto owner = rtl::MakeObject<rtl::TComponent>();
  new rtl::TComponent(owner.get());
  TfsRegistry(&FHost.Registry()).RegisterObject("Host", owner.get());
  TfsRegistry(&FHost.Registry()).RegisterObject("Child", owner->Components(0));
  EXPECT_EQ(RunError("begin Child.Free; end."), "");
  EXPECT_EQ(owner->ComponentCount(), 0);
  // The host's own component without owner stays the host's.
  EXPECT_EQ(RunError("begin Host.Free; end."), "1:7: Cannot free a TComponent that belongs to another object");
}

TEST_F(ClassesLibraryTest, StringListsWithNamesValuesAndTheDefaultProperty) {
  EXPECT_EQ(Printed(R"(
var sl: TStringList;
begin
  sl := TStringList.Create;
  sl.Add('alpha=1');
  sl.Add('beta=2');
  sl.Add('plain');
  Print(sl.Count);
  Print(sl[1]);
  sl[1] := 'beta=22';
  Print(sl.Strings[1]);
  Print(sl.Names[0]);
  Print(sl.Names[2]);
  Print(sl.Values['beta']);
  Print('[' + sl.Values['gamma'] + ']');
  sl.Values['gamma'] := '3';
  sl.Values['alpha'] := '';
  Print(sl.CommaText);
  Print(sl.IndexOfName('gamma'));
  sl.Move(0, 2);
  sl.Insert(0, 'first');
  sl.Delete(1);
  Print(sl.CommaText);
  sl.Text := 'x' + #13#10 + 'y';
  Print(sl.Count);
  sl.Free;
end.)"),
            "3\nbeta=2\nbeta=22\nalpha\n\n22\n[]\nbeta=22,plain,gamma=3\n2\nfirst,gamma=3,beta=22\n2\n");
  EXPECT_EQ(Owned(), 0u);
}

TEST_F(ClassesLibraryTest, SortingAndFindWriteTheIndexBack) {
  EXPECT_EQ(Printed(R"(
var sl: TStringList; i: Integer;
begin
  sl := TStringList.Create;
  sl.CommaText := 'pear,apple,fig';
  sl.Sort;
  Print(sl.CommaText);
  i := -1;
  Print(sl.Find('fig', i));
  Print(i);
  Print(sl.Find('banana', i));
  Print(i);
  sl.Sorted := True;
  sl.Duplicates := dupIgnore;
  sl.Add('apple');
  Print(sl.Count);
  Print(sl.Sorted);
  Print(sl.Duplicates = dupIgnore);
  sl.Free;
end.)"),
            "apple,fig,pear\nTrue\n1\nFalse\n1\n3\nTrue\nTrue\n");
}

TEST_F(ClassesLibraryTest, ObjectsAttachedToLinesAndListsHoldReferences) {
  EXPECT_EQ(Printed(R"(
var sl: TStringList; l: TList; a, b: TComponent;
begin
  a := TComponent.Create(nil);
  a.Name := 'A';
  b := TComponent.Create(nil);
  b.Name := 'B';
  sl := TStringList.Create;
  sl.AddObject('first', a);
  sl.InsertObject(0, 'zero', b);
  Print(TComponent(sl.Objects[1]).Name);
  sl.Objects[1] := b;
  Print(sl.IndexOfObject(b));
  l := TList.Create;
  Print(l.Add(a));
  l.Add(b);
  l.Insert(0, b);
  Print(l.Count);
  Print(l.IndexOf(a));
  Print(TComponent(l[0]).Name);
  l[0] := a;
  Print(l.Remove(a));
  l.Delete(0);
  Print(l.Count);
  l.Clear;
  l.Free; sl.Free; a.Free; b.Free;
end.)"),
            "A\n0\n0\n3\n1\nB\n0\n1\n");
  EXPECT_EQ(Owned(), 0u);
}

TEST_F(ClassesLibraryTest, IndexErrorsAreTheListsOwn) {
  struct Case {
    const char* Statement;
    const char* Error;
  } cases[] = {
      {"sl[3] := 'x'", "List index out of bounds (3)"},
      {"Print(sl[-1])", "List index out of bounds (-1)"},
      {"Print(sl.Names[5])", "List index out of bounds (5)"},
      {"sl.Delete(9)", "List index out of bounds (9)"},
      {"Print(l[0])", "List index out of bounds (0)"},
      {"l.Delete(2)", "List index out of bounds (2)"},
      {"Print(c.Items[0])", "List index out of bounds (0)"},
      {"Print(c[-1])", "List index out of bounds (-1)"},
      {"Print(x[1])", "List index out of bounds (1)"},
  };
  for (const Case& k : cases) {
    const std::string source =
        "var sl: TStringList; l: TList; c: TCollection; x: TfsXMLItem;\n"
        "begin sl := TStringList.Create; l := TList.Create; c := TCollection.Create; x := TfsXMLItem.Create; x.Add;\n" +
        std::string(k.Statement) + "; end.";
    EXPECT_EQ(RunError(source), std::string("3:1: ") + k.Error) << k.Statement;
  }
  // Nothing made by the failing scripts is left once they are cleared.
  FHost.Script().ClearProgram();
  EXPECT_EQ(Owned(), 0u);
}

TEST_F(ClassesLibraryTest, MemoryStreamsReadWriteSeekAndCopy) {
  EXPECT_EQ(Printed(R"(
var m, n: TMemoryStream; s: string; k: Integer;
begin
  m := TMemoryStream.Create;
  Print(m.Write('hello world', 5));
  Print(m.Write('!', 100));
  Print(m.Size);
  Print(m.Position);
  Print(m.Seek(0, soFromBeginning));
  s := 'unchanged';
  k := m.Read(s, 3);
  Print(IntToStr(k) + ' ' + s);
  k := m.Read(s, 1000);
  Print(IntToStr(k) + ' ' + s);
  k := m.Read(s, 10);
  Print(IntToStr(k) + ' [' + s + ']');
  Print(m.Seek(-2, soFromEnd));
  Print(m.Seek(1, soFromCurrent));
  m.Position := 1;
  n := TMemoryStream.Create;
  Print(n.CopyFrom(m, 3));
  Print(n.CopyFrom(m, 0));
  n.Position := 0;
  n.Read(s, 100);
  Print(s);
  m.Clear;
  Print(m.Size);
  n.SaveToStream(m);
  Print(m.Size);
  m.Free; n.Free;
end.)"),
            "5\n1\n6\n6\n0\n3 hel\n3 lo!\n0 []\n4\n5\n3\n6\nellhello!\n0\n9\n");
}

TEST_F(ClassesLibraryTest, StreamErrorsAreRunTimeErrors) {
  struct Case {
    const char* Statement;
    const char* Error;
  } cases[] = {
      {"m.CopyFrom(m2, 5)", "Stream read error"},
      {"m.CopyFrom(nil, 5)", "CopyFrom needs a stream, not nil"},
      {"m.Seek(0, 7)", "Invalid stream origin (7)"},
      {"sl.LoadFromStream(nil)", "LoadFromStream needs a stream, not nil"},
      {"TFileStream.Create('no such folder/no such file.txt', fmOpenRead)",
       "Cannot open file \"no such folder/no such file.txt\""},
      {"TFileStream.Create('no such folder/new.txt', fmCreate)", "Cannot create file \"no such folder/new.txt\""},
      {"TStream.Create", "Cannot create an instance of the abstract class TStream"},
      {"m.LoadFromFile('no such folder/x.bin')", "Cannot open file \"no such folder/x.bin\""},
      // A NUL would cut the name short: "a" would be opened, emptied or replaced.
      {"TFileStream.Create('a'#0'b.txt', fmCreate)", "Invalid file name \"a#0b.txt\""},
      {"TFileStream.Create('a'#0'b.txt', fmOpenRead)", "Invalid file name \"a#0b.txt\""},
      {"sl.SaveToFile('a'#0'b.txt')", "Invalid file name \"a#0b.txt\""},
      {"sl.LoadFromFile('a'#0'b.txt')", "Invalid file name \"a#0b.txt\""},
      {"m.SaveToFile('a'#0'b.txt')", "Invalid file name \"a#0b.txt\""},
  };
  const std::size_t before = rtl::TObject::LiveCount();
  for (const Case& k : cases) {
    const std::string source =
        "var m, m2: TMemoryStream; sl: TStringList;\n"
        "begin m := TMemoryStream.Create; m2 := TMemoryStream.Create; sl := TStringList.Create;\n" +
        std::string(k.Statement) + "; end.";
    EXPECT_EQ(RunError(source), std::string("3:1: ") + k.Error) << k.Statement;
  }
  FHost.Script().ClearProgram();
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

// A folder, a named pipe without a writer or a device is refused before it is opened:
// a pipe would keep the stream waiting for ever.
TEST_F(ClassesLibraryTest, StreamsAndListsOpenRegularFilesOnly) {
  const std::string folder = std::filesystem::temp_directory_path().string();
  std::vector<std::string> names = {folder};
#ifndef _WIN32
  const std::string fifo = folder + "/velmora-classes-fifo-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed());
  std::filesystem::remove(fifo);
  ASSERT_EQ(std::system(("mkfifo '" + fifo + "'").c_str()), 0);
  names.push_back(fifo);
  names.push_back("/dev/zero");
#endif
  for (const std::string& name : names) {
    const std::string literal = "'" + name + "'";
    const std::string open = "Cannot open file \"" + name + "\". Not a regular file";
    const std::string create = "Cannot create file \"" + name + "\". Not a regular file";
    const std::pair<std::string, std::string> cases[] = {
        {"TFileStream.Create(" + literal + ", fmOpenRead)", open},
        {"TFileStream.Create(" + literal + ", fmOpenWrite)", open},
        {"TFileStream.Create(" + literal + ", fmCreate)", create},
        {"sl.LoadFromFile(" + literal + ")", open},
        {"sl.SaveToFile(" + literal + ")", create},
        {"m.LoadFromFile(" + literal + ")", open},
    };
    for (const auto& [statement, error] : cases)
      EXPECT_EQ(RunError("var m: TMemoryStream; sl: TStringList;\n"
                         "begin m := TMemoryStream.Create; sl := TStringList.Create;\n" +
                         statement + "; end."),
                "3:1: " + error)
          << statement;
  }
#ifndef _WIN32
  std::filesystem::remove(fifo);
#endif
}

TEST_F(ClassesLibraryTest, ElementTreesAndDocumentsGoThroughStreams) {
  EXPECT_EQ(Printed(R"(
var d, e: TfsXMLDocument; x, item: TfsXMLItem; m: TMemoryStream; s: string;
begin
  d := TfsXMLDocument.Create;
  d.Root.Name := 'packet';
  d.Root.Prop['id'] := '7 <"a">';
  x := d.Root.Add;
  x.Name := 'value';
  x.Prop['v'] := '1.5';
  item := TfsXMLItem.Create;
  item.Name := 'extra';
  d.Root.InsertItem(0, item);
  Print(d.Root.Count);
  Print(d.Root[0].Name);
  Print(d.Root.Find('VALUE'));
  Print(d.Root.FindItem('value').Prop['v']);
  Print(x.Parent = d.Root);
  Print(x.Root = d.Root);
  m := TMemoryStream.Create;
  m.Write('head:', 5);
  d.SaveToStream(m);
  d.SaveToStream(m);
  m.Position := 5;
  e := TfsXMLDocument.Create;
  e.LoadFromStream(m);
  Print(m.Position * 2 - 5 = m.Size);
  Print(e.Root.Name + ' ' + e.Root.Prop['id'] + ' ' + IntToStr(e.Root.Count));
  Print(e.Root.Items[1].Prop['v']);
  item.Free;
  Print(d.Root.Count);
  e.Root.Clear;
  Print(e.Root.Count);
  d.Free; e.Free; m.Free;
end.)"),
            "2\nextra\n1\n1.5\nTrue\nTrue\nTrue\npacket 7 <\"a\"> 2\n1.5\n1\n0\n");
  EXPECT_EQ(Owned(), 0u);
}

TEST_F(ClassesLibraryTest, ObjectsThatBelongToOthersCannotBeFreedOrMoved) {
  EXPECT_EQ(RunError(R"(
var d: TfsXMLDocument;
begin
  d := TfsXMLDocument.Create;
  d.Root.Free;
end.)"),
            "5:3: Cannot free a TfsXMLItem that belongs to another object");
  EXPECT_EQ(RunError(R"(
var d, e: TfsXMLDocument;
begin
  d := TfsXMLDocument.Create;
  e := TfsXMLDocument.Create;
  d.Root.AddItem(e.Root);
end.)"),
            "6:3: The root of a document cannot be added to another element");
  EXPECT_EQ(RunError(R"(
var x: TfsXMLItem;
begin
  x := TfsXMLItem.Create;
  x.Add.AddItem(x);
end.)"),
            "5:3: An element cannot be added below itself");
  // A child element may be freed: it leaves its parent.
  EXPECT_EQ(Printed(R"(
var x: TfsXMLItem;
begin
  x := TfsXMLItem.Create;
  x.Add;
  x[0].Free;
  Print(x.Count);
end.)"),
            "0\n");
}

TEST_F(ClassesLibraryTest, AStaleReferenceToAnotherClassIsAnInvalidTypecast) {
  // Whatever lives at the address of a freed object now, a member of the freed
  // object's class does not run on it.
  for (int attempt = 0; attempt < 20; ++attempt) {
    const std::string out = RunError(R"(
var sl: TStringList; m: TMemoryStream; i: Integer;
begin
  sl := TStringList.Create;
  sl.Free;
  for i := 1 to 50 do m := TMemoryStream.Create;
  sl.Add('x');
end.)");
    ASSERT_TRUE(out == "7:3: Invalid pointer operation" || out == "7:3: Invalid class typecast") << out;
  }
}

TEST_F(ClassesLibraryTest, ClassNameAndAssignUseTheObjectsOwnClass) {
  EXPECT_EQ(Printed(R"(
var a, b: TStrings; p: TPersistent;
begin
  a := TStringList.Create;
  a.Add('one');
  p := a;
  Print(p.ClassName);
  b := TStringList.Create;
  b.Assign(a);
  Print(b.Text = a.Text);
  a.Free; b.Free;
end.)"),
            "TStringList\nTrue\n");
  EXPECT_EQ(RunError("var a: TStringList; v: Variant; begin a := TStringList.Create; v := TList.Create; a.Assign(v); end."),
            "1:83: Invalid class typecast (argument 'Source' of Assign)");
  EXPECT_EQ(RunError("var a: TStringList; begin a := TStringList.Create; a.Assign(nil); end."),
            "1:52: Cannot assign a nil to a TStringList");
}

TEST_F(ClassesLibraryTest, AddOnAStringListReachesTheMemberOfTStrings) {
  TfsClassVariable* stringList = FindClassVariable(&FHost.Registry(), "TStringList");
  ASSERT_NE(stringList, nullptr);
  auto* add = dynamic_cast<TfsMethodHelper*>(stringList->FindMember("Add"));
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(add->ClassRef(), &rtl::TStrings::StaticClassInfo());
  // The default property came with it.
  ASSERT_NE(stringList->DefProperty(), nullptr);
  EXPECT_EQ(stringList->DefProperty()->Name(), "Strings");
}

TEST_F(ClassesLibraryTest, FileStreamsReadWriteSeekAndShare) {
  test::TempFolder dir;
  const std::string file = dir.Literal("data.bin");
  EXPECT_EQ(Printed(R"(
var f, g: TFileStream; m: TMemoryStream; s: string;
begin
  f := TFileStream.Create()" + file + R"(, fmCreate);
  Print(f.Write('0123456789', 10));
  Print(f.Size);
  Print(f.Seek(-4, soFromEnd));
  f.Read(s, 2);
  Print(s);
  Print(f.Position);
  f.Free;
  f := TFileStream.Create()" + file + R"(, fmOpenReadWrite or fmShareDenyNone);
  g := TFileStream.Create()" + file + R"(, fmOpenRead or fmShareDenyNone);
  f.Seek(0, soFromEnd);
  f.Write('AB', 2);
  Print(g.Size);
  m := TMemoryStream.Create;
  Print(m.CopyFrom(g, 0));
  m.Position := 8;
  m.Read(s, 50);
  Print(s);
  f.Free; g.Free; m.Free;
end.)"),
            "10\n10\n6\n67\n8\n12\n12\n89AB\n");
  EXPECT_EQ(test::FileContent(dir / "data.bin"), "0123456789AB");

  // An exclusive opener keeps others out until it is freed.
  EXPECT_EQ(RunError(R"(
var f, g: TFileStream;
begin
  f := TFileStream.Create()" + file + R"(, fmOpenRead or fmShareExclusive);
  g := TFileStream.Create()" + file + R"(, fmOpenRead or fmShareDenyNone);
end.)"),
            "5:3: Cannot open file \"" + dir / "data.bin" + "\"");
  FHost.Script().ClearProgram();
  EXPECT_EQ(RunError("var g: TFileStream; begin g := TFileStream.Create(" + file + ", fmOpenRead); g.Free; end."), "");
}

TEST_F(ClassesLibraryTest, ListsStreamsAndDocumentsGoToFilesAndBack) {
  test::TempFolder dir;
  EXPECT_EQ(Printed(R"(
var sl, back: TStringList; m: TMemoryStream; d: TfsXMLDocument;
begin
  sl := TStringList.Create;
  sl.Add('a=1');
  sl.Add('b=2');
  sl.SaveToFile()" + dir.Literal("lines.txt") + R"();
  back := TStringList.Create;
  back.LoadFromFile()" + dir.Literal("lines.txt") + R"();
  Print(back.Values['b']);
  m := TMemoryStream.Create;
  m.LoadFromFile()" + dir.Literal("lines.txt") + R"();
  Print(m.Size);
  m.SaveToFile()" + dir.Literal("copy.txt") + R"();
  d := TfsXMLDocument.Create;
  d.Root.Name := 'config';
  d.Root.Add.Name := 'entry';
  d.SaveToFile()" + dir.Literal("doc.xml") + R"();
  d.Root.Clear;
  d.LoadFromFile()" + dir.Literal("doc.xml") + R"();
  Print(d.Root.Name + ' ' + d.Root[0].Name);
  sl.Free; back.Free; m.Free; d.Free;
end.)"),
            "2\n10\nconfig entry\n");
  EXPECT_EQ(test::FileContent(dir / "copy.txt"), "a=1\r\nb=2\r\n");
  test::WriteContent(dir / "bad.xml", "<open/>");
  EXPECT_EQ(RunError("var d: TfsXMLDocument; begin d := TfsXMLDocument.Create; d.LoadFromFile(" + dir.Literal("bad.xml") +
                     "); end."),
            "1:58: Invalid file format");
}

}  // namespace
}  // namespace fs
