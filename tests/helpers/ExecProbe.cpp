// A small program for the tests of starting programs: writes the folder it runs in and
// its arguments, one per line, to the file its first argument names (relative names
// count from that folder). The file appears whole, under its name, once it is written;
// before that the program has written a line to its standard output and error.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::fputs("exec_probe was here\n", stdout);
  std::fputs("exec_probe was here\n", stderr);
  std::fflush(stdout);
  const std::string target = argv[1];
  const std::string part = target + ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    if (!out) return 3;
    out << std::filesystem::current_path().string() << "\n";
    for (int i = 2; i < argc; ++i) out << argv[i] << "\n";
  }
  std::error_code error;
  std::filesystem::rename(part, target, error);
  return error ? 4 : 0;
}
