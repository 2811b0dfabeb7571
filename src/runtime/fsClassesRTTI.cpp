#include "runtime/fsClassesRTTI.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>

#include "engine/fsXMLDocument.h"
#include "engine/fsXMLItem.h"
#include "rtl/AnsiString.h"
#include "rtl/Collection.h"
#include "rtl/Component.h"
#include "rtl/List.h"
#include "rtl/ObjectTracker.h"
#include "rtl/Persistent.h"
#include "rtl/Stream.h"
#include "rtl/StringList.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::AnsiString;
using rtl::Variant;
using Call = TfsMemberCall;

Variant Int(std::int64_t v) {
  // Longint results: positions and sizes beyond its range are cut to it.
  if (v > INT32_MAX) v = INT32_MAX;
  if (v < INT32_MIN) v = INT32_MIN;
  return Variant(static_cast<std::int32_t>(v));
}
Variant Bool(bool v) { return Variant(v); }
Variant Text(const std::string& s) { return Variant(AnsiString(s)); }
Variant Text(const AnsiString& s) { return Variant(s); }
Variant Object(const rtl::TObject* o) { return rtl::ObjectToVariant(o); }
Variant None() { return Variant(); }

std::string Str(Call& c, int index) { return c.Args().ArgString(index).str(); }

// The object a script may free: one it made, or one that leaves whatever holds it
// when it goes: a component with an owner, an element with a parent, an item with a
// collection. Anything else belongs to native code that would free it again (the
// application object, a document's root, a control's font).
bool MayFree(rtl::TObject* o) {
  if (rtl::TObjectTracker::IsTracked(o)) return true;
  if (o->InheritsFrom<rtl::TComponent>()) return static_cast<rtl::TComponent*>(o)->Owner() != nullptr;
  if (o->InheritsFrom<TfsXMLItem>()) return static_cast<TfsXMLItem*>(o)->Parent() != nullptr;
  if (o->InheritsFrom<rtl::TCollectionItem>()) return static_cast<rtl::TCollectionItem*>(o)->Collection() != nullptr;
  return false;
}

// TObject -----------------------------------------------------------------------------

Variant ObjectCreate(Call& c) {
  c.Instance->AfterConstruction();
  return Object(c.Instance);
}

Variant ObjectFree(Call& c) {
  if (!c.Instance) return None();
  if (!MayFree(c.Instance))
    throw rtl::Exception(FillMessage(msg::kFreeNotOwned, c.Instance->ClassName()), "EInvalidPointer");
  rtl::FreeObject(c.Instance);
  return None();
}

Variant ObjectClassName(Call& c) { return Text(c.Instance->ClassName()); }

const TfsClassMethod kObjectMethods[] = {
    {"constructor Create", &ObjectCreate},
    {"procedure Free", &ObjectFree},
    {"function ClassName: String", &ObjectClassName},
};

// TPersistent -------------------------------------------------------------------------

Variant PersistentAssign(Call& c) {
  c.Self<rtl::TPersistent>().Assign(c.Args().ArgObjectAs<rtl::TPersistent>(0));
  return None();
}

const TfsClassMethod kPersistentMethods[] = {
    {"procedure Assign(Source: TPersistent)", &PersistentAssign},
};

// TCollection -------------------------------------------------------------------------

rtl::TCollection& Coll(Call& c) { return c.Self<rtl::TCollection>(); }

Variant CollectionClear(Call& c) {
  Coll(c).Clear();
  return None();
}
Variant CollectionCount(Call& c) { return Int(Coll(c).Count()); }
Variant CollectionItems(Call& c) { return Object(Coll(c).Items(c.Args().ArgInt(0))); }

const TfsClassMethod kCollectionMethods[] = {
    {"procedure Clear", &CollectionClear},
};
const TfsClassProperty kCollectionProperties[] = {
    {"Count", "Integer", &CollectionCount},
};
const TfsClassIndexed kCollectionIndexed[] = {
    {"Items", "Integer", "TCollectionItem", &CollectionItems, nullptr, true},
};

