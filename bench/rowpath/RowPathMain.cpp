// rowpath: the row filter workload of the peer comparison on this build alone (no Lua),
// for packets of 1, 1 000, 100 000 and 200 000 rows: time per row and per packet. The
// same program is built for Linux and for 32-bit Windows (run under Wine by
// bench/rowpath.sh), so the two builds are compared on the same work.
//
//   rowpath [--seconds S] [--rows N]
//                           each packet size is run until S seconds (default 2) have
//                           passed, at least 3 times; the median is printed. --rows
//                           runs that one size only (for a profiler).
//
// Both the wall time and the thread's CPU time are measured: on a machine busy with
// other work only the CPU time tells what the row path costs.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Public/Common/orbParamLst.h"
#include "compare/RowFilterCase.h"
#include "compare/Timing.h"
#include "compare/VelmoraSide.h"

int main(int argc, char** argv) {
  double budget = 2.0;
  std::vector<int> sizes = {1, 1000, 100000, 200000};
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
      budget = std::atof(argv[++i]);
    } else if (std::strcmp(argv[i], "--rows") == 0 && i + 1 < argc && std::atoi(argv[i + 1]) > 0) {
      sizes = {std::atoi(argv[++i])};
    } else {
      std::fprintf(stderr, "usage: rowpath [--seconds S] [--rows N]\n");
      return 2;
    }
  }
  std::printf("%-10s %14s %14s %16s %6s\n", "rows", "ns/row wall", "ns/row CPU", "us/packet CPU", "runs");
  std::uint32_t configId = 900;
  for (int rows : sizes) {
    std::shared_ptr<const orb::TorbParamsList> packet = compare::MakeFilterPacket(rows);
    std::unique_ptr<compare::TimedSide> side =
        compare::MakeVelmoraFilter(configId++, compare::kFilterPascal, 0, packet, rows);
    side->Run();  // compiles, and warms the heap up
    const std::string wrong = side->Verify();
    if (!wrong.empty()) {
      std::fprintf(stderr, "rowpath: wrong output for %d rows: %s\n", rows, wrong.c_str());
      return 1;
    }
    // Packets are timed in batches of about 200 000 rows, so that neither clock's
    // resolution counts (the CPU clock under Wine ticks in 10 ms steps).
    const int batch = rows >= 200000 ? 1 : 200000 / rows;
    std::vector<double> wall, cpu;
    double spent = 0;
    while (wall.size() < 3 || spent < budget) {
      double used = 0;
      const double s = compare::SecondsOf([&] {
        used = compare::CpuSecondsOf([&] {
          for (int b = 0; b < batch; ++b) side->Run();
        });
      });
      spent += s;
      wall.push_back(s / batch);
      cpu.push_back(used / batch);
    }
    const double wallPacket = compare::Median(wall);
    const double cpuPacket = compare::Median(cpu);
    std::printf("%-10d %14.1f %14.1f %16.2f %6zu\n", rows, wallPacket * 1e9 / rows, cpuPacket * 1e9 / rows,
                cpuPacket * 1e6, wall.size());
    std::fflush(stdout);
  }
  return 0;
}
