// TfsXMLItem: one element of the engine's small element tree (grammars, program trees,
// documents scripts build). Attributes are not parsed into a list: the element keeps
// its attribute text as one string and finds a value by name when asked.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rtl/Object.h"

namespace fs {

// Attribute-value escaping: line feed, carriage return, double quote, "<" and ">"
// become "&#code;", "&quot;" becomes "&#34;", everything else stays.
std::string EscapeXMLValue(const std::string& value);
// The reverse: "&#digits;" gives that character, "&quot;" a double quote, any other
// "&" stays. An overlong number raises the integer conversion error.
std::string UnescapeXMLValue(const std::string& value);

// An object of the base library, so that scripts build and walk documents too.
class TfsXMLItem : public rtl::TObject {
  RTL_CLASS_INFO

public:
  TfsXMLItem() = default;
  // Destroys the children and takes the element out of its parent's list.
  ~TfsXMLItem() override;

  // A new child at the end.
  TfsXMLItem* Add();
  // Appends item (taking it from its old parent first); this element owns it then.
  void AddItem(TfsXMLItem* item);
  // As AddItem, then moves item to index.
  void InsertItem(int index, TfsXMLItem* item);
  // Destroys all children and drops the child list.
  void Clear();
  // Index of the first child whose name equals name ignoring case, or -1.
  int Find(const std::string& name) const;
  // That child; a new child of that name when there is none.
  TfsXMLItem* FindItem(const std::string& name);
  // Position of child in the list, or -1.
  int IndexOf(const TfsXMLItem* child) const;
  // Top of the parent chain.
  TfsXMLItem* Root();

  // Unescaped value of an attribute (name ignoring case), empty when absent.
  std::string Prop(const std::string& name) const;
  // Sets an attribute to the escaped value, in place when present, else at the end.
  void SetProp(const std::string& name, const std::string& value);

  // Clears this element and copies source's name, attribute text, Data and subtree.
  void CopyTreeFrom(const TfsXMLItem* source);

  int Count() const { return FItems ? static_cast<int>(FItems->size()) : 0; }
  // Child at a 0-based index; out of range raises EListError.
  TfsXMLItem* Items(int index) const;
  TfsXMLItem* operator[](int index) const { return Items(index); }

  const std::string& Name() const { return FName; }
  void SetName(const std::string& name) { FName = name; }
  // Raw attribute text: name="value" pairs separated by blanks, values escaped.
  const std::string& Text() const { return FText; }
  void SetText(const std::string& text) { FText = text; }
  TfsXMLItem* Parent() const { return FParent; }
  std::int32_t Data() const { return FData; }
  void SetData(std::int32_t data) { FData = data; }

private:
  void Unlink(TfsXMLItem* child);

  std::int32_t FData = 0;
  // Created with the first child: most elements of a program tree are leaves.
  std::unique_ptr<std::vector<TfsXMLItem*>> FItems;
  std::string FName;
  TfsXMLItem* FParent = nullptr;
  std::string FText;
};

}  // namespace fs
