// Opening files that must be ordinary files: a folder, device or FIFO is refused at once
// (never read, never waited on).
#pragma once
#include <string>

namespace yav::platform {

enum class OpenStatus { Opened, Missing, NotRegular };

// Opens `path` (links followed) for reading. On Opened `fd` holds a blocking descriptor the
// caller closes; otherwise `fd` is -1. Missing covers every failure to open (absent file, no
// permission).
OpenStatus openRegularFile(const std::string& path, int& fd);

// Whether `path` opens as a regular file for reading, without keeping it open.
OpenStatus regularFileStatus(const std::string& path);

}  // namespace yav::platform
