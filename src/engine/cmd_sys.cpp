// `sys [COMMAND]`: starts the command through the shell, or an interactive shell, and does not
// wait for it.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/script_state.h"

extern char** environ;

namespace yav {

namespace {

// Collects the commands that have ended, so that none stays behind as a zombie.
void reapChildren(ScriptState& s) {
  std::erase_if(s.children, [](int pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
}

}  // namespace

const char* cmd_sys(Kernel& k, const char* rest, int) {
  ScriptState& s = scriptState(k);
  reapChildren(s);
  std::string command(rest);
  while (!command.empty() && isBlank(command.back())) command.pop_back();
  const char* shell = std::getenv("SHELL");
  std::string program = command.empty() && shell && *shell ? shell : "/bin/sh";
  std::string dashC = "-c";
  char* argvCommand[] = {program.data(), dashC.data(), command.data(), nullptr};
  char* argvShell[] = {program.data(), nullptr};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // A command started in the background must not take the lines of a script read from
  // standard input; an interactive shell keeps the terminal.
  if (!command.empty()) posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  pid_t pid = 0;
  const int result = posix_spawn(&pid, program.c_str(), &actions, nullptr,
                                 command.empty() ? argvShell : argvCommand, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0) {
    errmsg(k, {command, "  Error:", std::to_string(result), " ", std::strerror(result), "\n"});
    return kEmptyRest;
  }
  s.children.push_back(pid);
  return kEmptyRest;
}

}  // namespace yav
