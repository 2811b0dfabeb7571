// TfsXMLReader: reads the restricted XML of the element tree from a stream in blocks
// and, when released, leaves the stream right after the last character it consumed.
#pragma once

#include <istream>
#include <string>

namespace fs {

class TfsXMLItem;

class TfsXMLReader {
public:
  explicit TfsXMLReader(std::istream& stream);
  TfsXMLReader(const TfsXMLReader&) = delete;
  TfsXMLReader& operator=(const TfsXMLReader&) = delete;
  // Puts the stream position just after the last character consumed.
  ~TfsXMLReader();

  // Reads the "<?xml ...?>" header; "Invalid file format" when the first tag is not one.
  void ReadHeader();
  // Replaces item's content by the next element of the stream, subtree included.
  void ReadRootItem(TfsXMLItem* item);

private:
  bool ReadChar(char& c);
  // Gathers the next tag; false at the end of the stream outside a tag.
  bool ReadTag(std::string& tag);

  std::istream& FStream;
  std::streamoff FStartPos = 0;
  std::streamoff FSize = 0;   // bytes from the start position to the end of the stream
  std::streamoff FConsumed = 0;
  bool FSeekable = true;
  std::string FBuffer;
  std::size_t FBufPos = 0;
};

}  // namespace fs
