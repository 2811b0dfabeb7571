#include "compare/PythonSide.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Process.h"

#ifndef VELMORA_PEER_SCRIPT
#error "VELMORA_PEER_SCRIPT must name bench/compare/peer.py"
#endif

namespace compare {

namespace {

// A path in single quotes for the shell.
std::string Quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

PeerResults RunPeer(int runs, const std::vector<std::string>& names) {
  PeerResults results;
  if (names.empty()) return results;
  std::error_code ec;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (ec) {
    results.Error = "no temporary folder: " + ec.message();
    return results;
  }
  const std::string stem = "velmora-compare-" + std::to_string(platform::CurrentProcessId());
  const std::filesystem::path out = temp / (stem + ".out"), err = temp / (stem + ".err");

  std::string only;
  for (const std::string& name : names) only += (only.empty() ? "" : ",") + name;
  const std::string command = "python3 " + Quoted(VELMORA_PEER_SCRIPT) + " --runs " + std::to_string(runs) +
                              " --only " + Quoted(only) + " >" + Quoted(out.string()) + " 2>" + Quoted(err.string());
  const int status = std::system(command.c_str());

  std::istringstream lines(FileText(out));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string name;
    double seconds = 0;
    if (fields >> name && name == "error") {
      std::string rest;
      std::getline(fields, rest);
      results.Error += (results.Error.empty() ? "" : "; ") + std::string("peer.py:") + rest;
    } else if (!name.empty() && fields >> seconds && seconds > 0) {
      results.SecondsPerOp[name] = seconds;
    }
  }
  if (status != 0 && results.Error.empty()) {
    std::string detail = FileText(err);
    while (!detail.empty() && (detail.back() == '\n' || detail.back() == '\r')) detail.pop_back();
    const std::size_t lastLine = detail.rfind('\n');
    if (lastLine != std::string::npos) detail = detail.substr(lastLine + 1);
    results.Error = "python3 peer.py failed" + (detail.empty() ? " (status " + std::to_string(status) + ")" : ": " + detail);
  }
  std::filesystem::remove(out, ec);
  std::filesystem::remove(err, ec);
  return results;
}

}  // namespace compare
