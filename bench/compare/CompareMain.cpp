// The peer comparison: every workload run in Velmora and in Lua 5.4 in this process
// (and in python3 by peer.py), each side checked, then the table of medians and one
// "ratio <workload> <velmora/lua>" line per workload.
//
//   compare [--runs N] [--only SUBSTRING] [--no-python]
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <set>
#include <string>
#include <vector>

#include "compare/LuaSide.h"
#include "compare/PythonSide.h"
#include "compare/RowCompare.h"
#include "compare/RowFilterCase.h"
#include "compare/Timing.h"
#include "compare/Workloads.h"

namespace compare {

namespace {

// Enough for a steady median; the whole program then takes about half a minute on two
// cores (python3 included).
constexpr int kDefaultRuns = 71;

struct Options {
  int Runs = kDefaultRuns;
  std::string Only;
  bool Python = true;
};

struct Measured {
  const Workload* Work;
  double Velmora;  // seconds per op, medians
  double Lua;
};

void Usage(std::FILE* to) {
  std::fprintf(to,
               "usage: compare [--runs N] [--only SUBSTRING] [--no-python]\n"
               "  --runs N          timed runs per side and workload (default %d); the median counts\n"
               "  --only SUBSTRING  only the workloads whose name contains SUBSTRING\n"
               "  --no-python       leave out the python3 column\n",
               kDefaultRuns);
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) {
      options.Runs = std::atoi(argv[++i]);
      if (options.Runs < 1) return false;
    } else if (arg == "--only" && i + 1 < argc) {
      options.Only = argv[++i];
    } else if (arg == "--no-python") {
      options.Python = false;
    } else {
      return false;
    }
  }
  return true;
}

// Stops the program: a benchmark of wrong work is worthless.
[[noreturn]] void Fail(const std::string& workload, const std::string& what) {
  std::fprintf(stderr, "compare: %s: %s\n", workload.c_str(), what.c_str());
  std::exit(1);
}

void VerifySides(const Workload& w, TimedSide& velmora, TimedSide& lua) {
  if (std::string e = velmora.Verify(); !e.empty()) Fail(w.Name, "Velmora: " + e);
  if (std::string e = lua.Verify(); !e.empty()) Fail(w.Name, "Lua: " + e);
  if (velmora.Output() || lua.Output())
    if (std::string e = CompareRows(velmora.Output(), "Velmora", lua.Output(), "Lua"); !e.empty())
      Fail(w.Name, "the outputs differ: " + e);
}

Measured Measure(const Workload& w, int runs) {
  std::fprintf(stderr, "compare: %s\n", w.Name.c_str());
  std::unique_ptr<TimedSide> velmora = w.MakeVelmora();
  std::unique_ptr<TimedSide> lua = w.MakeLua();
  // One warm-up run each (the filter compiles its script on its first packet).
  velmora->Run();
  lua->Run();
  VerifySides(w, *velmora, *lua);
  std::vector<double> velmoraTimes, luaTimes;
  for (int i = 0; i < runs; ++i) {
    velmoraTimes.push_back(SecondsOf([&] { velmora->Run(); }));
    luaTimes.push_back(SecondsOf([&] { lua->Run(); }));
  }
  VerifySides(w, *velmora, *lua);
  return {&w, Median(velmoraTimes) / w.OpsPerRun, Median(luaTimes) / w.OpsPerRun};
}

// A time per op in the workload's unit, right-aligned, with the unit after it.
std::string Shown(const Workload& w, double seconds) {
  char text[64];
  if (w.Unit == TimeUnit::MicrosecondsPerRow)
    std::snprintf(text, sizeof text, "%10.3f \xC2\xB5s", seconds * 1e6);
  else
    std::snprintf(text, sizeof text, "%10.3f ms", seconds * 1e3);
  return text;
}

// Velmora's goal against Lua per workload: 2x per row for the row filter, 4x for the
// compute programs; the compile workload has none.
double Target(const Workload& w) {
  if (w.PeerName == "row-filter") return 2;
  if (w.PeerName == "compile") return 0;
  return 4;
}

void PrintTable(const std::vector<Measured>& results, const PeerResults& peer, bool python, int runs) {
  std::printf("Velmora vs %s%s: time per op, median of %d runs per side\n", LuaRelease(),
              python ? " vs python3" : "", runs);
  std::printf("(row-filter: per row of a %d-row packet; compile: per compile; others: per run)\n\n", kFilterRows);
  std::printf("%-20s %13s %13s %12s %13s   %s\n", "workload", "Velmora/op", "Lua/op", "Velmora/Lua", "python3/op",
              "target");
  for (const Measured& m : results) {
    const Workload& w = *m.Work;
    auto it = peer.SecondsPerOp.find(w.PeerName);
    const std::string py = it == peer.SecondsPerOp.end() ? std::string("            -") : Shown(w, it->second);
    const double ratio = m.Velmora / m.Lua;
    const double target = Target(w);
    std::string goal = "-";
    if (target > 0) goal = "<=" + std::to_string(static_cast<int>(target)) + "x " + (ratio <= target ? "met" : "missed");
    std::printf("%-20s %s %s %12.2f %s   %s\n", w.Name.c_str(), Shown(w, m.Velmora).c_str(), Shown(w, m.Lua).c_str(),
                ratio, py.c_str(), goal.c_str());
  }
  if (python && !peer.Error.empty()) std::printf("\npython3: %s\n", peer.Error.c_str());
  std::printf("\n");
  for (const Measured& m : results) std::printf("ratio %s %.2f\n", m.Work->Name.c_str(), m.Velmora / m.Lua);
}

int Main(int argc, char** argv) {
  Options options;
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    Usage(stdout);
    return 0;
  }
  if (!ParseOptions(argc, argv, options)) {
    Usage(stderr);
    return 2;
  }
  const std::vector<Workload> workloads = AllWorkloads();
  std::vector<Measured> results;
  std::vector<std::string> peerNames;
  std::set<std::string> seen;
  for (const Workload& w : workloads) {
    if (w.Name.find(options.Only) == std::string::npos) continue;
    try {
      results.push_back(Measure(w, options.Runs));
    } catch (const std::exception& e) {
      Fail(w.Name, e.what());
    }
    if (seen.insert(w.PeerName).second) peerNames.push_back(w.PeerName);
  }
  if (results.empty()) {
    std::fprintf(stderr, "compare: no workload matches \"%s\"\n", options.Only.c_str());
    return 2;
  }
  PeerResults peer;
  if (options.Python) {
    std::fprintf(stderr, "compare: python3 peer.py\n");
    peer = RunPeer(options.Runs, peerNames);
  }
  PrintTable(results, peer, options.Python, options.Runs);
  return 0;
}

}  // namespace

}  // namespace compare

int main(int argc, char** argv) { return compare::Main(argc, argv); }
