// Streams: a sequence of bytes with a position. TStream is the abstract stream and what
// works on any stream (whole-buffer reads and writes, copying from another stream);
// TMemoryStream keeps its bytes in memory and loads and saves them whole; TFileStream
// reads and writes a file through the operating system. Errors are the platform
// library's: EReadError "Stream read error", EWriteError "Stream write error",
// EFOpenError "Cannot open file "%s"", EFCreateError "Cannot create file "%s"".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rtl/Object.h"
#include "rtl/SysFiles.h"

namespace rtl {

class EStreamError : public Exception {
public:
  explicit EStreamError(std::string message, const char* className = "EStreamError")
      : Exception(std::move(message), className) {}
};

// The modes of TFileStream: fmCreate, or one access constant plus one sharing constant.
enum : std::uint16_t {
  fmCreate = 0xFFFF,
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
};

// Seek origins (soFromBeginning, soFromCurrent, soFromEnd).
enum TSeekOrigin : int { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream : public TObject {
  RTL_CLASS_INFO

public:
  // Up to count bytes from the position on; the number read (0 at the end, and for a
  // negative count).
  virtual int Read(void* buffer, int count) = 0;
  // Count bytes at the position; the number written.
  virtual int Write(const void* buffer, int count) = 0;
  // The new position. An origin other than the three raises EStreamError.
  virtual std::int64_t Seek(std::int64_t offset, int origin) = 0;

  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
  virtual std::int64_t Size();
  // Bytes from the position to the end (0 when the position is beyond it).
  std::int64_t Remaining();

  // All count bytes, or EReadError / EWriteError.
  void ReadBuffer(void* buffer, int count);
  void WriteBuffer(const void* buffer, int count);
  // Count bytes of source from its position on, or with count 0 (or less) the whole
  // of source from its start; the number copied. A source that ends early raises
  // EReadError.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);

  // The rest of the stream from the position on, as bytes.
  std::string ReadRest();
  void WriteText(std::string_view text) { WriteBuffer(text.data(), static_cast<int>(text.size())); }

protected:
  [[noreturn]] static void OriginError(int origin);
};

class TMemoryStream : public TStream {
  RTL_CLASS_INFO

public:
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  std::int64_t Seek(std::int64_t offset, int origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }
  // Grows with zero bytes or cuts; the position stays unless it is beyond the end.
  void SetSize(std::int64_t size);

  void Clear();
  // The whole of stream from its start; the position is 0 afterwards.
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
  // The whole content, whatever the position.
  void SaveToStream(TStream& stream) const;
  void SaveToFile(const std::string& fileName) const;

  const std::string& Memory() const noexcept { return FData; }

private:
  void Grow(std::int64_t size);

  std::string FData;
  std::int64_t FPosition = 0;
};

class TFileStream : public TStream {
  RTL_CLASS_INFO

public:
  // A stream on no file: reads and writes nothing until Open.
  TFileStream() = default;
  TFileStream(const std::string& fileName, int mode) { Open(fileName, mode); }
  ~TFileStream() override;

  // Opens (fmCreate: creates) the file, closing any file open before; EFOpenError or
  // EFCreateError when that fails.
  void Open(const std::string& fileName, int mode);
  void Close();

  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  std::int64_t Seek(std::int64_t offset, int origin) override;

  const std::string& FileName() const noexcept { return FFileName; }
  sys::FileHandle Handle() const noexcept { return FHandle; }

private:
  std::string FFileName;
  sys::FileHandle FHandle = sys::kNoFile;
};

}  // namespace rtl
