// The loaded program's symbols: source files with their functions and scopes, the
// address-ordered function and line records, labels and debugger variables, segments,
// aggregate descriptors and #define texts, with the indexes that per-step lookups use.
#pragma once
#include <array>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/storage_classes.h"
#include "model/types.h"

namespace yav {


// Kinds of the debug symbol records.
namespace rk {
inline constexpr uint8_t FunctionLine = 0x01;
inline constexpr uint8_t FunctionExit = 0x04;     // a return point in the tables
inline constexpr uint8_t FileReturnPoint = 0x02;  // a return point as the object file writes it
inline constexpr uint8_t Line = 0x08;
inline constexpr uint8_t FunctionEnd = 0x10;
inline constexpr uint8_t FunctionStart = 0x20;
inline constexpr uint8_t FileStart = 0x40;
inline constexpr uint8_t AsmLine = 0x41;
inline constexpr uint8_t Segment = 0x80;
inline constexpr uint8_t LineKinds = 0x38;  // start, end or line
}  // namespace rk

inline constexpr size_t kNoRecord = static_cast<size_t>(-1);

// A local, struct/union/enum member or typedef.
struct SymbolEntry {
  uint32_t symbolLink = 0;
  uint8_t storageClass = 0;
  uint8_t addressSpace = 0;
  uint16_t pointerAttributes = 0;
  uint32_t size = 0;
  uint32_t type = 0;
  uint32_t value = 0;  // address, frame offset, register number, member offset or member value
  uint32_t secondAddress = 0;
  std::string name;
  AuxList aux;
  uint8_t bitNumber = 0;  // _Bool: bit inside the addressed byte; bit-fields: offset
  uint8_t bitWidth = 0;   // bit-fields
};

struct FileEntry;

// One function of a source file, or (empty name, last in the list) the file's outer scope.
struct FunctionEntry {
  FileEntry* file = nullptr;
  size_t startRecord = kNoRecord;  // indexes into SymbolTables::records
  size_t firstLineRecord = kNoRecord;
  size_t endRecord = kNoRecord;
  std::vector<SymbolEntry> locals;  // arguments first
  uint16_t argumentCount = 0;
  bool hasRegisterArgument = false;
  uint8_t addressSpace = 0;
  uint16_t pointerAttributes = 0;
  uint32_t firstLine = 0, lastLine = 0;  // the two range words of the function record
  uint8_t memoryModel = 0;               // 'H' marks banked functions
  uint32_t type = 0;
  AuxList aux;
  uint8_t storageClass = 0;
  std::string description;  // storage class, type name, tag and one '*' per pointer level
  std::string name;         // empty for the outer scope
  uint8_t active = 0;       // 0 inactive, 1 active by command, 2 activated by execution
  uint8_t armed = 0;

  bool isOuterScope() const { return name.empty(); }
  // The pseudo-function "." that holds a file's code outside its functions.
  bool isPlaceholder() const { return name == "."; }
  uint32_t address() const;  // address of its start record, 0 when none
  const SymbolEntry* findLocal(std::string_view n) const;
  // "a, b" built from the arguments' declaration texts (used by the prototype listing).
  std::string argumentList() const;
  // Frame adjustment added to argument offsets: 4 for banked functions.
  uint32_t frameAdjustment() const;

  const struct SymbolTables* tables = nullptr;
};

struct DefineEntry {
  std::string name;
  std::string text;
};

namespace fileflag {
inline constexpr uint8_t Duplicate = 0x01;
inline constexpr uint8_t HasFunctionStart = 0x02;
inline constexpr uint8_t HasFunctionLine = 0x04;
inline constexpr uint8_t SeveralFunctions = 0x08;
inline constexpr uint8_t Replaceable = 0x10;
}  // namespace fileflag

struct FileEntry {
  std::vector<std::unique_ptr<FunctionEntry>> functions;  // by start address, outer scope last
  std::vector<DefineEntry> defines;
  uint8_t flags = 0;
  uint32_t lastFirstLine = 0, lastLastLine = 0;  // line range of the last function read
  std::string name;
  uint8_t addressSpaceByte = 0;
  uint8_t addressSpace = 0;

  FunctionEntry* outerScope() const;
};

// A record of the address-ordered list of function and line records.
struct DebugRecord {
  FunctionEntry* function = nullptr;
  std::string functionName;
  uint32_t number = 0;
  uint8_t kind = 0;
  uint8_t flags = 0;  // 0x40: the `+` flag of the line part
  uint16_t startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
  uint32_t address = 0;
  std::string fileName;
};
inline constexpr uint8_t kPlusFlag = 0x40;

// A label or debugger variable (name beginning with '.').
struct LabelEntry {
  uint32_t value = 0;
  uint8_t section = 0;
  uint8_t flags = 0;
  uint8_t kind = 0;  // 5 for code labels
  std::string name;
  bool isDebuggerVariable() const { return !name.empty() && name[0] == '.'; }
};

struct OtherSymbol {
  std::string name;
  uint32_t value = 0;
  uint8_t section = 0;
};

struct SegmentRecord {
  uint8_t flags = 0;
  uint8_t sectionIndex = 0;
  std::string name;
  uint32_t logical = 0, physical = 0, fileOffset = 0, size = 0, last = 0;
};

struct SectionInfo {
  std::string name;
  int32_t bias = 0;
};

// The symbol tables of one program. A load fills a fresh set and swaps it in on success.
struct SymbolTables {
  std::vector<std::unique_ptr<FileEntry>> files;  // sorted by name
  std::vector<DebugRecord> records;               // function and line records by address
  std::vector<DebugRecord> asmLines;              // kind 0x41, by address
  std::vector<DebugRecord> segmentRecords;        // kind bit 0x80, read order
  std::vector<SegmentRecord> segments;            // from the section headers, by address
  std::vector<SectionInfo> sections;
  std::vector<OtherSymbol> otherSymbols;
  std::vector<FunctionEntry*> namelessScopes;
  std::map<uint32_t, std::unique_ptr<AggregateDescriptor>> aggregates;  // by offset
  std::vector<std::unique_ptr<SymbolEntry>> tagSymbols;  // copies made by the tag lookup

