// The option keys of the settings file (sections `Options`, `OPTIONS`, `Load`) and the last
// directory and file of each file dialog, as typed accessors. Section and key names match
// without regard to case, so `Options` and `OPTIONS` are one section.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace yav {

// `Tile`: the arrangement command (190 cascade, 191 horizontal, 192 vertical, 193 free) and the
// value written for it ("CASCADE", "HORIZONTAL", "VERTICAL", "FREE").
uint16_t arrangementFromTile(std::string_view value);
std::string_view tileValue(uint16_t arrangement);
bool writeTile(uint16_t arrangement);

// `VarFormat`: first letter F/f full (635), B/b brief (633), anything else standard (634).
// Written "BRIEF", "Standard" or "Full" when the user picks a format.
uint16_t varFormatCommand(std::string_view value);
bool writeVarFormat(uint16_t command);

// `DefIntFormat`: o/O octal (461), h/H hexadecimal (462), b/B binary (463), else decimal (460).
// Written "Decimal", "Octal", "Hexadecimal" or "Binary" when chosen (commands 460..463).
uint16_t intFormatCommand(std::string_view value);
std::string_view intFormatValue(uint16_t command);  // empty for an id outside 460..463
bool writeDefIntFormat(uint16_t command);

// `LOAD_SYMB_ONLY`: y/Y loads symbols only (command 110, else 109).
bool readLoadSymbolsOnly();
bool writeLoadSymbolsOnly(bool symbolsOnly);

// `Path` (source search path, entries separated by '|') and `ExtenPath` (extension search path).
std::string readSourcePath();
bool writeSourcePath(std::string_view path);
std::string readExtensionPath();
bool writeExtensionPath(std::string_view path);

// `NODUPFILES`, read by the loader; `AUTOCMD` (y/Y: the command window opens itself when output
// arrives while it is hidden); the start and end command files `STARTFILE` and `ENDFILE`.
std::string readNoDupFiles();
bool readAutoShowCommand();
std::string readStartFile();
std::string readEndFile();

// Key `Code` of section `Load`: a value beginning with N or n makes loading skip the download
// of the code bytes (symbols still load).
bool readSkipCodeDownload();

// The last directory and file of a file dialog.
enum class FileDialogKind { Load, CommandInput, CommandOutput, Session, Layout };
struct LastFileChoice {
  std::string directory;
  std::string file;
};
LastFileChoice readLastFileChoice(FileDialogKind kind);
bool writeLastFileChoice(FileDialogKind kind, const LastFileChoice& choice);

// Key `Index` of section `Load`: the load dialog's file-type filter, 1 when absent or unreadable.
int readLoadFilterIndex();
bool writeLoadFilterIndex(int index);

}  // namespace yav
