#include "engine/fsXMLWriter.h"

#include <utility>
#include <vector>

#include "engine/fsXMLItem.h"

namespace fs {

namespace {
constexpr std::size_t kBlockSize = 4096;
}

TfsXMLWriter::TfsXMLWriter(std::ostream& stream) : FStream(stream) {}

TfsXMLWriter::~TfsXMLWriter() {
  try {
    Flush();
  } catch (...) {
  }
}

void TfsXMLWriter::Write(const std::string& s) {
  FBuffer += s;
  if (FBuffer.size() > kBlockSize) Flush();
}

void TfsXMLWriter::Flush() {
  if (FBuffer.empty()) return;
  FStream.write(FBuffer.data(), static_cast<std::streamsize>(FBuffer.size()));
  FBuffer.clear();
}

void TfsXMLWriter::WriteHeader() { Write("<?xml version=\"1.0\"?>"); }

void TfsXMLWriter::WriteRootItem(const TfsXMLItem* item) {
  auto open = [this](const TfsXMLItem* e) {
    std::string s = "<" + e->Name();
    if (!e->Text().empty()) {
      if (e->Text()[0] != ' ') s += ' ';
      s += e->Text();
    }
    s += e->Count() == 0 ? "/>" : ">";
    Write(s);
  };
  // Depth first with an explicit stack of (element, next child).
  open(item);
  if (item->Count() == 0) return;
  std::vector<std::pair<const TfsXMLItem*, int>> stack{{item, 0}};
  while (!stack.empty()) {
    auto& [e, next] = stack.back();
    if (next < e->Count()) {
      const TfsXMLItem* child = e->Items(next++);
      open(child);
      if (child->Count() > 0) stack.emplace_back(child, 0);
    } else {
      Write("</" + e->Name() + ">");
      stack.pop_back();
    }
  }
}

}  // namespace fs
