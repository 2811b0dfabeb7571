#include "OutputSink.h"

#include <cerrno>
#include <cstring>

void OutputSink::WriteLine(std::string_view text) {
  std::string line;
  line.reserve(text.size() + 1);
  line.append(text).push_back('\n');
  Write(line);
}

FileSink::~FileSink() {
  if (FOwned && FFile) std::fclose(FFile);
}

bool FileSink::Open(const std::string& path, std::string& error) {
  if (path == "-") {
    FFile = stdout;
    return true;
  }
  errno = 0;
  FFile = std::fopen(path.c_str(), "wb");
  if (!FFile) {
    error = "cannot write '" + path + "': " + (errno ? std::strerror(errno) : "the file cannot be created");
    return false;
  }
  FOwned = true;
  return true;
}

void FileSink::Write(std::string_view text) {
  if (FFile && !text.empty() && std::fwrite(text.data(), 1, text.size(), FFile) != text.size()) FFailed = true;
}

void FileSink::Flush() {
  if (FFile && std::fflush(FFile) != 0) FFailed = true;
}

FileSink& StandardOutput() {
  static FileSink out(stdout);
  return out;
}

FileSink& StandardError() {
  static FileSink err(stderr);
  return err;
}