// TList -------------------------------------------------------------------------------

rtl::TList& List(Call& c) { return c.Self<rtl::TList>(); }
void* Item(Call& c, int index) { return c.Args().ArgObject(index); }

Variant ListAdd(Call& c) { return Int(List(c).Add(Item(c, 0))); }
Variant ListClear(Call& c) {
  List(c).Clear();
  return None();
}
Variant ListDelete(Call& c) {
  List(c).Delete(c.Args().ArgInt(0));
  return None();
}
Variant ListIndexOf(Call& c) { return Int(List(c).IndexOf(Item(c, 0))); }
Variant ListInsert(Call& c) {
  List(c).Insert(c.Args().ArgInt(0), Item(c, 1));
  return None();
}
Variant ListRemove(Call& c) { return Int(List(c).Remove(Item(c, 0))); }
Variant ListCount(Call& c) { return Int(List(c).Count()); }
// Items are references as scripts gave them; one whose object is gone reads as its
// number and raises only when it is used.
Variant ListItemsGet(Call& c) { return Object(static_cast<rtl::TObject*>(List(c).Items(c.Args().ArgInt(0)))); }
Variant ListItemsSet(Call& c) {
  List(c).SetItems(c.Args().ArgInt(0), rtl::VariantToObject(c.Written()));
  return None();
}

const TfsClassMethod kListMethods[] = {
    {"function Add(Item: TObject): Integer", &ListAdd},
    {"procedure Clear", &ListClear},
    {"procedure Delete(Index: Integer)", &ListDelete},
    {"function IndexOf(Item: TObject): Integer", &ListIndexOf},
    {"procedure Insert(Index: Integer; Item: TObject)", &ListInsert},
    {"function Remove(Item: TObject): Integer", &ListRemove},
};
const TfsClassProperty kListProperties[] = {
    {"Count", "Integer", &ListCount},
};
const TfsClassIndexed kListIndexed[] = {
    {"Items", "Integer", "TObject", &ListItemsGet, &ListItemsSet, true},
};

// TStrings ----------------------------------------------------------------------------

// A stream argument; nil is refused before anything happens.
rtl::TStream& StreamArg(Call& c, int index, const char* member) {
  rtl::TStream* stream = c.Args().ArgObjectAs<rtl::TStream>(index);
  if (!stream) throw rtl::Exception(FillMessage(msg::kNilStream, member), "EAccessViolation");
  return *stream;
}


rtl::TStrings& Lines(Call& c) { return c.Self<rtl::TStrings>(); }

