// Feeds arbitrary bytes to the XML reader; what it accepts is written, read back,
// copied and searched.
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>

#include "engine/fsXMLDocument.h"
#include "rtl/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text + "tail");
  fs::TfsXMLDocument doc;
  try {
    doc.LoadFromStream(in);
  } catch (const rtl::Exception&) {
    return 0;
  }
  // The stream is left right after the document, so the tail is still there unless
  // the document never closed and the end of the stream closed it.
  std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!rest.empty() && (rest.size() < 4 || rest.compare(rest.size() - 4, 4, "tail") != 0)) std::abort();
  std::string saved = doc.SaveToString();
  fs::TfsXMLDocument again;
  try {
    again.LoadFromString(saved);
    for (int i = 0; i < again.Root()->Count(); ++i) again.Root()->Items(i)->Prop("text");
  } catch (const rtl::Exception&) {
    // Names and attribute texts the reader accepts may not survive a round trip.
  }
  fs::TfsXMLItem copy;
  copy.CopyTreeFrom(doc.Root());
  try {
    copy.Prop("text");
    copy.SetProp("pos", "1:1");
  } catch (const rtl::Exception&) {
    // An oversized character reference raises when read.
  }
  return 0;
}
