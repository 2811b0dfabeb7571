// CPU time: what the calling thread has spent running, for measurements that must not
// count the time other processes of a busy machine take.
#pragma once

namespace platform {

// Seconds of CPU time (user and system) the calling thread has used so far. The
// resolution is the system's: about a microsecond on Linux, down to a clock tick
// (10-16 ms) on Windows and under Wine.
double ThreadCpuSeconds();

}  // namespace platform
