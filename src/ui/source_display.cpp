#include "ui/source_display.h"

#include <cstdio>

#include "ui/c_markup.h"

namespace yav {

namespace {

// Walks a marked line: `text(column, character)` for each displayed character (a tab gives its
// blanks), `tokenClass(cls)` at each marker.
template <typename Text, typename Class>
void walkLine(std::string_view marked, int tabWidth, Text text, Class tokenClass) {
  size_t column = 0;
  const size_t tab = tabWidth > 0 ? static_cast<size_t>(tabWidth) : 1;
  for (size_t i = 0; i < marked.size(); ++i) {
    const char c = marked[i];
    if (c == kMarker) {
      if (i + 1 < marked.size()) tokenClass(static_cast<uint8_t>(marked[++i]));
      continue;
    }
    if (c == '\t') {
      const size_t next = (column / tab + 1) * tab;
      while (column < next) text(column++, ' ');
      continue;
    }
    text(column++, c);
  }
}

}  // namespace

LinePrefix LinePrefix::forLines(size_t lineCount, bool addresses) {
  LinePrefix p;
  p.numberWidth = static_cast<int>(std::to_string(lineCount == 0 ? 1 : lineCount).size());
  p.addresses = addresses;
  return p;
}

std::string linePrefixText(size_t line, const SourceLineState& state, const LinePrefix& prefix) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%*zu ", prefix.numberWidth, line);
  std::string out = buf;
  if (prefix.addresses) {
    if (state.hasCode) {
      std::snprintf(buf, sizeof buf, "%0*x ", 5, state.address);
      out += buf;
    } else {
      out += "      ";
    }
  }
  return out;
}

std::vector<TextRun> textRuns(std::string_view markedLine, int tabWidth) {
  std::vector<TextRun> runs;
  uint8_t cls = tokenclass::Normal;
  walkLine(
      markedLine, tabWidth,
      [&](size_t column, char c) {
        if (runs.empty() || runs.back().tokenClass != cls) runs.push_back({column, {}, cls});
        runs.back().text += c;
      },
      [&](uint8_t next) { cls = next; });
  return runs;
}

std::string displayedText(std::string_view markedLine, int tabWidth) {
  std::string out;
  walkLine(markedLine, tabWidth, [&](size_t, char c) { out += c; }, [](uint8_t) {});
  return out;
}

size_t displayColumn(std::string_view markedLine, size_t index, int tabWidth) {
  const size_t tab = tabWidth > 0 ? static_cast<size_t>(tabWidth) : 1;
  size_t column = 0, chars = 0;
  for (size_t i = 0; i < markedLine.size() && chars < index; ++i) {
    if (markedLine[i] == kMarker) {
      ++i;
      continue;
    }
    column = markedLine[i] == '\t' ? (column / tab + 1) * tab : column + 1;
    ++chars;
  }
  return column;
}

std::string displayLine(size_t line, std::string_view markedLine, const SourceLineState& state, const LinePrefix& prefix) {
  return linePrefixText(line, state, prefix) + displayedText(markedLine);
}

}  // namespace yav
