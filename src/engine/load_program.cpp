#include "engine/load_program.h"

#include <cctype>
#include <cstdlib>

#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/events.h"
#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "engine/load_host.h"
#include "engine/output.h"
#include "model/format.h"
#include "model/messages.h"
#include "model/symbols_lookup.h"
#include "platform/regular_file.h"

namespace yav {

namespace {

constexpr const char* kSectionVariables[] = {".text", ".tsize", ".data", ".dsize", ".bss", ".bsize"};

// A fresh program holding the debugger variables that survive a load.
std::unique_ptr<Program> freshProgram(const Program& old) {
  auto prog = std::make_unique<Program>();
  for (const LabelEntry& e : old.labels.entries()) {
    if (e.isDebuggerVariable()) prog->labels.append(e);
  }
  for (const char* v : kSectionVariables) prog->labels.deleteVariable(v);
  return prog;
}

void reportAbandon(Kernel& k, const LoadOutcome& o) {
  if (!o.boxTitle.empty() && !k.cmdfile.inputMark) {
    ++k.errorCount;
    k.ui->messageBox(o.boxTitle, o.message, MsgIcon::Error);
  } else {
    errmsg(k, {o.message, o.message.empty() || o.message.back() == '\n' ? "" : "\n"});
  }
}

void endStatus(Kernel& k, bool quiet) {
  k.ui->WinStatGauge(false, 0);
  if (!quiet) k.ui->CursorStd();
  k.ui->LeftStatus("Command");
  k.exec.running = false;
}

bool isNumber(const std::string& s) { return !s.empty() && std::isdigit(static_cast<unsigned char>(s[0])); }

}  // namespace

EntryResult resolveEntry(Kernel& k, const Program& prog, const std::string& spec) {
  EntryResult r;
  if (spec.empty()) {
    for (const char* name : {"__stext", "__text", ".text"}) {
      if (const LabelEntry* e = prog.labels.rensym(name)) {
        r.found = true;
        r.address = e->value;
        return r;
      }
    }
    // An image without labels starts where its reset vector points.
    if (prog.imageEntry) {
      r.found = true;
      r.address = *prog.imageEntry;
      return r;
    }
    r.notFoundMessage = true;
    return r;
  }
  if (spec == "reset") {
    if (k.target && k.target->reset(1) && refreshRegisters(k)) {
      r.found = true;
      r.address = currentPc(k);
    } else {
      r.notFoundMessage = true;
    }
    return r;
  }
  if (isNumber(spec)) {
    r.found = true;
    r.address = static_cast<uint32_t>(std::strtoul(spec.c_str(), nullptr, 0));
    if (const LabelEntry* e = prog.labels.underscoreLabelAt(r.address)) r.startName = e->name;
    return r;
  }
  if (const LabelEntry* e = prog.labels.rensym("_" + spec)) {
    r.found = true;
    r.address = e->value;
    return r;
  }
  r.invalidName = true;
  return r;
}

bool loadProgram(Kernel& k, const std::string& name, const LoadOptions& opt) {
  if (name.empty()) {
    errmsg(k, {errtext(msg::MissingInputFile), "\n"});
    return false;
  }
  if (platform::regularFileStatus(name) != platform::OpenStatus::Opened) {  // a FIFO would block
    errmsg(k, {"DBCOM: ", errtext(msg::CantOpen), name, "\n"});
    return false;
  }
  const bool quiet = k.cmdfile.quiet;
  clearDisplayForLoad(k);
  rmevent(k, -1, 0);
  k.exec.tracing = false;

  auto prog = freshProgram(*k.prog.program);
  if (!quiet) {
    k.ui->LeftStatus("Loading... Please Wait");
    k.ui->CursorWait();
  }
  k.exec.running = true;
  k.exec.stopreq = false;
  KernelLoadHost host(k, quiet);
  LoadRequest req;
  req.path = name;
  req.raw = opt.raw;
  CodeDownloader* target = k.target ? k.target->downloader() : nullptr;
  req.symbolsOnly = opt.symbolsOnly || k.prog.skipCodeDownload || !target;
  req.quiet = quiet;
  CodeDownloader* dl = req.symbolsOnly ? nullptr : target;
  if (dl) dl->begin();
  LoadOutcome outcome = loadProgramFile(*prog, req, host);
  if (dl) dl->end();
  k.exec.running = false;
  if (!outcome.ok) {
    if (outcome.abandoned) {
      reportAbandon(k, outcome);
      endStatus(k, quiet);
      return false;
    }
    errmsg(k, {outcome.message, "\n"});
  }

  // Debug tables.
  if (prog->loadState == loadstate::Object) {
    k.ui->RightStatus(" Building debug info");
    outcome = buildDebugTables(*prog, host);
    if (outcome.ok) {
      k.ui->RightStatus("Checking Consistency");
      outcome = checkConsistency(*prog);
    }
    if (!outcome.ok) {
      reportAbandon(k, outcome);
      endStatus(k, quiet);
      return false;
    }
  }
  // The code is in the target by now: an entry name that does not exist is reported below, and
  // the new program's symbols replace the old ones all the same, so they describe the code.
  const EntryResult entry = resolveEntry(k, *prog, opt.entry);

  k.ui->RightStatus("Updating Markers");
  prog->tables.buildIndexes();
  for (const DebugRecord& r : prog->tables.records) {
    if (r.kind == rk::FileStart) {
      k.prog.programBase = r.address;
      break;
    }
  }
  k.ui->RightStatus("Building define info");
  std::vector<std::string> defineTexts;
  if (prog->file && prog->hasDebugSection) {
    for (const DebugRecord& d : prog->defineRecords) {
      std::string text;
      if (d.address < prog->debugSize) prog->file->cstring(prog->debugBase + d.address, text, prog->debugSize - d.address);
      defineTexts.push_back(std::move(text));
    }
  }
  buildDefineInfo(prog->tables, prog->defineRecords, defineTexts);
  k.ui->WinStatGauge(false, 0);
  if (!quiet) k.ui->CursorStd();

  if (!opt.symbolsOnly && !target && !quiet) kout(k, "No target: code not downloaded\n");
  k.prog.program = std::move(prog);
  Program& now = *k.prog.program;
  k.debugInfoLoaded = !now.tables.files.empty();
  k.ui->refreshViews(kViewAll);
  if (!k.debugInfoLoaded && now.loadState == loadstate::Object) errmsg(k, {errtext(msg::NoDebugSymbols), "\n"});

  k.ui->LeftStatus("Waiting");
  k.exec.lastmode = ExecState::kReloadBreaks;
  k.ui->LeftStatus("Command");

  bool ok = true;
  if (entry.invalidName) {
    errmsg(k, {errtext(msg::InvalidEntryPoint), " ", opt.entry, "\n"});
    ok = false;
  }
  if (entry.notFoundMessage) {
    k.prog.entryPoint = 0;
    errmsg(k, {"Cannot Find entry Point. Set PC to entry point", "\n"});
  }
  if (entry.found) {
    k.prog.entryPoint = entry.address;
    if (!entry.startName.empty()) k.prog.startName = entry.startName;
    // With a target the program counter goes to the entry point; a refusal is an error, and the
    // entry point is not announced as if the program stood there.
    if (k.target && k.target->connected() && !setKernelRegister(k, REG_PPC, entry.address)) {
      errmsg(k, {"Cannot Set PC to entry point ", fmtstr("0x%hl", entry.address), "\n"});
      ok = false;
    } else if (!quiet) {
      outf(k, "%p 0x%hl\n", errtext(msg::EntryPointAt), entry.address);
    }
  }
  framesFollowPc(k);
  k.prog.pcOutsideCode = now.tables.functionAt(k.prog.entryPoint) == nullptr;

  k.ui->refreshViews(kViewAll);
  return ok;
}

}  // namespace yav
