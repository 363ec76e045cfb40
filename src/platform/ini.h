// The settings file: sections of "key=value" lines, read and written one key at a time.
// Section and key names match without regard to case; a missing file or key yields the
// caller's default; a write replaces the whole file atomically (temp file + rename).
#pragma once
#include <cstddef>
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

// The file text with `key` of `section` set to `value`: an existing line is replaced in place,
// a new key goes at the end of its section, a new section at the end of the text.
std::string profileUpdate(std::string_view text, std::string_view section, std::string_view key,
                          std::string_view value);

// Reads one key from the file at `path`; `def` when the file or key is missing. At most
// `maxChars` characters of the value are returned.
std::string getProfileString(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view def, size_t maxChars = 509);

// Writes one key to the file at `path`, creating the file and its folder when needed.
// Returns false when the file cannot be written; the old file is then left unchanged.
bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

// The same on the settings file of iniPath().
std::string iniGet(std::string_view section, std::string_view key, std::string_view def,
                   size_t maxChars = 509);
bool iniSet(std::string_view section, std::string_view key, std::string_view value);

}  // namespace yav::platform