Variant StringsAdd(Call& c) { return Int(Lines(c).Add(c.Args().ArgString(0))); }
Variant StringsAddObject(Call& c) { return Int(Lines(c).AddObject(c.Args().ArgString(0), c.Args().ArgObject(1))); }
Variant StringsClear(Call& c) {
  Lines(c).Clear();
  return None();
}
Variant StringsDelete(Call& c) {
  Lines(c).Delete(c.Args().ArgInt(0));
  return None();
}
Variant StringsIndexOf(Call& c) { return Int(Lines(c).IndexOf(c.Args().ArgString(0).view())); }
Variant StringsIndexOfName(Call& c) { return Int(Lines(c).IndexOfName(c.Args().ArgString(0).view())); }
Variant StringsIndexOfObject(Call& c) { return Int(Lines(c).IndexOfObject(c.Args().ArgObject(0))); }
Variant StringsInsert(Call& c) {
  Lines(c).Insert(c.Args().ArgInt(0), c.Args().ArgString(1));
  return None();
}
Variant StringsInsertObject(Call& c) {
  Lines(c).InsertObject(c.Args().ArgInt(0), c.Args().ArgString(1), c.Args().ArgObject(2));
  return None();
}
// Files go through file streams, so that names and errors are those of every other
// file a script opens.
Variant StringsLoadFromFile(Call& c) {
  rtl::TFileStream file(Str(c, 0), rtl::fmOpenRead | rtl::fmShareDenyWrite);
  Lines(c).LoadFromStream(file);
  return None();
}
Variant StringsLoadFromStream(Call& c) {
  Lines(c).LoadFromStream(StreamArg(c, 0, "LoadFromStream"));
  return None();
}
Variant StringsSaveToFile(Call& c) {
  rtl::TFileStream file(Str(c, 0), rtl::fmCreate);
  Lines(c).SaveToStream(file);
  return None();
}
Variant StringsMove(Call& c) {
  Lines(c).Move(c.Args().ArgInt(0), c.Args().ArgInt(1));
  return None();
}
Variant StringsSaveToStream(Call& c) {
  Lines(c).SaveToStream(StreamArg(c, 0, "SaveToStream"));
  return None();
}
Variant StringsCommaText(Call& c) { return Text(Lines(c).CommaText()); }
Variant StringsSetCommaText(Call& c) {
  Lines(c).SetCommaText(rtl::VarToStr(*c.Value).view());
  return None();
}
Variant StringsCount(Call& c) { return Int(Lines(c).Count()); }
Variant StringsText(Call& c) { return Text(Lines(c).Text()); }
Variant StringsSetText(Call& c) {
  Lines(c).SetText(rtl::VarToStr(*c.Value).view());
  return None();
}
Variant StringsNames(Call& c) {
  const int index = c.Args().ArgInt(0);
  // Names has no line check of its own; an index outside the list is the list's error.
  Lines(c).Strings(index);
  return Text(Lines(c).Names(index));
}
Variant StringsObjects(Call& c) { return Object(Lines(c).Objects(c.Args().ArgInt(0))); }
Variant StringsSetObjects(Call& c) {
  Lines(c).SetObjects(c.Args().ArgInt(0), rtl::VariantToObject(c.Written()));
  return None();
}
Variant StringsValues(Call& c) { return Text(Lines(c).Values(c.Args().ArgString(0).view())); }
Variant StringsSetValues(Call& c) {
  Lines(c).SetValues(c.Args().ArgString(0).view(), rtl::VarToStr(c.Written()).view());
  return None();
}
Variant StringsStrings(Call& c) { return Text(Lines(c).Strings(c.Args().ArgInt(0))); }
Variant StringsSetStrings(Call& c) {
  Lines(c).SetStrings(c.Args().ArgInt(0), rtl::VarToStr(c.Written()));
  return None();
}

const TfsClassMethod kStringsMethods[] = {
    {"constructor Create", &ObjectCreate},
    {"function Add(const S: string): Integer", &StringsAdd},
    {"function AddObject(const S: string; AObject: TObject): Integer", &StringsAddObject},
    {"procedure Clear", &StringsClear},
    {"procedure Delete(Index: Integer)", &StringsDelete},
    {"function IndexOf(const S: string): Integer", &StringsIndexOf},
    {"function IndexOfName(const Name: string): Integer", &StringsIndexOfName},
    {"function IndexOfObject(AObject: TObject): Integer", &StringsIndexOfObject},
    {"procedure Insert(Index: Integer; const S: string)", &StringsInsert},
    {"procedure InsertObject(Index: Integer; const S: string; AObject: TObject)", &StringsInsertObject},
    {"procedure LoadFromFile(const FileName: string)", &StringsLoadFromFile},
    {"procedure LoadFromStream(Stream: TStream)", &StringsLoadFromStream},
    {"procedure SaveToFile(const FileName: string)", &StringsSaveToFile},
    {"procedure Move(CurIndex, NewIndex: Integer)", &StringsMove},
    {"procedure SaveToStream(Stream: TStream)", &StringsSaveToStream},
};
const TfsClassProperty kStringsProperties[] = {
    {"CommaText", "string", &StringsCommaText, &StringsSetCommaText},
    {"Count", "Integer", &StringsCount},
    {"Text", "string", &StringsText, &StringsSetText},
};
const TfsClassIndexed kStringsIndexed[] = {
    {"Names", "Integer", "string", &StringsNames},
    {"Objects", "Integer", "TObject", &StringsObjects, &StringsSetObjects},
    {"Values", "String", "string", &StringsValues, &StringsSetValues},
    {"Strings", "Integer", "string", &StringsStrings, &StringsSetStrings, true},
};

