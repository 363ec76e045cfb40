#include "ui/c_words.h"

#include <span>
#include <string>
#include <unordered_set>

namespace yav {

namespace {

// C keywords, with the compiler's storage and function qualifiers.
constexpr std::string_view kKeywords[] = {
    "auto", "break", "case", "char", "const", "continue", "default", "do", "double", "else", "enum",
    "extern", "float", "for", "goto", "if", "inline", "int", "long", "register", "restrict", "return",
    "short", "signed", "sizeof", "static", "struct", "switch", "typedef", "union", "unsigned", "void",
    "volatile", "while", "_Bool", "_Complex", "_Imaginary", "_Noreturn", "_Static_assert",
    "__reentrant", "__interrupt", "__critical", "__naked", "__near", "__far", "__data", "__xdata",
    "__code", "__at", "__banked", "__nonbanked", "__asm", "__endasm", "interrupt", "near", "far",
};

constexpr std::string_view kDirectives[] = {
    "define", "undef", "include", "if", "ifdef", "ifndef", "elif", "else", "endif",
    "line", "error", "warning", "pragma",
};

// Functions of the standard C library headers.
constexpr std::string_view kLibraryFunctions[] = {
    // <stdio.h>
    "printf", "sprintf", "snprintf", "vprintf", "vsprintf", "vsnprintf", "fprintf", "vfprintf",
    "scanf", "sscanf", "fscanf", "puts", "putchar", "putc", "fputc", "fputs", "getchar", "getc",
    "fgetc", "gets", "fgets", "ungetc", "fopen", "freopen", "fclose", "fflush", "fread", "fwrite",
    "fseek", "ftell", "rewind", "fgetpos", "fsetpos", "feof", "ferror", "clearerr", "perror",
    "remove", "rename", "tmpfile", "tmpnam", "setbuf", "setvbuf",
    // <stdlib.h>
    "abs", "labs", "div", "ldiv", "atoi", "atol", "atof", "strtol", "strtoul", "strtod", "rand",
    "srand", "malloc", "calloc", "realloc", "free", "abort", "exit", "atexit", "getenv", "system",
    "qsort", "bsearch", "mblen", "mbtowc", "wctomb", "mbstowcs", "wcstombs",
    // <string.h>
    "memcpy", "memmove", "memset", "memcmp", "memchr", "strcpy", "strncpy", "strcat", "strncat",
    "strcmp", "strncmp", "strcoll", "strxfrm", "strchr", "strrchr", "strstr", "strspn", "strcspn",
    "strpbrk", "strtok", "strlen", "strerror",
    // <ctype.h>
    "isalnum", "isalpha", "iscntrl", "isdigit", "isgraph", "islower", "isprint", "ispunct",
    "isspace", "isupper", "isxdigit", "tolower", "toupper",
    // <math.h>
    "sin", "cos", "tan", "asin", "acos", "atan", "atan2", "sinh", "cosh", "tanh", "exp", "log",
    "log10", "pow", "sqrt", "ceil", "floor", "fabs", "fmod", "frexp", "ldexp", "modf",
    // <setjmp.h>, <signal.h>, <time.h>, <assert.h>
    "setjmp", "longjmp", "signal", "raise", "clock", "time", "difftime", "mktime", "asctime",
    "ctime", "gmtime", "localtime", "strftime", "assert",
};

using WordSet = std::unordered_set<std::string_view>;

WordSet setOf(std::span<const std::string_view> words) { return WordSet(words.begin(), words.end()); }

}  // namespace

bool isCKeyword(std::string_view word) {
  static const WordSet set = setOf(kKeywords);
  return set.contains(word);
}

bool isPreprocessorDirective(std::string_view word) {
  static const WordSet set = setOf(kDirectives);
  return set.contains(word);
}

bool isCLibraryFunction(std::string_view word) {
  static const WordSet set = setOf(kLibraryFunctions);
  return set.contains(word);
}

}  // namespace yav
