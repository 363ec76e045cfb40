#include "ui/text_file.h"

#include <cstdio>

namespace yav {

std::string writeTextFile(const std::string& path, std::string_view text) {
  const std::string error = "Can't write " + path;
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (!f) return error;
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  // A full disk shows at the close as well as at the write: both count.
  if (std::fclose(f) != 0 || !written) return error;
  return {};
}

}  // namespace yav