// TStringList -------------------------------------------------------------------------

rtl::TStringList& SortedLines(Call& c) { return c.Self<rtl::TStringList>(); }

Variant StringListFind(Call& c) {
  int index = 0;
  const bool found = SortedLines(c).Find(c.Args().ArgString(0).view(), index);
  c.Args().SetArgumentValue(1, Variant(static_cast<std::int32_t>(index)));
  return Bool(found);
}
Variant StringListSort(Call& c) {
  SortedLines(c).Sort();
  return None();
}
Variant StringListDuplicates(Call& c) { return Int(SortedLines(c).Duplicates()); }
Variant StringListSetDuplicates(Call& c) {
  const std::int32_t v = rtl::VarToInt32(*c.Value);
  if (v < rtl::dupIgnore || v > rtl::dupError) throw rtl::EPropertyError("Invalid property value");
  SortedLines(c).SetDuplicates(static_cast<rtl::TDuplicates>(v));
  return None();
}
Variant StringListSorted(Call& c) { return Bool(SortedLines(c).Sorted()); }
Variant StringListSetSorted(Call& c) {
  SortedLines(c).SetSorted(rtl::VarToBool(*c.Value));
  return None();
}

const TfsClassMethod kStringListMethods[] = {
    {"function Find(s: String; var Index: Integer): Boolean", &StringListFind},
    {"procedure Sort", &StringListSort},
};
const TfsClassProperty kStringListProperties[] = {
    {"Duplicates", "TDuplicates", &StringListDuplicates, &StringListSetDuplicates},
    {"Sorted", "Boolean", &StringListSorted, &StringListSetSorted},
};

// TStream -----------------------------------------------------------------------------

rtl::TStream& Stream(Call& c) { return c.Self<rtl::TStream>(); }

// Reads up to Count bytes into Buffer; never more than the stream still holds, so a
// large Count does not make a large buffer.
Variant StreamRead(Call& c) {
  rtl::TStream& stream = Stream(c);
  std::int64_t count = c.Args().ArgInt(1);
  if (count < 0) count = 0;
  count = std::min(count, stream.Remaining());
  std::string buffer(static_cast<std::size_t>(count), '\0');
  const int n = count ? stream.Read(buffer.data(), static_cast<int>(count)) : 0;
  buffer.resize(static_cast<std::size_t>(std::max(n, 0)));
  c.Args().SetArgumentValue(0, Text(buffer));
  return Int(static_cast<std::int64_t>(buffer.size()));
}
// Writes Count bytes of Buffer, never more than Buffer holds.
Variant StreamWrite(Call& c) {
  const AnsiString buffer = c.Args().ArgString(0);
  std::int64_t count = c.Args().ArgInt(1);
  count = std::clamp<std::int64_t>(count, 0, buffer.Length());
  return Int(count ? Stream(c).Write(buffer.c_str(), static_cast<int>(count)) : 0);
}
Variant StreamSeek(Call& c) { return Int(Stream(c).Seek(c.Args().ArgInt(0), c.Args().ArgInt(1))); }
Variant StreamCopyFrom(Call& c) {
  return Int(Stream(c).CopyFrom(StreamArg(c, 0, "CopyFrom"), c.Args().ArgInt(1)));
}
Variant StreamPosition(Call& c) { return Int(Stream(c).Position()); }
Variant StreamSetPosition(Call& c) {
  Stream(c).SetPosition(rtl::VarToInt32(*c.Value));
  return None();
}
Variant StreamSize(Call& c) { return Int(Stream(c).Size()); }

