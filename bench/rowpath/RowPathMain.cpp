// rowpath: the row filter workload of the peer comparison on this build alone (no Lua),
// for packets of 1, 1 000, 100 000 and 200 000 rows: time per row and per packet. The
// same program is built for Linux and for 32-bit Windows (run under Wine by
// bench/rowpath.sh), so the two builds are compared on the same work.
//
//   rowpath [--seconds S]   each packet size is run until S seconds (default 2) have
//                           passed, at least 3 times; the median is printed
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
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
      budget = std::atof(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: rowpath [--seconds S]\n");
      return 2;
    }
  }
  const int sizes[] = {1, 1000, 100000, 200000};
  std::printf("%-10s %14s %16s %6s\n", "rows", "ns/row", "us/packet", "runs");
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
    // Small packets are timed in batches so that the clock's resolution does not count.
    const int batch = rows >= 1000 ? 1 : 1000;
    std::vector<double> samples;
    double spent = 0;
    while (samples.size() < 3 || spent < budget) {
      const double s = compare::SecondsOf([&] {
        for (int b = 0; b < batch; ++b) side->Run();
      });
      spent += s;
      samples.push_back(s / batch);
    }
    const double perPacket = compare::Median(samples);
    std::printf("%-10d %14.1f %16.2f %6zu\n", rows, perPacket * 1e9 / rows, perPacket * 1e6, samples.size());
    std::fflush(stdout);
  }
  return 0;
}
