// Source files as the editor names them and as the debug information names them. A path the
// editor gives is one of the program's files only where that file is found at exactly that path
// (in a folder of the launch's source path, beside the program, or in the working folder), so
// two files of the same name in different folders stay apart. The editor is shown each file at
// the path it named it by, else in the first of those folders that holds it: the workspace
// folder the editor mapped before the build's copy beside the program.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/symbols.h"

namespace yav::dap {

class SourceMap {
 public:
  // The launch's working folder (absolute) and its source folders (relative ones are taken
  // from the working folder).
  void configure(const std::string& workingFolder, const std::vector<std::string>& sourceFolders);
  // The source folders, absolute, separated by '|' as the kernel's source path holds them.
  std::string searchPath() const;
  // The folder relative paths of the launch are taken from.
  const std::string& workingFolder() const { return working_; }
  // `path` made absolute against the working folder.
  std::string absolute(const std::string& path) const;

  // The file of the program that the editor's `path` names, or null.
  const FileEntry* fileOf(const SymbolTables& tables, const std::string& programFile, const std::string& path);
  // Where the editor finds the debug file `name`; nothing when no place holds it.
  std::optional<std::string> editorPath(const std::string& programFile, const std::string& name) const;

 private:
  std::vector<std::string> places(const std::string& programFile, const std::string& name) const;

  std::string working_;
  std::vector<std::string> folders_;
  std::map<std::string, std::string> named_;  // debug file name -> the path the editor named it by
};

}  // namespace yav::dap
