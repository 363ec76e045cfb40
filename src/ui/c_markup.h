// Syntax marking of C text: the text with two-byte colour markers inserted, each the byte 0x01
// followed by a token class of the colour table (keywords, library functions, comments,
// preprocessor directives, names defined by #define and by typedef in the same file).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

namespace yav {

inline constexpr char kMarker = 0x01;

namespace tokenclass {
inline constexpr uint8_t Normal = 1;
inline constexpr uint8_t Keyword = 5;
inline constexpr uint8_t Library = 6;
inline constexpr uint8_t Comment = 7;
inline constexpr uint8_t Preprocessor = 14;
inline constexpr uint8_t Define = 16;
inline constexpr uint8_t Typedef = 17;
}  // namespace tokenclass

// Names a file defines itself: its macros and its typedef names.
struct FileNames {
  std::unordered_set<std::string> defines, typedefs;
};

// The macros (#define NAME) and typedef names declared in a C text.
FileNames namesDefinedIn(std::string_view text);

// Text as a view can show it: '\r' dropped, the marker byte and the other control bytes the view
// interprets (everything below a blank except tab and line end) replaced by '?'.
std::string displayableText(std::string_view raw);

// Marks up displayable C text in one pass. Multi-line comments are marked again at the start of
// every line they span, so each line can be drawn on its own.
std::string markupC(std::string_view text, const FileNames& names);

// The text without its markers.
std::string withoutMarkers(std::string_view marked);

}  // namespace yav
