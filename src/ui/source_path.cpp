#include "ui/source_path.h"

#include "engine/errors.h"
#include "platform/regular_file.h"

namespace yav {

std::vector<std::string> sourceFileCandidates(std::string_view path, std::string_view name) {
  std::vector<std::string> out;
  while (!path.empty()) {
    const size_t bar = path.find('|');
    std::string_view dir = path.substr(0, bar);
    path = bar == std::string_view::npos ? std::string_view() : path.substr(bar + 1);
    if (!dir.empty() && dir.back() == '/') dir.remove_suffix(1);
    if (dir.empty()) continue;
    out.push_back(std::string(dir) + "/" + std::string(name));
  }
  out.push_back(!name.empty() && name.front() == '/' ? std::string(name) : "./" + std::string(name));
  return out;
}

std::optional<std::string> findSourceFile(Kernel& k, const std::string& name, bool ask, const PathEditor& editPath) {
  for (;;) {
    for (const std::string& place : sourceFileCandidates(k.cmdfile.sourcePath, name)) {
      if (platform::regularFileStatus(place) == platform::OpenStatus::Opened) return place;
    }
    if (!ask) return std::nullopt;
    if (k.batchMode) {
      errmsg(k, {"Can't Open ", name});
      return std::nullopt;
    }
    errshown(k);
    if (!editPath || !k.ui->askYesNo("Error", "Can't Open " + name + "\n Would you like to change the PATH ??")) {
      return std::nullopt;
    }
    editPath();
  }
}

}  // namespace yav
