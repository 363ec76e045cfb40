#include <algorithm>

#include "model/loader.h"

namespace yav {

namespace {

// A file known only from line records of code taken from it (an included source).
FileEntry* placeholderFile(Program& prog, const std::string& name, uint16_t line) {
  auto file = std::make_unique<FileEntry>();
  file->name = name;
  file->flags = fileflag::Replaceable;
  auto fn = std::make_unique<FunctionEntry>();
  fn->file = file.get();
  fn->name = ".";
  fn->firstLine = 1;
  fn->lastLine = std::max<uint32_t>(1, line);
  fn->tables = &prog.tables;
  file->lastFirstLine = 1;
  file->lastLastLine = fn->lastLine;
  file->functions.push_back(std::move(fn));
  return prog.tables.insertFile(std::move(file));
}

void raiseLastLine(FileEntry& f, uint16_t line) {
  if (line > f.lastLastLine) f.lastLastLine = line;
  for (auto& fn : f.functions) {
    if (fn->isPlaceholder() && line > fn->lastLine) fn->lastLine = line;
  }
}

}  // namespace

LoadOutcome buildDebugTables(Program& prog, LoadHost& host) {
  host.gaugeStart(static_cast<uint32_t>(prog.tables.records.size()));
  std::string currentFile;
  // Records are read by index: reading a file's debug information does not move them.
  for (size_t i = 0; i < prog.tables.records.size(); ++i) {
    const DebugRecord r = prog.tables.records[i];
    if (r.kind == rk::FileStart) {
      currentFile = r.fileName;
      LoadOutcome o = readFileDebugInfo(prog, r.number, host);
      if (!o.ok) {
        host.gaugeStart(0);
        return o;
      }
    } else if (r.kind == rk::Line && r.fileName != currentFile) {
      if (FileEntry* f = prog.tables.findFile(r.fileName)) {
        raiseLastLine(*f, r.startLine);
      } else {
        placeholderFile(prog, r.fileName, r.startLine);
      }
    } else if (r.kind == rk::FunctionStart || r.kind == rk::FunctionLine) {
      if (FileEntry* f = prog.tables.findFile(r.fileName)) {
        f->flags &= static_cast<uint8_t>(~(fileflag::HasFunctionStart | fileflag::HasFunctionLine));
        f->flags |= r.kind == rk::FunctionStart ? fileflag::HasFunctionStart
                                                : (fileflag::HasFunctionLine | fileflag::SeveralFunctions);
      }
    }
    if ((i & 0xFF) == 0xFF) {
      host.gaugeAdd(0x100);
      if (host.cancelled()) break;
    }
  }
  for (auto& f : prog.tables.files) {
    if (f->functions.size() > 1) f->flags |= fileflag::SeveralFunctions;
  }
  host.gaugeStart(0);
  return {};
}

LoadOutcome checkConsistency(Program& prog) {
  auto& recs = prog.tables.records;
  for (size_t i = 0; i < recs.size(); ++i) {
    DebugRecord& r = recs[i];
    if (r.kind != rk::FunctionStart || r.functionName.empty()) continue;
    FileEntry* file = prog.tables.findFile(r.fileName);
    FunctionEntry* fn = file ? prog.tables.findFunction(r.functionName, file) : nullptr;
    if (fn) {
      r.function = fn;
      continue;
    }
    if (!file) {
      if (prog.tables.findFunction(r.functionName)) continue;
      return LoadOutcome::abandon("INCONSISTENT DEBUG INFO.\n");
    }
    // The file is known but not the function: a placeholder covering its lines.
    auto ph = std::make_unique<FunctionEntry>();
    ph->file = file;
    ph->name = ".";
    ph->firstLine = 1;
    ph->startRecord = i;
    ph->tables = &prog.tables;
    for (size_t j = i + 1; j < recs.size() && recs[j].kind != rk::FunctionEnd; ++j) {
      if (recs[j].kind == rk::Line && recs[j].fileName == file->name) ph->lastLine = std::max<uint32_t>(ph->lastLine, recs[j].startLine);
    }
    ph->lastLine = std::max<uint32_t>(ph->lastLine, 1);
    r.function = ph.get();
    auto pos = file->functions.end();
    if (!file->functions.empty() && file->functions.back()->isOuterScope()) --pos;
    file->functions.insert(pos, std::move(ph));
  }
  return {};
}

}  // namespace yav
