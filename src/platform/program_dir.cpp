#include "platform/program_dir.h"

#include <filesystem>
#include <system_error>

namespace yav::platform {

std::string programFolder() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return ".";
  return exe.parent_path().string();
}

}  // namespace yav::platform