const TfsClassMethod kStreamMethods[] = {
    {"function Read(var Buffer: string; Count: Longint): Longint", &StreamRead},
    {"function Write(Buffer: string; Count: Longint): Longint", &StreamWrite},
    {"function Seek(Offset: Longint; Origin: Word): Longint", &StreamSeek},
    {"function CopyFrom(Source: TStream; Count: Longint): Longint", &StreamCopyFrom},
};
const TfsClassProperty kStreamProperties[] = {
    {"Position", "Longint", &StreamPosition, &StreamSetPosition},
    {"Size", "Longint", &StreamSize},
};

// TFileStream -------------------------------------------------------------------------

Variant FileStreamCreate(Call& c) {
  auto& self = c.Self<rtl::TFileStream>();
  self.Open(Str(c, 0), c.Args().ArgInt(1) & 0xFFFF);
  self.AfterConstruction();
  return Object(&self);
}

const TfsClassMethod kFileStreamMethods[] = {
    {"constructor Create(Filename: String; Mode: Word)", &FileStreamCreate},
};

// TMemoryStream -----------------------------------------------------------------------

rtl::TMemoryStream& Memory(Call& c) { return c.Self<rtl::TMemoryStream>(); }

Variant MemoryClear(Call& c) {
  Memory(c).Clear();
  return None();
}
Variant MemoryLoadFromStream(Call& c) {
  rtl::TStream& source = StreamArg(c, 0, "LoadFromStream");
  if (&source == &Memory(c)) return None();
  Memory(c).LoadFromStream(source);
  return None();
}
Variant MemoryLoadFromFile(Call& c) {
  Memory(c).LoadFromFile(Str(c, 0));
  return None();
}
Variant MemorySaveToStream(Call& c) {
  rtl::TStream& target = StreamArg(c, 0, "SaveToStream");
  if (&target == &Memory(c)) return None();
  Memory(c).SaveToStream(target);
  return None();
}
Variant MemorySaveToFile(Call& c) {
  Memory(c).SaveToFile(Str(c, 0));
  return None();
}

const TfsClassMethod kMemoryStreamMethods[] = {
    {"procedure Clear", &MemoryClear},
    {"procedure LoadFromStream(Stream: TStream)", &MemoryLoadFromStream},
    {"procedure LoadFromFile(Filename: String)", &MemoryLoadFromFile},
    {"procedure SaveToStream(Stream: TStream)", &MemorySaveToStream},
    {"procedure SaveToFile(Filename: String)", &MemorySaveToFile},
};

// TComponent --------------------------------------------------------------------------

Variant ComponentCreate(Call& c) {
  auto& self = c.Self<rtl::TComponent>();
  auto* owner = c.Args().ArgObjectAs<rtl::TComponent>(0);
  // An owner below the component would make the tree own itself.
  for (rtl::TComponent* o = owner; o; o = o->Owner())
    if (o == &self) throw rtl::EComponentError(msg::kOwnerLoop);
  if (owner) owner->InsertComponent(&self);
  self.AfterConstruction();
  return Object(&self);
}

Variant ComponentOwner(Call& c) { return Object(c.Self<rtl::TComponent>().Owner()); }

const TfsClassMethod kComponentMethods[] = {
    {"constructor Create(AOwner: TComponent)", &ComponentCreate},
};
const TfsClassProperty kComponentProperties[] = {
    {"Owner", "TComponent", &ComponentOwner},
};

// TfsXMLItem --------------------------------------------------------------------------

TfsXMLItem& Element(Call& c) { return c.Self<TfsXMLItem>(); }

// An element to take into the tree: not nil, and one that can leave where it is (one
// the script made or one with a parent); a document's root cannot.
TfsXMLItem* ElementArg(Call& c, int index) {
  auto* item = c.Args().ArgObjectAs<TfsXMLItem>(index);
  if (!item) throw rtl::Exception(msg::kNilElement, "EInvalidOperation");
  if (!item->Parent() && !rtl::TObjectTracker::IsTracked(item))
    throw rtl::Exception(msg::kElementNotFree, "EInvalidOperation");
  return item;
}

