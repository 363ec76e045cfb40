// How a source line is displayed: its number, a blank, the code address field when addresses are
// shown ("%05x " or six blanks), then its text with tabs expanded and markers turned into runs of
// one token class.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/source_lines.h"

namespace yav {

// Tab stops of the source views are every this many columns.
inline constexpr int kSourceTabWidth = 4;

// Width of the columns in front of the text of each line.
struct LinePrefix {
  int numberWidth = 1;     // digits of the largest line number
  bool addresses = false;  // the address field is shown
  static constexpr int kAddressColumns = 6;

  static LinePrefix forLines(size_t lineCount, bool addresses);
  int columns() const { return numberWidth + 1 + (addresses ? kAddressColumns : 0); }
};

// Number field (right-aligned), one blank and the address field.
std::string linePrefixText(size_t line, const SourceLineState& state, const LinePrefix& prefix);

// A piece of a displayed line drawn in one token class, starting at a text column.
struct TextRun {
  size_t column = 0;
  std::string text;
  uint8_t tokenClass = 1;
};

// The line's text split where its markers change the class; tabs expanded to blanks.
std::vector<TextRun> textRuns(std::string_view markedLine, int tabWidth = kSourceTabWidth);

// The text as displayed: markers removed, tabs expanded.
std::string displayedText(std::string_view markedLine, int tabWidth = kSourceTabWidth);

// The text column at which character `index` of the line (counted without markers) is displayed.
size_t displayColumn(std::string_view markedLine, size_t index, int tabWidth = kSourceTabWidth);

// Number, blank, address field and text: the whole line as the view shows it.
std::string displayLine(size_t line, std::string_view markedLine, const SourceLineState& state, const LinePrefix& prefix);

}  // namespace yav
