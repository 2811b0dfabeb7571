// TfsXMLWriter: writes an element tree as restricted XML, gathered in a string and
// flushed to the stream in blocks; no line breaks or indentation.
#pragma once

#include <ostream>
#include <string>

namespace fs {

class TfsXMLItem;

class TfsXMLWriter {
public:
  explicit TfsXMLWriter(std::ostream& stream);
  TfsXMLWriter(const TfsXMLWriter&) = delete;
  TfsXMLWriter& operator=(const TfsXMLWriter&) = delete;
  ~TfsXMLWriter();

  void WriteHeader();
  // The element and its subtree.
  void WriteRootItem(const TfsXMLItem* item);
  // Writes what is gathered.
  void Flush();

private:
  void Write(const std::string& s);

  std::ostream& FStream;
  std::string FBuffer;
};

}  // namespace fs