Variant ElementAddItem(Call& c) {
  Element(c).AddItem(ElementArg(c, 0));
  return None();
}
Variant ElementClear(Call& c) {
  Element(c).Clear();
  return None();
}
Variant ElementInsertItem(Call& c) {
  const int index = c.Args().ArgInt(0);
  Element(c).InsertItem(index, ElementArg(c, 1));
  return None();
}
Variant ElementAdd(Call& c) { return Object(Element(c).Add()); }
Variant ElementFind(Call& c) { return Int(Element(c).Find(Str(c, 0))); }
Variant ElementFindItem(Call& c) { return Object(Element(c).FindItem(Str(c, 0))); }
Variant ElementRoot(Call& c) { return Object(Element(c).Root()); }
Variant ElementData(Call& c) { return Int(Element(c).Data()); }
Variant ElementSetData(Call& c) {
  Element(c).SetData(rtl::VarToInt32(*c.Value));
  return None();
}
Variant ElementCount(Call& c) { return Int(Element(c).Count()); }
Variant ElementItems(Call& c) { return Object(Element(c).Items(c.Args().ArgInt(0))); }
Variant ElementProp(Call& c) { return Text(Element(c).Prop(Str(c, 0))); }
Variant ElementSetProp(Call& c) {
  Element(c).SetProp(Str(c, 0), rtl::VarToStr(c.Written()).str());
  return None();
}
Variant ElementName(Call& c) { return Text(Element(c).Name()); }
Variant ElementSetName(Call& c) {
  Element(c).SetName(rtl::VarToStr(*c.Value).str());
  return None();
}
Variant ElementParent(Call& c) { return Object(Element(c).Parent()); }
Variant ElementText(Call& c) { return Text(Element(c).Text()); }
Variant ElementSetText(Call& c) {
  Element(c).SetText(rtl::VarToStr(*c.Value).str());
  return None();
}

const TfsClassMethod kElementMethods[] = {
    {"constructor Create", &ObjectCreate},
    {"procedure AddItem(Item: TfsXMLItem)", &ElementAddItem},
    {"procedure Clear", &ElementClear},
    {"procedure InsertItem(Index: Integer; Item: TfsXMLItem)", &ElementInsertItem},
    {"function Add: TfsXMLItem", &ElementAdd},
    {"function Find(const Name: String): Integer", &ElementFind},
    {"function FindItem(const Name: String): TfsXMLItem", &ElementFindItem},
    {"function Root: TfsXMLItem", &ElementRoot},
};
const TfsClassProperty kElementProperties[] = {
    {"Data", "Integer", &ElementData, &ElementSetData},
    {"Count", "Integer", &ElementCount},
    {"Name", "String", &ElementName, &ElementSetName},
    {"Parent", "TfsXMLItem", &ElementParent},
    {"Text", "String", &ElementText, &ElementSetText},
};
const TfsClassIndexed kElementIndexed[] = {
    {"Items", "Integer", "TfsXMLItem", &ElementItems, nullptr, true},
    {"Prop", "String", "String", &ElementProp, &ElementSetProp},
};

// TfsXMLDocument ----------------------------------------------------------------------

TfsXMLDocument& Document(Call& c) { return c.Self<TfsXMLDocument>(); }

Variant DocumentSaveToStream(Call& c) {
  StreamArg(c, 0, "SaveToStream").WriteText(Document(c).SaveToString());
  return None();
}
// The document is read from the stream's position; the stream is left right after
// it, so that what follows (another document) can be read next.
Variant DocumentLoadFromStream(Call& c) {
  rtl::TStream& stream = StreamArg(c, 0, "LoadFromStream");
  const std::int64_t start = stream.Position();
  std::istringstream text(stream.ReadRest());
  Document(c).LoadFromStream(text);
  text.clear();
  const std::streamoff used = text.tellg();
  if (used >= 0) stream.SetPosition(start + used);
  return None();
}
Variant DocumentSaveToFile(Call& c) {
  rtl::TFileStream file(Str(c, 0), rtl::fmCreate);
  file.WriteText(Document(c).SaveToString());
  return None();
}
Variant DocumentLoadFromFile(Call& c) {
  rtl::TFileStream file(Str(c, 0), rtl::fmOpenRead | rtl::fmShareDenyWrite);
  Document(c).LoadFromString(file.ReadRest());
  return None();
}
Variant DocumentRoot(Call& c) { return Object(Document(c).Root()); }

