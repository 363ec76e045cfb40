#include "dap/dap_sources.h"

#include <filesystem>

namespace yav::dap {

namespace fs = std::filesystem;

namespace {

// The path with symbolic links and "." and ".." resolved as far as it exists.
std::string canonical(const std::string& path) {
  std::error_code error;
  const fs::path p = fs::weakly_canonical(fs::path(path), error);
  return error ? fs::path(path).lexically_normal().string() : p.string();
}

bool isFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

void SourceMap::configure(const std::string& workingFolder, const std::vector<std::string>& sourceFolders) {
  working_ = workingFolder;
  folders_.clear();
  for (const std::string& folder : sourceFolders) {
    if (!folder.empty()) folders_.push_back(absolute(folder));
  }
  named_.clear();
}

std::string SourceMap::searchPath() const {
  std::string joined;
  for (const std::string& folder : folders_) joined += (joined.empty() ? "" : "|") + folder;
  return joined;
}

std::string SourceMap::absolute(const std::string& path) const {
  const fs::path p(path);
  if (p.is_absolute() || working_.empty()) return p.lexically_normal().string();
  return (fs::path(working_) / p).lexically_normal().string();
}

std::vector<std::string> SourceMap::places(const std::string& programFile, const std::string& name) const {
  if (fs::path(name).is_absolute()) return {name};
  std::vector<std::string> out;
  for (const std::string& folder : folders_) out.push_back((fs::path(folder) / name).string());
  const fs::path program(absolute(programFile));
  if (program.has_parent_path()) out.push_back((program.parent_path() / name).string());
  out.push_back(absolute(name));
  return out;
}

const FileEntry* SourceMap::fileOf(const SymbolTables& tables, const std::string& programFile,
                                   const std::string& path) {
  const std::string wanted = canonical(absolute(path));
  for (const auto& file : tables.files) {
    if (file->name.empty()) continue;
    for (const std::string& place : places(programFile, file->name)) {
      if (canonical(place) != wanted) continue;
      named_[file->name] = path;
      return file.get();
    }
  }
  return nullptr;
}

std::optional<std::string> SourceMap::editorPath(const std::string& programFile, const std::string& name) const {
  if (const auto it = named_.find(name); it != named_.end()) return it->second;
  for (const std::string& place : places(programFile, name)) {
    if (isFile(place)) return fs::path(place).lexically_normal().string();
  }
  return std::nullopt;
}

}  // namespace yav::dap
