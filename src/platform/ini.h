// The settings file: sections of "key=value" lines, read and written one key at a time.
// Section and key names match without regard to case; a missing file or key yields the
// caller's default; a write that changes the text replaces the whole file atomically (temp
// file flushed to disk + rename), through symbolic links and keeping the file's permissions.
// A path that is not a regular file (device, FIFO, folder) is never read or replaced, and a
// read-only file is never rewritten; either is reported once, through the reporter.
#pragma once
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace yav::platform {

// Path of the settings file: $YAV_INI if set, else $XDG_CONFIG_HOME/yav/YAVKT55R.INI,
// else $HOME/.config/yav/YAVKT55R.INI.
std::string iniPath();

// Value of `key` in `section` of the file text, blanks around it removed; nullopt when absent.
// Never fails on malformed text: lines that are neither a section header nor "key=value" are
// skipped.
std::optional<std::string> profileLookup(std::string_view text, std::string_view section,
                                         std::string_view key);

// A profile text read once for many lookups (the numbered records of a session file): each
// lookup answers as profileLookup on the same text would, without reading the text again.
class ProfileIndex {
 public:
  explicit ProfileIndex(std::string_view text);
  std::optional<std::string> lookup(std::string_view section, std::string_view key) const;

 private:
  std::map<std::string, std::string, std::less<>> values_;  // lower-case "section]key" -> value
};

// The file text with `key` of `section` set to `value`: an existing line is replaced in place,
// a new key goes at the end of its section, a new section at the end of the text.
std::string profileUpdate(std::string_view text, std::string_view section, std::string_view key,
                          std::string_view value);

// Receives the one-time notices about a settings file that is used read-only (default: a line
// on standard error).
using IniReporter = std::function<void(const std::string&)>;
void setIniReporter(IniReporter r);

// Reads one key from the file at `path`; `def` when the file or key is missing or the path is
// not a regular file. Temporary files that an interrupted save left are removed. At most
// `maxChars` characters of the value are returned.
std::string getProfileString(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view def, size_t maxChars = 509);

// Writes one key to the file at `path`, creating the file and its folder when needed.
// Returns false when the file cannot or may not be written; the old file is then left
// unchanged. When the value is already there the file is not touched.
bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

// Replaces the whole file at `path` by `text` (a session or layout file), with the same safe
// replacement as a key write. False when the path is not a regular file, is read-only, or
// cannot be written; the old file is then left as it was.
bool replaceProfileFile(const std::string& path, const std::string& text);

// The whole text of the file at `path`; none when it is missing, unreadable or not a regular
// file.
std::optional<std::string> readProfileFile(const std::string& path);

// The same on the settings file of iniPath().
std::string iniGet(std::string_view section, std::string_view key, std::string_view def,
                   size_t maxChars = 509);
bool iniSet(std::string_view section, std::string_view key, std::string_view value);

}  // namespace yav::platform
