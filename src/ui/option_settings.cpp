#include "ui/option_settings.h"

#include "platform/ini.h"
#include "ui/frame_commands.h"
#include "ui/settings_values.h"

namespace yav {

namespace {

constexpr std::string_view kOptions = "Options";
constexpr size_t kPathChars = 10237;  // path keys are read into a buffer of 10238 characters

char firstLetter(std::string_view v) { return v.empty() ? '\0' : v.front(); }

struct IdValue {
  uint16_t id;
  std::string_view value;
};

constexpr IdValue kTileValues[] = {
    {kCmdCascade, "CASCADE"}, {kCmdTileHorizontal, "HORIZONTAL"}, {kCmdTileVertical, "VERTICAL"}, {kCmdFree, "FREE"}};
constexpr IdValue kVarFormatValues[] = {{633, "BRIEF"}, {634, "Standard"}, {635, "Full"}};
constexpr IdValue kIntFormatValues[] = {{460, "Decimal"}, {461, "Octal"}, {462, "Hexadecimal"}, {463, "Binary"}};

template <size_t N>
std::string_view valueOf(const IdValue (&table)[N], uint16_t id) {
  for (const IdValue& e : table)
    if (e.id == id) return e.value;
  return {};
}

struct DialogKeys {
  std::string_view section, directoryKey, fileKey;
};

DialogKeys dialogKeys(FileDialogKind kind) {
  switch (kind) {
    case FileDialogKind::Load: return {"Load", "Directory", "File"};
    case FileDialogKind::CommandInput: return {"CommandFile", "InDir", "InFile"};
    case FileDialogKind::CommandOutput: return {"CommandFile", "OutDir", "OutFile"};
    case FileDialogKind::Session: return {"Session", "Directory", "File"};
    case FileDialogKind::Layout: break;
  }
  return {"Layout", "Directory", "File"};
}

}  // namespace

uint16_t arrangementFromTile(std::string_view value) {
  switch (firstLetter(value)) {
    case 'h': case 'H': return kCmdTileHorizontal;
    case 'v': case 'V': return kCmdTileVertical;
    case 'f': case 'F': return kCmdFree;
    default: return kCmdCascade;
  }
}

std::string_view tileValue(uint16_t arrangement) {
  const std::string_view v = valueOf(kTileValues, arrangement);
  return v.empty() ? "CASCADE" : v;
}

bool writeTile(uint16_t arrangement) { return platform::iniSet(kOptions, "Tile", tileValue(arrangement)); }

uint16_t varFormatCommand(std::string_view value) {
  switch (firstLetter(value)) {
    case 'f': case 'F': return 635;
    case 'b': case 'B': return 633;
    default: return 634;
  }
}

bool writeVarFormat(uint16_t command) {
  const std::string_view v = valueOf(kVarFormatValues, command);
  return !v.empty() && platform::iniSet(kOptions, "VarFormat", v);
}

uint16_t intFormatCommand(std::string_view value) {
  switch (firstLetter(value)) {
    case 'o': case 'O': return 461;
    case 'h': case 'H': return 462;
    case 'b': case 'B': return 463;
    default: return 460;
  }
}

std::string_view intFormatValue(uint16_t command) { return valueOf(kIntFormatValues, command); }

bool writeDefIntFormat(uint16_t command) {
  const std::string_view v = intFormatValue(command);
  return !v.empty() && platform::iniSet(kOptions, "DefIntFormat", v);
}

bool readLoadSymbolsOnly() { return yesByFirstLetter(platform::iniGet(kOptions, "LOAD_SYMB_ONLY", "N")); }
bool writeLoadSymbolsOnly(bool symbolsOnly) { return platform::iniSet(kOptions, "LOAD_SYMB_ONLY", yesNo(symbolsOnly)); }

std::string readSourcePath() { return platform::iniGet(kOptions, "Path", "", kPathChars); }
bool writeSourcePath(std::string_view path) { return platform::iniSet(kOptions, "Path", path); }
std::string readExtensionPath() { return platform::iniGet(kOptions, "ExtenPath", "", kPathChars); }
bool writeExtensionPath(std::string_view path) { return platform::iniSet(kOptions, "ExtenPath", path); }

std::string readNoDupFiles() { return platform::iniGet(kOptions, "NODUPFILES", "NO"); }
bool readAutoShowCommand() { return yesByFirstLetter(platform::iniGet("OPTIONS", "AUTOCMD", "NO")); }
std::string readStartFile() { return platform::iniGet("OPTIONS", "STARTFILE", ""); }
std::string readEndFile() { return platform::iniGet("OPTIONS", "ENDFILE", ""); }

bool readSkipCodeDownload() {
  const char c = firstLetter(platform::iniGet("Load", "Code", "YES"));
  return c == 'n' || c == 'N';
}

LastFileChoice readLastFileChoice(FileDialogKind kind) {
  const DialogKeys k = dialogKeys(kind);
  return {platform::iniGet(k.section, k.directoryKey, ""), platform::iniGet(k.section, k.fileKey, "")};
}

bool writeLastFileChoice(FileDialogKind kind, const LastFileChoice& choice) {
  const DialogKeys k = dialogKeys(kind);
  bool ok = platform::iniSet(k.section, k.directoryKey, choice.directory);
  ok &= platform::iniSet(k.section, k.fileKey, choice.file);
  return ok;
}

int readLoadFilterIndex() {
  const auto v = leadingNumber(platform::iniGet("Load", "Index", "1"), 10);
  return v && *v >= 1 && *v <= 64 ? static_cast<int>(*v) : 1;
}

bool writeLoadFilterIndex(int index) { return platform::iniSet("Load", "Index", std::to_string(index)); }

}  // namespace yav
