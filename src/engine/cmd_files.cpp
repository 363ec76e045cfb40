// `files`: the source files of the loaded program.
#include "engine/commands.h"
#include "engine/output.h"

namespace yav {

const char* cmd_files(Kernel& k, const char* rest, int) {
  for (const auto& f : k.prog.program->tables.files) {
    if (f->flags & fileflag::Duplicate) continue;
    outs(k, {"          ", f->name, "\n"});
  }
  return rest;
}

}  // namespace yav
