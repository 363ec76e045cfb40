#include "console/history_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/ini.h"

namespace yav {

std::string historyPath() {
  std::filesystem::path ini(platform::iniPath());
  return (ini.parent_path() / "yav_history").string();
}

std::vector<std::string> parseHistory(std::string_view text, size_t max) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.size() > kHistoryLineMax) continue;
    lines.emplace_back(line);
  }
  if (lines.size() > max) lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(max));
  return lines;
}

std::vector<std::string> loadHistory(const std::string& path, size_t max) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return parseHistory(text.str(), max);
}

namespace {

bool writeAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool appendHistory(const std::string& path, const std::vector<std::string>& lines, size_t max) {
  namespace fs = std::filesystem;
  std::vector<std::string> all = loadHistory(path, max);
  for (const std::string& l : lines) {
    if (l.empty() || l.size() > kHistoryLineMax || l.find('\n') != std::string::npos) continue;
    if (all.empty() || all.back() != l) all.push_back(l);  // a repeated command is kept once
  }
  if (all.size() > max) all.erase(all.begin(), all.end() - static_cast<std::ptrdiff_t>(max));
  std::string text;
  for (const std::string& l : all) text += l + "\n";

  std::error_code ec;
  fs::path target(path);
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  std::string temp = path + ".tmp" + std::to_string(static_cast<long>(::getpid()));
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  bool ok = writeAll(fd, text) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) fs::remove(temp, ec);
  return ok;
}

}  // namespace yav
