// The console's command history kept between runs, in `yav_history` beside the settings file.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace yav {

inline constexpr size_t kHistoryFileLines = 1000;  // older lines are dropped
inline constexpr size_t kHistoryLineMax = 1022;    // a typed line is never longer

// `yav_history` in the folder of the settings file.
std::string historyPath();

// The last `max` lines of a history text, oldest first. Empty lines and lines too long to have
// been typed are skipped; a DOS line end loses its carriage return.
std::vector<std::string> parseHistory(std::string_view text, size_t max = kHistoryFileLines);

// The same from the file; empty when it cannot be read.
std::vector<std::string> loadHistory(const std::string& path, size_t max = kHistoryFileLines);

// Appends `lines` to what the file holds now (another console may have written it meanwhile),
// a line equal to the one before it is not added again; keeps the last `max` lines and replaces the file in one step (temp file + rename), so an
// interrupted write never leaves a damaged file. False when it cannot be written.
bool appendHistory(const std::string& path, const std::vector<std::string>& lines,
                   size_t max = kHistoryFileLines);

}  // namespace yav
