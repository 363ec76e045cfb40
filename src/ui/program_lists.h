// The texts of the list windows and their files: the source files, the functions by file, the
// program's symbols sorted by address or by name, the events and the application map. Each
// list keeps, per line, the source place a double click opens.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "engine/kernel.h"
#include "model/symbols.h"
#include "ui/source_place.h"

namespace yav {

inline constexpr std::string_view kFileListHeader = "\n\t\tFiles List\n\n";
inline constexpr std::string_view kFunctionListHeader = "\n\t\tFunction List\n\n";

// A list's text, one entry per line (no line feeds), and the place each line opens.
struct ListContent {
  std::vector<std::string> lines;
  std::vector<SourcePlace> places;  // same length as lines; empty file for lines without one
  void add(std::string line, SourcePlace place = {});
  // Every line followed by a line feed.
  std::string text() const;
};

// The functions of a file that the lists show: those with code, not the placeholder "." nor
// the file's outer scope.
std::vector<const FunctionEntry*> listedFunctions(const FileEntry& file);
// The files the browsers show (duplicates hidden).
std::vector<const FileEntry*> listedFiles(const SymbolTables& t);

// The header, then a tab and the name of each file.
ListContent fileList(const SymbolTables& t);

// The header, then for each file that has functions "\n\tFunctions in file: " and its name, and
// one line per function: a tab, type and name, "(", arguments, ")", " at 0x" and the address.
// `printed` puts "\nFunctions in file: " in place of the tabbed header, as the printout has it.
ListContent functionList(const SymbolTables& t, bool printed = false);
// Type and name as the function list and the Info box show them ("global void main").
std::string functionTypeAndName(const FunctionEntry& f);
// The place a function opens: its file at its first line.
SourcePlace functionPlace(const FunctionEntry& f);

// A program label of the symbol list (debugger variables are not listed).
struct SymbolLine {
  std::string name;
  uint32_t value = 0;
};
enum class SymbolOrder { ByAddress, ByName };
std::vector<SymbolLine> sortedSymbols(const LabelTable& labels, SymbolOrder order);
// "0x" and five hexadecimal digits, two blanks and the name, one line each; a symbol opens the
// source line its address lies in.
ListContent symbolList(const SymbolTables& t, const std::vector<SymbolLine>& symbols);

// One line per event as the event listing prints it (the "no breakpoint" text when there is
// none); a line event opens its line, an address event the line at its address.
ListContent eventsList(Kernel& k);

// The application map: the program's segments with their addresses and sizes.
ListContent mapList(const SymbolTables& t);

}  // namespace yav
