// The words the C markup knows: keywords, preprocessor directives and the C library's functions.
#pragma once
#include <string_view>

namespace yav {

bool isCKeyword(std::string_view word);
bool isPreprocessorDirective(std::string_view word);
bool isCLibraryFunction(std::string_view word);

}  // namespace yav
