// Feeds arbitrary bytes to the C markup of the source views: the text comes back unchanged once
// the markers are removed, and every marker names a token class.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/c_markup.h"
#include "ui/source_display.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace yav;
  const std::string text = displayableText(std::string(reinterpret_cast<const char*>(data), size));
  const std::string marked = markupC(text, namesDefinedIn(text));
  for (size_t i = 0; i < marked.size(); ++i) {
    if (marked[i] != kMarker) continue;
    if (i + 1 >= marked.size()) __builtin_trap();
    switch (marked[++i]) {
      case tokenclass::Normal: case tokenclass::Keyword: case tokenclass::Library: case tokenclass::Comment:
      case tokenclass::Preprocessor: case tokenclass::Define: case tokenclass::Typedef: break;
      default: __builtin_trap();
    }
  }
  if (withoutMarkers(marked) != text) __builtin_trap();
  // Each line as the view draws it.
  size_t start = 0;
  while (start <= marked.size()) {
    const size_t end = marked.find('\n', start);
    const std::string_view line = std::string_view(marked).substr(start, end == std::string::npos ? std::string::npos : end - start);
    (void)textRuns(line);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return 0;
}
