#include "platform/NamedLock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include "platform/Clock.h"

namespace platform {

NamedLock::NamedLock(const std::string& name) : FName(ShortenLockName(name, 200)) {}

NamedLock::~NamedLock() {
  Release();
  if (FFd >= 0) close(FFd);
}

bool NamedLock::Acquire(std::uint32_t timeoutMs) {
  if (FHeld) return true;
  if (FFd < 0) {
    // Every process must reach the same file whatever its TMPDIR says, so the lock
    // files live in the system's own temporary folder. The file stays: removing it
    // would let two processes lock two different files.
    std::string file = "/tmp/velmora-" + FName + ".lock";
    // Read-only is enough for flock and lets other users share the file; a link
    // planted in the shared folder is not followed.
    FFd = open(file.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (FFd < 0) return false;
  }
  const std::uint64_t start = TickCount64();
  for (;;) {
    if (flock(FFd, LOCK_EX | LOCK_NB) == 0) {
      FHeld = true;
      return true;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (TickCount64() - start >= timeoutMs) return false;
    timespec pause{0, 2 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
}

void NamedLock::Release() {
  if (!FHeld) return;
  flock(FFd, LOCK_UN);
  FHeld = false;
}

}  // namespace platform
