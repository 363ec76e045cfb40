// The option syntax shared by command handlers: `/` followed by letters, either case, several per
// `/`, groups separated by blanks; a value follows a `:` and is read by the handler itself.
#pragma once
#include <functional>
#include <string_view>

#include "engine/kernel.h"

namespace yav {

// Called for each known letter (upper case) with the position right after it; a handler for a
// letter that takes a value reads ":value" there and advances the position past it.
using OptionFn = std::function<void(char letter, const char*& pos)>;

// Scans the option groups at `p` (advanced past them and the blanks after). A letter not in
// `known` reports `unknownText` followed by the text from that letter on, and returns false.
bool scanOptions(Kernel& k, const char*& p, std::string_view known, const OptionFn& onLetter,
                 std::string_view unknownText = "Unknown Option ");

// An absolute path also begins with '/': a group that holds another '/' before its end (or
// before a ':' value) is a file name, not options.
bool isOptionGroup(const char* p);

// scanOptions for commands whose argument is a file name: scanning ends at a group that is a path.
bool scanFileOptions(Kernel& k, const char*& p, std::string_view known, const OptionFn& onLetter,
                     std::string_view unknownText = "Unknown Option ");

}  // namespace yav
