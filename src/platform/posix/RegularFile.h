// Opening only regular files, and never waiting while doing so: a named pipe opened
// for reading waits for a writer (and for writing, for a reader), and a device may
// never end. The name is looked at before it is opened; then the file is opened
// without waiting and looked at again, in case the name changed in between.
#pragma once

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace platform::posix {

// A descriptor of the regular file, or -1; notAFile tells a refusal from a failure.
inline int OpenRegularFile(const std::string& path, int flags, bool& notAFile) {
  notAFile = false;
  struct stat st{};
  if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    notAFile = true;
    return -1;
  }
  const int fd = open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  if (fd < 0) {
    // A pipe opened for writing without a reader.
    if (errno == ENXIO) notAFile = true;
    return -1;
  }
  const bool known = fstat(fd, &st) == 0;
  if (!known || !S_ISREG(st.st_mode)) {
    notAFile = known;
    close(fd);
    return -1;
  }
  // Reads and writes of a regular file wait as they always do.
  const int fl = fcntl(fd, F_GETFL);
  if (fl != -1) fcntl(fd, F_SETFL, fl & ~O_NONBLOCK);
  return fd;
}

}  // namespace platform::posix