const TfsClassMethod kDocumentMethods[] = {
    {"constructor Create", &ObjectCreate},
    {"procedure SaveToStream(Stream: TStream)", &DocumentSaveToStream},
    {"procedure LoadFromStream(Stream: TStream)", &DocumentLoadFromStream},
    {"procedure SaveToFile(const FileName: String)", &DocumentSaveToFile},
    {"procedure LoadFromFile(const FileName: String)", &DocumentLoadFromFile},
};
const TfsClassProperty kDocumentProperties[] = {
    {"Root", "TfsXMLItem", &DocumentRoot},
};

const TfsClassEntry kClasses[] = {
    {&rtl::TObject::StaticClassInfo, "", kObjectMethods},
    {&rtl::TPersistent::StaticClassInfo, "TObject", kPersistentMethods},
    {&rtl::TCollectionItem::StaticClassInfo, "TPersistent"},
    {&rtl::TCollection::StaticClassInfo, "TPersistent", kCollectionMethods, kCollectionProperties, kCollectionIndexed},
    {&rtl::TList::StaticClassInfo, "TObject", kListMethods, kListProperties, kListIndexed},
    {&rtl::TStrings::StaticClassInfo, "TPersistent", kStringsMethods, kStringsProperties, kStringsIndexed},
    {&rtl::TStringList::StaticClassInfo, "TStrings", kStringListMethods, kStringListProperties},
    {&rtl::TStream::StaticClassInfo, "TObject", kStreamMethods, kStreamProperties},
    {&rtl::TFileStream::StaticClassInfo, "TStream", kFileStreamMethods},
    {&rtl::TMemoryStream::StaticClassInfo, "TStream", kMemoryStreamMethods},
    {&rtl::TComponent::StaticClassInfo, "TPersistent", kComponentMethods, kComponentProperties},
    {&TfsXMLItem::StaticClassInfo, "TObject", kElementMethods, kElementProperties, kElementIndexed},
    {&TfsXMLDocument::StaticClassInfo, "TObject", kDocumentMethods, kDocumentProperties},
};

}  // namespace

TfsClassesRTTI::TfsClassesRTTI(TfsScript* script) : TfsClassLibrary(script) {
  TfsRegistry r(script);
  r.RegisterEnumeration("TDuplicates", "dupIgnore, dupAccept, dupError");
  r.RegisterEnumeration("TPrinterOrientation", "poPortrait, poLandscape");
  struct Constant {
    const char* Name;
    std::int32_t Value;
  };
  static const Constant kConstants[] = {
      {"fmCreate", 65535},        {"fmOpenRead", 0},        {"fmOpenWrite", 1},       {"fmOpenReadWrite", 2},
      {"fmShareExclusive", 16},   {"fmShareDenyWrite", 32}, {"fmShareDenyNone", 64},  {"soFromBeginning", 0},
      {"soFromCurrent", 1},       {"soFromEnd", 2},
  };
  for (const Constant& k : kConstants) r.RegisterConstant(k.Name, "Integer", Variant(k.Value));
  RegisterClasses(kClasses);
}

namespace {

const TfsRTTIModuleClass kClassesClass{"TfsClassesRTTI", moClasses, &NewRTTIModule<TfsClassesRTTI>};
TfsRuntimeModuleRegistration gClassesRegistration(kClassesClass);

}  // namespace

}  // namespace fs
