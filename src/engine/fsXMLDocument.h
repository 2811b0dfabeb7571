// TfsXMLDocument: an element tree with one root element, read from and written to
// streams and files in the restricted XML of TfsXMLReader and TfsXMLWriter.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "engine/fsXMLItem.h"

namespace fs {

// Nesting deeper than this is refused when reading ("Invalid file format: elements
// nested deeper than 4096 levels"), so no consumer that walks a tree recursively
// meets a deeper one from a file.
constexpr int kMaxXMLDepth = 4096;

class TfsXMLDocument : public rtl::TObject {
  RTL_CLASS_INFO

public:
  TfsXMLDocument();

  TfsXMLItem* Root() const { return FRoot.get(); }

  // Replaces the root's content by the first element of the stream; every format
  // error raises "Invalid file format", leaving in the root what was read so far.
  void LoadFromStream(std::istream& stream);
  void SaveToStream(std::ostream& stream) const;
  // Opening or creating the file failing raises the file stream's error.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;
  // Convenience over the stream forms.
  void LoadFromString(const std::string& text);
  std::string SaveToString() const;

private:
  std::unique_ptr<TfsXMLItem> FRoot;
};

}  // namespace fs
