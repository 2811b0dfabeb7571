// The python3 column: peer.py, run once as a child process, times the same work in
// Python and prints one line per workload, "<name> <seconds per op>".
#pragma once

#include <map>
#include <string>
#include <vector>

namespace compare {

struct PeerResults {
  std::map<std::string, double> SecondsPerOp;  // by peer name ("fib", "row-filter" ...)
  std::string Error;                           // why some or all figures are missing
};

// Runs peer.py for the named workloads with `runs` runs each. Never fails: whatever
// goes wrong (no python3, a failing script, a wrong result) is in Error.
PeerResults RunPeer(int runs, const std::vector<std::string>& names);

}  // namespace compare
