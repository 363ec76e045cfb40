// The variable printer of `vars` and `print`: one line per variable of a scope (a function's
// arguments and locals, or a file's statics and globals).
#pragma once
#include <string>
#include <string_view>

#include "engine/kernel.h"
#include "model/symbols.h"

namespace yav {

// Symbols of a scope that are variables: not typedefs, enum members or functions, and named.
bool isVariableSymbol(const SymbolEntry& s);

// The name as the evaluator finds it in that scope: "main():perimeter", "main.c:count".
std::string scopedName(const FunctionEntry& scope, const std::string& name);

// `mode` holds '&' to show each variable's address and 'p' to show its declaration in place of
// its name. Lines: "    name = value", "    name @0x1234 = value", "    int name = value".
void printVariables(Kernel& k, const FunctionEntry& scope, std::string_view mode);

}  // namespace yav
