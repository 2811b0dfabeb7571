#include "engine/fsXMLReader.h"

#include <string>
#include <vector>

#include "engine/fsStrings.h"
#include "engine/fsXMLDocument.h"
#include "engine/fsXMLItem.h"
#include "rtl/Exceptions.h"

namespace fs {

namespace {

constexpr std::size_t kBlockSize = 4096;

[[noreturn]] void InvalidFormat() { throw rtl::Exception("Invalid file format"); }
// A tree that was written whole (deeper trees may be built and saved) but is too deep
// to be read back says so.
[[noreturn]] void TooDeep() {
  throw rtl::Exception("Invalid file format: elements nested deeper than " + std::to_string(kMaxXMLDepth) + " levels");
}

// Splits a gathered tag into name and attribute text; true when the element is
// complete in itself (written as an empty element).
bool SplitTag(std::string& tag, std::string& name, std::string& text) {
  if (!tag.empty() && tag.back() == ' ') tag.pop_back();
  std::size_t blank = tag.find(' ');
  if (blank == std::string::npos) {
    name = tag;
    text.clear();
  } else {
    name = tag.substr(0, blank);
    text = tag.substr(blank + 1);
  }
  bool complete = false;
  if (!name.empty() && name.back() == '/') {
    name.pop_back();
    complete = true;
  }
  if (!text.empty() && text.back() == '/') {
    text.pop_back();
    complete = true;
  }
  return complete;
}

}  // namespace

TfsXMLReader::TfsXMLReader(std::istream& stream) : FStream(stream) {
  std::streampos start = FStream.tellg();
  if (start == std::streampos(-1)) {
    FSeekable = false;
    FStream.clear();
    FSize = -1;
    return;
  }
  FStartPos = start;
  FStream.seekg(0, std::ios::end);
  std::streampos end = FStream.tellg();
  FStream.seekg(start);
  FSize = end == std::streampos(-1) ? -1 : std::streamoff(end) - FStartPos;
  if (!FStream) FStream.clear();
}

TfsXMLReader::~TfsXMLReader() {
  // Data that follows the document stays readable.
  if (FSeekable) {
    FStream.clear();
    FStream.seekg(FStartPos + FConsumed);
  }
}

bool TfsXMLReader::ReadChar(char& c) {
  if (FBufPos >= FBuffer.size()) {
    std::size_t want = kBlockSize;
    if (FSize >= 0) {
      std::streamoff left = FSize - (FConsumed);
      if (left <= 0) return false;
      if (static_cast<std::streamoff>(want) > left) want = static_cast<std::size_t>(left);
    }
    FBuffer.resize(want);
    FStream.read(FBuffer.data(), static_cast<std::streamsize>(want));
    std::size_t got = static_cast<std::size_t>(FStream.gcount());
    FBuffer.resize(got);
    FBufPos = 0;
    if (got == 0) return false;
  }
  c = FBuffer[FBufPos++];
  ++FConsumed;
  return true;
}

bool TfsXMLReader::ReadTag(std::string& tag) {
  char c;
  for (;;) {
    // Anything outside a tag is ignored.
    do {
      if (!ReadChar(c)) {
        tag.clear();
        return false;
      }
    } while (c != '<');
    tag.clear();
    bool comment = false;
    for (;;) {
      if (!ReadChar(c)) InvalidFormat();
      if (c == '>') break;
      if (c == '<') InvalidFormat();
      tag += c;
      if (tag.size() == 3 && tag == "!--") {
        comment = true;
        break;
      }
    }
    if (!comment) return true;
    // A comment ends at "-->"; a third '-' in a row starts the count again.
    int dashes = 0;
    for (;;) {
      if (!ReadChar(c)) InvalidFormat();
      if (c == '>' && dashes == 2) break;
      if (c == '-')
        dashes = dashes < 2 ? dashes + 1 : 0;
      else
        dashes = 0;
    }
  }
}

void TfsXMLReader::ReadHeader() {
  std::string tag;
  if (!ReadTag(tag) || tag.compare(0, 4, "?xml") != 0) InvalidFormat();
}

void TfsXMLReader::ReadRootItem(TfsXMLItem* item) {
  item->Clear();
  item->SetName(std::string());
  item->SetText(std::string());
  std::string tag, name, text;
  if (!ReadTag(tag)) return;  // the stream ends: an empty root
  bool complete = SplitTag(tag, name, text);
  if (name.empty() || name[0] == '/') InvalidFormat();  // a closing tag with nothing open
  item->SetName(name);
  item->SetText(text);
  if (complete) return;
  // Open elements are kept on an explicit stack rather than by recursion.
  std::vector<TfsXMLItem*> open{item};
  while (!open.empty()) {
    if (!ReadTag(tag)) return;  // the end of the stream closes every open element
    complete = SplitTag(tag, name, text);
    if (name.empty() || name[0] == '/') {
      if (!SameText(name, "/" + open.back()->Name())) InvalidFormat();
      open.pop_back();
      continue;
    }
    if (static_cast<int>(open.size()) >= kMaxXMLDepth) TooDeep();
    TfsXMLItem* child = open.back()->Add();
    child->SetName(name);
    child->SetText(text);
    if (!complete) open.push_back(child);
  }
}

}  // namespace fs
