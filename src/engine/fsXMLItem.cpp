#include "engine/fsXMLItem.h"

#include <string_view>

#include "engine/fsStrings.h"
#include "rtl/Exceptions.h"
#include "rtl/ObjectLinks.h"
#include "rtl/ScriptMemory.h"

namespace fs {

const rtl::TClassInfo& TfsXMLItem::StaticClassInfo() {
  static const rtl::TClassInfo info = rtl::TClassBuilder<TfsXMLItem>("TfsXMLItem", &rtl::TObject::StaticClassInfo());
  return info;
}

namespace {

[[maybe_unused]] const rtl::TClassInfo& kRegistered = TfsXMLItem::StaticClassInfo();

// Child elements are owned; an element is held by its parent.
const rtl::TObjectLinksRegistration kLinks(TfsXMLItem::StaticClassInfo(),
                                           [](const rtl::TObject& object, rtl::TObjectLinks& links) {
                                             const auto& item = static_cast<const TfsXMLItem&>(object);
                                             for (int i = 0; i < item.Count(); ++i) links.Holds(item.Items(i), true);
                                             if (item.Parent()) links.HeldBy(item.Parent());
                                           });

// What an element added to a tree takes, about (the object, its entry among the living
// objects, short texts, its place in the parent's list): the trees of compiles and of
// scripts' documents count against the script memory limit.
constexpr std::size_t kItemBytes = 192;

[[noreturn]] void IndexError(int index) {
  throw rtl::Exception("List index out of bounds (" + std::to_string(index) + ")", "EListError");
}

// Where attribute name starts in text (at the start or after a blank, followed by
// '="'), or npos; valueStart receives the index after the opening quote.
std::size_t FindAttribute(const std::string& text, const std::string& name, std::size_t& valueStart) {
  std::size_t keyLen = name.size() + 2;
  for (std::size_t i = 0; i + keyLen <= text.size(); ++i) {
    if (i > 0 && text[i - 1] != ' ') continue;
    if (text[i + name.size()] != '=' || text[i + name.size() + 1] != '"') continue;
    if (!SameText(std::string_view(text).substr(i, name.size()), name)) continue;
    valueStart = i + keyLen;
    return i;
  }
  return std::string::npos;
}

bool IsReferenceChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '$';
}

}  // namespace

std::string EscapeXMLValue(const std::string& value) {
  std::string r;
  r.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c == '\n' || c == '\r' || c == '"' || c == '<' || c == '>') {
      r += "&#" + std::to_string(static_cast<unsigned char>(c)) + ";";
    } else if (c == '&' && value.compare(i, 6, "&quot;") == 0) {
      r += "&#34;";
      i += 5;
    } else {
      r += c;
    }
  }
  return r;
}

std::string UnescapeXMLValue(const std::string& value) {
  std::size_t amp = value.find('&');
  if (amp == std::string::npos) return value;
  std::string r(value, 0, amp);
  for (std::size_t i = amp; i < value.size(); ++i) {
    char c = value[i];
    if (c != '&') {
      r += c;
    } else if (value.compare(i, 6, "&quot;") == 0) {
      r += '"';
      i += 5;
    } else if (i + 1 < value.size() && value[i + 1] == '#') {
      // A reference without its ";" is plain text.
      std::size_t j = i + 2;
      while (j < value.size() && IsReferenceChar(value[j])) ++j;
      if (j < value.size() && value[j] == ';' && j > i + 2) {
        r += static_cast<char>(StrToInt(std::string_view(value).substr(i + 2, j - i - 2)) & 0xFF);
        i = j;
      } else {
        r += c;
      }
    } else {
      r += c;
    }
  }
  return r;
}

TfsXMLItem::~TfsXMLItem() {
  Clear();
  if (FParent) FParent->Unlink(this);
  rtl::ScriptBlockGone(this, kItemBytes);
}

