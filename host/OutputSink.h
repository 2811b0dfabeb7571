// Where the host writes what it reports: a file (or stdout/stderr), or a text kept in
// memory for the test command to compare. A file remembers a failed write, so that a
// full disk or an unwritable device is reported instead of passing in silence.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class OutputSink {
public:
  virtual ~OutputSink() = default;
  virtual void Write(std::string_view text) = 0;
  void WriteLine(std::string_view text);
  virtual void Flush() {}
};

class FileSink : public OutputSink {
public:
  // One of the standard streams, not closed at the end.
  explicit FileSink(std::FILE* stream) : FFile(stream) {}
  FileSink() = default;
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  // Creates or empties the file ("-" is stdout); false with a one-line reason.
  bool Open(const std::string& path, std::string& error);
  void Write(std::string_view text) override;
  void Flush() override;
  bool IsOpen() const { return FFile != nullptr; }
  // Whether a write or a flush failed since the file was opened.
  bool Failed() const { return FFailed; }

private:
  std::FILE* FFile = nullptr;
  bool FOwned = false;
  bool FFailed = false;
};

class StringSink : public OutputSink {
public:
  void Write(std::string_view text) override { FText += text; }
  const std::string& Text() const { return FText; }

private:
  std::string FText;
};

// The process's own streams.
FileSink& StandardOutput();
FileSink& StandardError();