  FileEntry* findFile(std::string_view name) const;
  FunctionEntry* findFunction(std::string_view name, const FileEntry* file = nullptr) const;
  // Inserts a file in name order; returns it.
  FileEntry* insertFile(std::unique_ptr<FileEntry> f);

  // The line record of a source line of a file, or null.
  const DebugRecord* GetLineMatch(const FileEntry* file, uint32_t line) const;
  // The last line or function-start record at or below `address` inside a function, or null.
  const DebugRecord* lineAt(uint32_t address) const;
  // The line record starting exactly at `address`, or null.
  const DebugRecord* lineStartingAt(uint32_t address) const;
  // Every function and line record at `address`, in table order (empty when none).
  std::span<const DebugRecord> recordsAt(uint32_t address) const;
  // The function whose code contains `address` (start record to end record), or null.
  FunctionEntry* functionAt(uint32_t address) const;
  // The function whose start record lies exactly at `address`.
  FunctionEntry* functionStartingAt(uint32_t address) const;
  // A variable among the outer scopes in file order.
  const SymbolEntry* findGlobal(std::string_view name, FunctionEntry** scope = nullptr) const;
  // Struct/union/enum tag lookup for casts and sizeof: kind is tc::Struct, Union or Enum.
  const SymbolEntry* findTag(uint8_t kind, std::string_view tag);

  // Rebuilds the lookup indexes; called once the tables are complete.
  void buildIndexes();
  size_t fileCount() const { return files.size(); }

 private:
  struct AddressRange {
    uint32_t start, end;
    FunctionEntry* function;
  };
  std::vector<size_t> lineIndex_;              // records of kind 0x08/0x20, by address
  std::vector<AddressRange> functionRanges_;   // by start
  std::unordered_map<std::string, std::vector<FunctionEntry*>> functionsByName_;  // file order
  std::unordered_map<std::string, std::pair<FunctionEntry*, size_t>> globalsByName_;
};

// The run-time measurement cells. While a debugger variable of one of these names exists (the
// kernel's spelling ".time" or the user's "..time" that an expression `.time` creates), its cell
// is that variable's value, which the timing code writes directly; without one the cell is
// disconnected and the timing code's writes go nowhere.
enum class TimingCell : uint8_t { Time, XTime, BTime, NBins, System };
inline constexpr std::array<std::string_view, 5> kTimingCellNames = {"time", "xtime", "btime", "nbins", "system"};
static_assert(kTimingCellNames.size() == static_cast<size_t>(TimingCell::System) + 1,
              "one name per timing cell");

// Labels and debugger variables: one list by ascending value, with a name index.
class LabelTable {
 public:
  using List = std::list<LabelEntry>;
  LabelTable() = default;
  // The indexes and cells point into the list: a table is never copied.
  LabelTable(const LabelTable&) = delete;
  LabelTable& operator=(const LabelTable&) = delete;
  const List& entries() const { return list_; }
  const LabelEntry* rensym(std::string_view name) const;
  // Appends in read order (before ordering).
  void append(LabelEntry e);
  // Re-inserts every entry in read order after all entries of lower or equal value; entries
  // whose names begin with '.' never count as larger.
  void order();
  // Removes any entry of that name and inserts the new variable before the first entry whose
  // value is larger and whose name does not begin with '.'.
  void createVariable(std::string_view name, uint32_t value);
  bool deleteVariable(std::string_view name);
  // Drops every program label; debugger variables survive.
  void dropLabels();
  // The label whose name starts with '_' lying exactly at `value`.
  const LabelEntry* underscoreLabelAt(uint32_t value) const;
  size_t size() const { return list_.size(); }
  // The connected cell, or null while no variable of its name exists.
  uint32_t* cell(TimingCell c) const { return cells_[static_cast<size_t>(c)]; }

 private:
  void insertOrdered(LabelEntry e);
  void index(List::iterator it);
  void unindexValue(List::iterator it);
  void reconnect(size_t cell);
  List list_;
  std::array<uint32_t*, kTimingCellNames.size()> cells_{};
  std::unordered_map<std::string, List::iterator> byName_;
  std::multimap<uint32_t, List::iterator> byValue_;  // program labels only
};

// Declaration text of a symbol in C declaration order.
std::string declarationText(const SymbolEntry& s, uint8_t locationClass = 0);
// Description of a function: storage-class name, type name, blank, tag, one '*' per pointer level.
std::string functionDescription(uint8_t storageClass, uint32_t type, const AuxList& aux);

}  // namespace yav
