#include "console/colour.h"

#include <unistd.h>

#include <cctype>
#include <cstdlib>

namespace yav {

namespace {
constexpr std::string_view kRed = "\033[31m";
constexpr std::string_view kStopHighlight = "\033[1;33m";  // bold yellow
constexpr std::string_view kReset = "\033[0m";

std::string wrap(std::string_view colour, std::string_view text) {
  std::string s(colour);
  s.append(text).append(kReset);
  return s;
}
}  // namespace

bool colourWanted(int fd) {
  const char* noColour = std::getenv("NO_COLOR");
  if (noColour && *noColour) return false;
  return isatty(fd) == 1;
}

bool isStopLine(const Kernel& k, std::string_view line) {
  const size_t colon = line.find(':');
  if (colon == 0 || colon == std::string_view::npos) return false;
  size_t i = colon + 1;
  const size_t digits = i;
  while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
  if (i == digits || line.substr(i, 2) != ": ") return false;
  const std::string_view file = line.substr(0, colon);
  for (const auto& f : k.prog.program->tables.files) {
    if (f->name == file) return true;
  }
  return false;
}

std::string paintLine(const Kernel& k, std::string_view line) {
  if (line.starts_with("#error: ")) return wrap(kRed, line);
  if (isStopLine(k, line)) return wrap(kStopHighlight, line);
  return std::string(line);
}

std::string paintError(std::string_view text) { return wrap(kRed, text); }

}  // namespace yav
