// Reading and writing the settings file on disk. A save never leaves a half-written file: the
// new text goes to a temporary file in the same folder, is flushed to the disk, and replaces
// the file by a rename. A file that is not a regular file, or that the user made read-only, is
// never replaced; the first such refusal for a file is reported once.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <set>

#include "platform/ini.h"
#include "platform/regular_file.h"

namespace yav::platform {

namespace {

namespace fs = std::filesystem;

void reportToStderr(const std::string& text) { std::fprintf(stderr, "yav: %s\n", text.c_str()); }

IniReporter& reporter() {
  static IniReporter r = reportToStderr;
  return r;
}

// Says `text` about `path` the first time only.
void reportOnce(const std::string& path, const std::string& text) {
  static std::set<std::string> reported;
  if (reported.insert(path).second && reporter()) reporter()(text);
}

// The file a path names once symbolic links are followed (also when the last one dangles),
// so that a save writes through the link instead of replacing it.
fs::path followLinks(const fs::path& path) {
  fs::path p = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(p, ec))) return p;
    fs::path to = fs::read_symlink(p, ec);
    if (ec) return p;
    p = to.is_absolute() ? to : p.parent_path() / to;
  }
  return p;
}

std::string tempPrefix(const fs::path& file) { return file.filename().string() + ".tmp"; }

// Removes temporary files of earlier saves of `file` whose process no longer runs (a save cut
// short by kill -9 or a crash). Done once per file and process.
void removeStaleTemps(const fs::path& file) {
  static std::set<std::string> cleaned;
  if (!cleaned.insert(file.string()).second) return;
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const std::string prefix = tempPrefix(file);
  DIR* d = ::opendir(folder.c_str());
  if (!d) return;
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    const pid_t pid = static_cast<pid_t>(std::stol(digits));
    if (pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM) continue;  // still saving
    ::unlink((folder / name).c_str());
  }
  ::closedir(d);
}

// Reads the whole of a regular file; a folder, device or FIFO is refused unread (a device or
// FIFO would never end or never start).
OpenStatus readRegular(const std::string& path, std::string& text) {
  text.clear();
  int fd = -1;
  const OpenStatus status = openRegularFile(path, fd);
  if (status != OpenStatus::Opened) return status;
  char buf[8192];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR)) {
    if (n > 0) text.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return status;
}

enum class ReadResult { Read, Missing, Refused };

ReadResult readSettings(const std::string& path, std::string& text) {
  switch (readRegular(path, text)) {
    case OpenStatus::Missing: return ReadResult::Missing;
    case OpenStatus::NotRegular:
      reportOnce(path, "settings file " + path + " is not a regular file: defaults are used and settings will not be saved");
      return ReadResult::Refused;
    case OpenStatus::Opened: break;
  }
  return ReadResult::Read;
}

bool writeAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Replaces `file` by `text`: temporary file with the old file's permissions, flushed, renamed,
// and the folder flushed so that the rename itself survives a power loss.
bool replaceFile(const fs::path& file, const std::string& text, const struct stat* old) {
  const fs::path folder = file.parent_path();
  const fs::path temp = folder / (tempPrefix(file) + std::to_string(static_cast<long>(::getpid())));
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = (!old || ::fchmod(fd, old->st_mode & 07777) == 0) && writeAll(fd, text) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(temp.c_str(), file.c_str()) == 0) {
    syncFolder(folder);
    return true;
  }
  ::unlink(temp.c_str());
  return false;
}

}  // namespace

void setIniReporter(IniReporter r) { reporter() = std::move(r); }

std::string getProfileString(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view def, size_t maxChars) {
  removeStaleTemps(followLinks(path));
  std::string text;
  std::string value(def);
  if (readSettings(path, text) == ReadResult::Read) {
    if (auto found = profileLookup(text, section, key)) value = *found;
  }
  if (value.size() > maxChars) value.resize(maxChars);
  return value;
}

bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
  const fs::path file = followLinks(path);
  std::error_code ec;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  removeStaleTemps(file);
  std::string text;
  const ReadResult read = readSettings(file.string(), text);
  if (read == ReadResult::Refused) return false;
  struct stat st {};
  const bool exists = read == ReadResult::Read && ::stat(file.c_str(), &st) == 0;
  const std::string updated = profileUpdate(text, section, key, value);
  if (exists && updated == text) return true;  // nothing changed: the file stays as it is
  // No write permission bit at all counts as read-only also for the superuser.
  if (exists && ((st.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0)) {
    reportOnce(path, "settings file " + path + " is read-only: settings will not be saved");
    return false;
  }
  if (!replaceFile(file, updated, exists ? &st : nullptr)) {
    reportOnce(path, "settings file " + path + " cannot be written: settings will not be saved");
    return false;
  }
  return true;
}

bool replaceProfileFile(const std::string& path, const std::string& text) {
  const fs::path file = followLinks(path);
  if (regularFileStatus(file.string()) == OpenStatus::NotRegular) return false;
  struct stat st {};
  const bool exists = ::stat(file.c_str(), &st) == 0;
  if (exists && ((st.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0)) return false;
  return replaceFile(file, text, exists ? &st : nullptr);
}

std::optional<std::string> readProfileFile(const std::string& path) {
  std::string text;
  if (readRegular(path, text) != OpenStatus::Opened) return std::nullopt;
  return text;
}

std::string iniGet(std::string_view section, std::string_view key, std::string_view def, size_t maxChars) {
  return getProfileString(iniPath(), section, key, def, maxChars);
}

bool iniSet(std::string_view section, std::string_view key, std::string_view value) {
  return writeProfileString(iniPath(), section, key, value);
}

}  // namespace yav::platform
