// The registers window's logic: its eight lines built by the kernel's format language from the
// register copy, which lines changed since the registers shown before, the register a line
// names for the update dialog, and the command line that assigns a new value.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/registers.h"

namespace yav {

// A as two digits, the flags split three and three, HX, SP and PC as four digits, the paged
// program counter as five, PPAGE as two; all hexadecimal and zero-filled.
inline constexpr std::string_view kRegistersFormat =
    "     a:%+02hi\n   cc:%b\n      %b\n  hx:%+04hi\n  sp:%+04hi\n  pc:%+04hi\nppc:%+05hi\n ppage:%+02hi";
// The most a register file holds of the text.
inline constexpr size_t kRegistersTextLimit = 512;
inline constexpr std::string_view kRegisterFileFilter = "Register Files(*.reg)";
inline constexpr std::string_view kRegisterFileExtension = "reg";

// The window's text for a register copy.
std::string registersText(const RegisterFile& r);

class RegistersModel {
 public:
  // Shows `now`. Lines whose text differs from the registers shown before are marked changed;
  // showing the registers already shown keeps the marks of the last change, so a command that
  // moved nothing does not wipe them.
  void show(const RegisterFile& now);

  const std::vector<std::string>& lines() const { return lines_; }
  bool changed(size_t line) const { return line < changed_.size() && changed_[line]; }
  // What Save writes: the text as shown, at most kRegistersTextLimit characters.
  std::string saveText() const;

  // The register a line names for the update dialog ("a", "cc", "cc", "hx", "sp", "pc" for the
  // first six lines); null for the lines past them.
  static const char* registerOfLine(size_t line);
  // The value of a line's register as the dialog offers it ("0x" and hexadecimal digits);
  // empty for a line that names none.
  std::string valueText(size_t line) const;

 private:
  RegisterFile shown_;
  bool hasShown_ = false;
  std::vector<std::string> lines_;
  std::vector<bool> changed_;
};

// Splits a window text into its lines (no line feeds kept; a final line feed ends the last line).
std::vector<std::string> splitLines(std::string_view text);

}  // namespace yav
