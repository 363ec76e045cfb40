// Reading a program file into a fresh set of symbol tables: the object format with its label
// table and debug information, S-records, Intel hex and raw binary images.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/loader_source.h"
#include "model/symbols.h"

namespace yav {

// Which format the current program came from.
namespace loadstate {
inline constexpr char None = 0;
inline constexpr char Text = 2;
inline constexpr char Object = '4';
inline constexpr char Raw = 'A';
}  // namespace loadstate

// Everything one load builds; swapped in as a whole when the load succeeds.
struct Program {
  SymbolTables tables;
  LabelTable labels;
  char loadState = loadstate::None;
  std::string fileName;
  std::shared_ptr<ByteSource> file;  // the object file, kept open for reads on demand
  bool hasDebugSection = false;
  uint64_t debugBase = 0;   // file offset of the debug information
  uint32_t debugSize = 0;
  bool pointerAttributeWords = false;  // type extension slots start with the value's attributes
  bool sectionsLoaded = false;
  std::vector<DebugRecord> defineRecords;  // kind 0x41 records naming a #define
  std::vector<uint32_t> fileRecordOffsets;  // file records named by the file-start records
  std::unordered_map<std::string, size_t> functionStarts;  // "file\nfunction" -> start record
  bool functionStartsIndexed = false;
  // The entry point the image itself gives: the reset vector (0xFFFE-0xFFFF) of an S-record
  // or Intel hex image that holds one; empty for the other formats.
  std::optional<uint32_t> imageEntry;
};

// What the loader needs from the debugger around it.
class LoadHost {
 public:
  virtual ~LoadHost() = default;
  // Writes bytes into the target; false when the download failed. `second` is the address
  // of the bytes in the file's own numbering, `flags` the section flags.
  virtual bool download(uint32_t address, const uint8_t* data, size_t len, uint32_t second, uint8_t flags) = 0;
  // A section is being downloaded.
  virtual void progress(std::string_view /*section*/, uint32_t /*address*/, uint32_t /*size*/) {}
  virtual void gaugeStart(uint32_t /*total*/) {}
  virtual void gaugeAdd(uint32_t /*n*/) {}
  // Printed lines (section summary); skipped by the host when output is quiet.
  virtual void print(std::string_view /*text*/) {}
  // A reported error that does not end the load.
  virtual void error(std::string_view /*text*/) {}
  // Kernel message 8 ("read error") followed by what was being read.
  virtual void readError(std::string_view /*what*/) {}
  // The status line while labels are ordered.
  virtual void status(std::string_view /*text*/) {}
  virtual bool cancelled() { return false; }
  // Settings the reader consults: NODUPFILES of section "Options".
  virtual std::string noDupFiles() { return "NO"; }
};

// Result of a load step. `abandoned` means the load cannot go on: `message` says why and
// `boxTitle` is non-empty when it is shown in a message box of that title.
struct LoadOutcome {
  bool ok = true;
  bool abandoned = false;
  std::string message;
  std::string boxTitle;
  static LoadOutcome fail(std::string m) { return {false, false, std::move(m), {}}; }
  static LoadOutcome abandon(std::string m, std::string title = {}) { return {false, true, std::move(m), std::move(title)}; }
};

struct LoadRequest {
  std::string path;
  bool raw = false;
  bool symbolsOnly = false;
  bool wantDebug = true;
  bool quiet = false;
};

// Recognises the file kind and reads it. `prog` is a fresh Program holding the surviving
// debugger variables; on success it holds the new program's tables.
LoadOutcome loadProgramFile(Program& prog, const LoadRequest& req, LoadHost& host);

// The object format from an open source (also used by tests and fuzzing).
LoadOutcome loadObject(Program& prog, std::shared_ptr<ByteSource> src, const LoadRequest& req, LoadHost& host);

// The debug symbol table: `count` records from `offset`; sorts them and runs the pass checks.
LoadOutcome readDebugSymbols(Program& prog, ByteSource& src, uint64_t offset, uint32_t count, LoadHost& host);

// The line and column part of a record name (after its last ':'), and the other name fields.
struct RecordName {
  std::string fileName, functionName;
  uint8_t flags = 0;
  uint16_t startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
  uint32_t number = 0;
};
RecordName parseRecordName(uint8_t kind, std::string_view name);

// Builds the function and locals tables of one source file from its file record.
LoadOutcome readFileDebugInfo(Program& prog, uint32_t fileRecordOffset, LoadHost& host);

// S-records and Intel hex: downloads every data record (paged addresses page << 16 | address
// in the paged form page << 14 | (address & 0x3FFF)) and sets `prog.imageEntry` from the
// reset vector. Code only; no symbols.
LoadOutcome loadTextHex(Program& prog, ByteSource& src, LoadHost& host, bool symbolsOnly);

// Kind of file by its first byte.
enum class FileKind { Object, OldObject, TextHex, Binary };
FileKind fileKindOf(uint8_t firstByte);

}  // namespace yav

namespace yav {

// Load phase " Building debug info": reads every file's debug information at its file-start
// record, adds the files that only line records name, and sets the file flags.
LoadOutcome buildDebugTables(Program& prog, LoadHost& host);

// Load phase "Checking Consistency": every function start must name a known function; a
// missing function of a known file gets a placeholder "." covering its lines.
LoadOutcome checkConsistency(Program& prog);

}  // namespace yav
