// Kernel state of the script commands: the numbered file channels and the nesting of control
// statements on the line being run.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/kernel.h"

namespace yav {

// An open file reached by its number from `fread`, `fwrite`, `rewind` and `fclose`.
struct FileChannel {
  int32_t number = 0;
  std::FILE* file = nullptr;
  std::string name;
};

struct ScriptState {
  std::vector<FileChannel> channels;  // newest first; numbers are unique
  int nesting = 0;                    // control statements and blocks being run or skipped
  std::string outputName;             // the file of the `output` redirection
  std::vector<int> children;          // processes started by `sys`, not yet reaped

  ScriptState() = default;
  ScriptState(const ScriptState&) = delete;
  ScriptState& operator=(const ScriptState&) = delete;
  ~ScriptState();  // closes every channel still open
};

ScriptState& scriptState(Kernel& k);

// Deepest nesting of blocks and control statements on one line.
inline constexpr int kMaxStatementNesting = 64;

}  // namespace yav
