#include "engine/fsXMLDocument.h"

#include <fstream>
#include <sstream>

#include "engine/fsFiles.h"
#include "engine/fsXMLReader.h"
#include "engine/fsXMLWriter.h"
#include "rtl/FileNames.h"

namespace fs {

namespace {
[[maybe_unused]] const rtl::TClassInfo& kRegistered = TfsXMLDocument::StaticClassInfo();
}

const rtl::TClassInfo& TfsXMLDocument::StaticClassInfo() {
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<TfsXMLDocument>("TfsXMLDocument", &rtl::TObject::StaticClassInfo());
  return info;
}

TfsXMLDocument::TfsXMLDocument() : FRoot(std::make_unique<TfsXMLItem>()) {}

void TfsXMLDocument::LoadFromStream(std::istream& stream) {
  FRoot->Clear();
  TfsXMLReader reader(stream);
  reader.ReadHeader();
  reader.ReadRootItem(FRoot.get());
}

void TfsXMLDocument::SaveToStream(std::ostream& stream) const {
  TfsXMLWriter writer(stream);
  writer.WriteHeader();
  writer.WriteRootItem(FRoot.get());
  writer.Flush();
}

void TfsXMLDocument::LoadFromFile(const std::string& fileName) {
  rtl::CheckFileName(fileName);
  std::ifstream f(fileName, std::ios::binary);
  if (!f) RaiseFileOpenError(fileName);
  LoadFromStream(f);
}

void TfsXMLDocument::SaveToFile(const std::string& fileName) const {
  rtl::CheckFileName(fileName);
  std::ofstream f(fileName, std::ios::binary | std::ios::trunc);
  if (!f) RaiseFileCreateError(fileName);
  SaveToStream(f);
}

void TfsXMLDocument::LoadFromString(const std::string& text) {
  std::istringstream s(text);
  LoadFromStream(s);
}

std::string TfsXMLDocument::SaveToString() const {
  std::ostringstream s;
  SaveToStream(s);
  return s.str();
}

}  // namespace fs
