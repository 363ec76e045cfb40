#include "ui/startup.h"

#include "engine/command_file.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "target/chip_target.h"
#include "ui/option_settings.h"

namespace yav {

namespace {
// -p: a value beginning with '|' is appended to the path, one ending with '|' goes in front,
// anything else replaces it.
void apply_path_option(std::string& path, const std::string& v) {
  if (!v.empty() && v.front() == '|') path += v;
  else if (!v.empty() && v.back() == '|') path = v + path;
  else path = v;
}
}  // namespace

void runStartup(Kernel& k, const StartOptions& opt, const std::string& startFileSetting) {
  if (!k.target) k.target = target::makeTargetPort(k);
  k.cmdfile.quiet = opt.quiet;
  if (!opt.illegal.empty()) {
    errmsg(k, {"Illegal Option: ", opt.illegal});
    return;
  }
  if (k.target->connect()) refreshRegisters(k);
  if (k.target->fatalExitCode() && k.batchMode) return;
  // Whether the loader skips a second file of a name already loaded (first letter y/Y).
  k.prog.noDupFiles = readNoDupFiles();
  // The source path and the download choice of the settings file, before the options act.
  if (const std::string path = readSourcePath(); !path.empty()) k.cmdfile.sourcePath = path;
  k.prog.skipCodeDownload = readSkipCodeDownload();
  if (opt.sourcePath) apply_path_option(k.cmdfile.sourcePath, *opt.sourcePath);
  if (opt.remote) docmd(k, "remote", 1);
  if (opt.sessionFile) docmd(k, ("session /l " + *opt.sessionFile).c_str(), 1);
  if (!opt.programFile.empty()) docmd(k, ("load " + opt.programFile).c_str(), 1);
  const std::string start = opt.startFile ? *opt.startFile : startFileSetting;
  if (!start.empty() && !k.disp.quitting) runCommandFile(k, start);
}

void closeTarget(Kernel& k) {
  if (k.target) k.target->shutdown();
}

int targetExitCode(const Kernel& k) { return k.target ? k.target->fatalExitCode() : 0; }

}  // namespace yav