void TfsXMLItem::Unlink(TfsXMLItem* child) {
  if (!FItems) return;
  for (std::size_t i = FItems->size(); i-- > 0;) {
    if ((*FItems)[i] == child) {
      FItems->erase(FItems->begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  child->FParent = nullptr;
}

TfsXMLItem* TfsXMLItem::Add() {
  rtl::ScriptBlockComing(kItemBytes);
  auto* item = new TfsXMLItem;
  if (!FItems) FItems = std::make_unique<std::vector<TfsXMLItem*>>();
  try {
    FItems->push_back(item);
  } catch (...) {
    delete item;
    throw;
  }
  item->FParent = this;
  return item;
}

void TfsXMLItem::AddItem(TfsXMLItem* item) {
  // An element may not become its own descendant: the tree would own itself.
  for (TfsXMLItem* p = this; p; p = p->FParent)
    if (p == item) throw rtl::Exception("An element cannot be added below itself", "EInvalidOperation");
  if (!FItems) FItems = std::make_unique<std::vector<TfsXMLItem*>>();
  FItems->reserve(FItems->size() + 1);
  if (item->FParent) item->FParent->Unlink(item);
  FItems->push_back(item);
  item->FParent = this;
}

void TfsXMLItem::InsertItem(int index, TfsXMLItem* item) {
  int count = Count() + (item->FParent == this ? 0 : 1);
  if (index < 0 || index >= count) IndexError(index);
  AddItem(item);
  FItems->pop_back();
  FItems->insert(FItems->begin() + index, item);
}

void TfsXMLItem::Clear() {
  if (!FItems) return;
  // Iterative, so that a deep tree cannot exhaust the stack when it is destroyed.
  std::vector<TfsXMLItem*> pending;
  pending.swap(*FItems);
  FItems.reset();
  while (!pending.empty()) {
    TfsXMLItem* item = pending.back();
    pending.pop_back();
    item->FParent = nullptr;
    if (item->FItems) {
      pending.insert(pending.end(), item->FItems->begin(), item->FItems->end());
      item->FItems.reset();
    }
    delete item;
  }
}

TfsXMLItem* TfsXMLItem::Items(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return (*FItems)[static_cast<std::size_t>(index)];
}

int TfsXMLItem::Find(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText((*FItems)[static_cast<std::size_t>(i)]->FName, name)) return i;
  return -1;
}

TfsXMLItem* TfsXMLItem::FindItem(const std::string& name) {
  int i = Find(name);
  if (i >= 0) return Items(i);
  TfsXMLItem* item = Add();
  item->FName = name;
  return item;
}

int TfsXMLItem::IndexOf(const TfsXMLItem* child) const {
  for (int i = 0; i < Count(); ++i)
    if ((*FItems)[static_cast<std::size_t>(i)] == child) return i;
  return -1;
}

TfsXMLItem* TfsXMLItem::Root() {
  TfsXMLItem* p = this;
  while (p->FParent) p = p->FParent;
  return p;
}

std::string TfsXMLItem::Prop(const std::string& name) const {
  std::size_t valueStart = 0;
  if (FindAttribute(FText, name, valueStart) == std::string::npos) return std::string();
  std::size_t end = FText.find('"', valueStart);
  if (end == std::string::npos) end = FText.size();
  return UnescapeXMLValue(FText.substr(valueStart, end - valueStart));
}

void TfsXMLItem::SetProp(const std::string& name, const std::string& value) {
  std::string pair = name + "=\"" + EscapeXMLValue(value) + "\"";
  std::size_t valueStart = 0;
  std::size_t at = FindAttribute(FText, name, valueStart);
  if (at != std::string::npos) {
    std::size_t end = FText.find('"', valueStart);
    end = end == std::string::npos ? FText.size() : end + 1;
    FText.replace(at, end - at, pair);
  } else {
    if (!FText.empty() && FText.back() != ' ') FText += ' ';
    FText += pair;
  }
}

void TfsXMLItem::CopyTreeFrom(const TfsXMLItem* source) {
  if (source == this) return;
  // Copied aside first: the source may lie inside this element's own subtree.
  TfsXMLItem copy;
  copy.FName = source->FName;
  copy.FText = source->FText;
  copy.FData = source->FData;
  std::vector<std::pair<const TfsXMLItem*, TfsXMLItem*>> pending{{source, &copy}};
  while (!pending.empty()) {
    auto [from, to] = pending.back();
    pending.pop_back();
    for (int i = 0; i < from->Count(); ++i) {
      const TfsXMLItem* child = from->Items(i);
      TfsXMLItem* made = to->Add();
      made->FName = child->FName;
      made->FText = child->FText;
      made->FData = child->FData;
      if (child->Count() > 0) pending.emplace_back(child, made);
    }
  }
  Clear();
  FName = std::move(copy.FName);
  FText = std::move(copy.FText);
  FData = copy.FData;
  FItems = std::move(copy.FItems);
  if (FItems)
    for (TfsXMLItem* child : *FItems) child->FParent = this;
}

}  // namespace fs
