#include "engine/source_text.h"

#include <fstream>
#include <map>
#include <vector>

#include "engine/display_state.h"
#include "platform/regular_file.h"

namespace yav {

namespace {

constexpr size_t kLongestSourceLine = 4096;  // longer lines are shown cut

std::optional<std::vector<std::string>> readLines(const std::string& path) {
  if (platform::regularFileStatus(path) != platform::OpenStatus::Opened) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kLongestSourceLine) line.resize(kLongestSourceLine);
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string directoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The places a source file is looked for: as named, beside the program, then each folder of
// the source path.
std::vector<std::string> candidates(Kernel& k, const std::string& name) {
  std::vector<std::string> out{name};
  if (name.empty() || name[0] == '/') return out;
  const std::string programDir = directoryOf(k.prog.program->fileName);
  if (!programDir.empty()) out.push_back(programDir + name);
  const std::string& path = k.cmdfile.sourcePath;
  size_t start = 0;
  while (!path.empty() && start <= path.size()) {
    const size_t bar = path.find('|', start);
    std::string dir = path.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    if (!dir.empty()) out.push_back(dir.back() == '/' ? dir + name : dir + "/" + name);
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return out;
}

}  // namespace

std::optional<std::string> sourceLineText(Kernel& k, const std::string& name, uint32_t line) {
  auto& cache = displayState(k).sourceFiles;
  auto it = cache.find(name);
  if (it == cache.end()) {
    std::optional<std::vector<std::string>> lines;
    for (const std::string& place : candidates(k, name)) {
      if ((lines = readLines(place))) break;
    }
    it = cache.emplace(name, std::move(lines)).first;
  }
  if (!it->second || line == 0 || line > it->second->size()) return std::nullopt;
  return (*it->second)[line - 1];
}

void forgetSourceText(Kernel& k) {
  displayState(k).sourceFiles.clear();
  displayState(k).sourceViews.reset();
}

}  // namespace yav
