// What the browser dialogs list and open: the files of the file browser, the functions of the
// function browser (of one file or, with "*.*", of all), the symbols of the symbol browser,
// and the source place each choice opens.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/kernel.h"
#include "model/symbols.h"
#include "ui/source_place.h"

namespace yav {

inline constexpr std::string_view kAllFiles = "*.*";

enum BrowserCommand : uint16_t {
  kCmdFileBrowser = 620,
  kCmdFunctionBrowser = 622,
  kCmdAnySource = 625,
  kCmdSymbolBrowser = 670,
};

// "Source Browser": any source file through the file dialog.
inline constexpr std::string_view kAnySourceTitle = "Source Browser";
inline constexpr std::string_view kAnySourceFilter = "Source Files(*.c *.h *.s)";

// The names of the files not marked duplicate, then "*.*" when `wildcard` is set.
std::vector<std::string> browserFiles(const SymbolTables& t, bool wildcard);
// The functions of the named file, or of every file for "*.*" or an empty name; outer scopes
// and names beginning with '.' are left out.
std::vector<std::string> browserFunctions(const SymbolTables& t, std::string_view file);

// The file the browsers select by default: the file of the selected frame, else the first file.
std::string currentSourceFile(Kernel& k);

// The place a function of the function browser opens; the file narrows the search unless it
// is "*.*" or empty. Empty file when there is no such function.
SourcePlace browsedFunctionPlace(const SymbolTables& t, std::string_view function, std::string_view file);

// The symbol browser's symbols: the program's labels (not the debugger variables) by name,
// with the value its "Value " field shows ("0x" and hexadecimal digits).
struct BrowsedSymbol {
  std::string name;
  std::string value;
};
std::vector<BrowsedSymbol> browserSymbols(const LabelTable& labels);
// The value a function picked in the function selection gives: its address in hexadecimal.
std::optional<std::string> functionAddressText(const SymbolTables& t, std::string_view function);

}  // namespace yav
