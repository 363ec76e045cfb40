// The texts that the script commands read from their line: file names and formats in double
// quotes.
#pragma once
#include <string>

namespace yav {

// A file name: it runs to the end of the line, a tab, `;` or `}`, blanks included; trailing
// spaces and line ends are dropped (other bytes may belong to the name). Returns the position where the name ended.
const char* scriptFileName(const char* p, std::string& name);

// The closing quote of the text whose opening quote is at `p` (a `"` after `\` does not end
// it); null when the text is not closed.
const char* closingQuote(const char* p);

}  // namespace yav
