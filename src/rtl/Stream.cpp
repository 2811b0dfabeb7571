#include "rtl/Stream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace rtl {

namespace {

[[maybe_unused]] const TClassInfo& kStream = TStream::StaticClassInfo();
[[maybe_unused]] const TClassInfo& kMemoryStream = TMemoryStream::StaticClassInfo();
[[maybe_unused]] const TClassInfo& kFileStream = TFileStream::StaticClassInfo();

constexpr int kCopyChunk = 0xF000;
constexpr const char* kExpandError = "Out of memory while expanding memory stream";

// What one call may move at most, so that positions and sizes stay in range.
constexpr std::int64_t kMaxMemorySize = std::numeric_limits<std::int32_t>::max();

}  // namespace

const TClassInfo& TStream::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TStream>("TStream", &TObject::StaticClassInfo());
  return info;
}

const TClassInfo& TMemoryStream::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMemoryStream>("TMemoryStream", &TStream::StaticClassInfo());
  return info;
}

const TClassInfo& TFileStream::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TFileStream>("TFileStream", &TStream::StaticClassInfo());
  return info;
}

// TStream -------------------------------------------------------------------------------

void TStream::OriginError(int origin) {
  throw EStreamError("Invalid stream origin (" + std::to_string(origin) + ")");
}

std::int64_t TStream::Size() {
  const std::int64_t position = Seek(0, soCurrent);
  const std::int64_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

std::int64_t TStream::Remaining() {
  const std::int64_t position = Position();
  const std::int64_t size = Size();
  return position < 0 || position >= size ? 0 : size - position;
}

void TStream::ReadBuffer(void* buffer, int count) {
  if (count != 0 && Read(buffer, count) != count) throw EStreamError("Stream read error", "EReadError");
}

void TStream::WriteBuffer(const void* buffer, int count) {
  if (count != 0 && Write(buffer, count) != count) throw EStreamError("Stream write error", "EWriteError");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count <= 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::string chunk(static_cast<std::size_t>(std::min<std::int64_t>(count, kCopyChunk)), '\0');
  std::int64_t left = count;
  while (left > 0) {
    const int n = static_cast<int>(std::min<std::int64_t>(left, kCopyChunk));
    source.ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= n;
  }
  return count;
}

std::string TStream::ReadRest() {
  std::string data;
  const std::int64_t rest = Remaining();
  if (rest > kMaxMemorySize) throw EStreamError("Stream read error", "EReadError");
  data.resize(static_cast<std::size_t>(rest));
  const int n = data.empty() ? 0 : Read(data.data(), static_cast<int>(data.size()));
  data.resize(static_cast<std::size_t>(std::max(n, 0)));
  return data;
}

// TMemoryStream -------------------------------------------------------------------------

int TMemoryStream::Read(void* buffer, int count) {
  const std::int64_t size = Size();
  if (count <= 0 || FPosition < 0 || FPosition >= size) return 0;
  const int n = static_cast<int>(std::min<std::int64_t>(count, size - FPosition));
  std::memcpy(buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

int TMemoryStream::Write(const void* buffer, int count) {
  if (count <= 0 || FPosition < 0) return 0;
  const std::int64_t end = FPosition + count;
  if (end > kMaxMemorySize) return 0;
  if (end > Size()) Grow(end);
  std::memcpy(FData.data() + FPosition, buffer, static_cast<std::size_t>(count));
  FPosition = end;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, int origin) {
  switch (origin) {
    case soBeginning: FPosition = offset; break;
    case soCurrent: FPosition += offset; break;
    case soEnd: FPosition = Size() + offset; break;
    default: OriginError(origin);
  }
  return FPosition;
}

void TMemoryStream::Grow(std::int64_t size) {
  try {
    FData.resize(static_cast<std::size_t>(size), '\0');
  } catch (const std::bad_alloc&) {
    throw EStreamError(kExpandError);
  }
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (size < 0 || size > kMaxMemorySize) throw EStreamError(kExpandError);
  Grow(size);
  if (FPosition > size) FPosition = size;
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  const std::int64_t size = stream.Size();
  if (size > kMaxMemorySize) throw EStreamError(kExpandError);
  std::string data(static_cast<std::size_t>(size), '\0');
  stream.ReadBuffer(data.data(), static_cast<int>(data.size()));
  FData.swap(data);
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& stream) const {
  stream.WriteBuffer(FData.data(), static_cast<int>(FData.size()));
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

// TFileStream ---------------------------------------------------------------------------

TFileStream::~TFileStream() { Close(); }

void TFileStream::Open(const std::string& fileName, int mode) {
  Close();
  const bool create = (mode & fmCreate) == fmCreate;
  FHandle = create ? sys::FileCreate(fileName, mode & ~fmCreate) : sys::FileOpen(fileName, mode);
  if (FHandle == sys::kNoFile) {
    const std::string reason = sys::IsOtherThanFile(fileName) ? ". Not a regular file" : "";
    if (create) throw EStreamError("Cannot create file \"" + fileName + "\"" + reason, "EFCreateError");
    throw EStreamError("Cannot open file \"" + fileName + "\"" + reason, "EFOpenError");
  }
  FFileName = fileName;
}

void TFileStream::Close() {
  if (FHandle != sys::kNoFile) sys::FileClose(FHandle);
  FHandle = sys::kNoFile;
}

int TFileStream::Read(void* buffer, int count) {
  if (count <= 0) return 0;
  return std::max(sys::FileRead(FHandle, buffer, count), 0);
}

int TFileStream::Write(const void* buffer, int count) {
  if (count <= 0) return 0;
  return std::max(sys::FileWrite(FHandle, buffer, count), 0);
}

std::int64_t TFileStream::Seek(std::int64_t offset, int origin) {
  if (origin < soBeginning || origin > soEnd) OriginError(origin);
  if (FHandle == sys::kNoFile) return 0;
  const std::int64_t at = sys::FileSeek(FHandle, offset, origin);
  // A position before the start stays where it was, as the system refuses it.
  return at < 0 ? sys::FileSeek(FHandle, 0, soCurrent) : at;
}

}  // namespace rtl
