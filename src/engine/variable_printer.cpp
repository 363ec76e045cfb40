#include "engine/variable_printer.h"

#include <string>

#include "engine/display_common.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/output.h"
#include "engine/print_text.h"
#include "model/eval_storage.h"

namespace yav {

bool isVariableSymbol(const SymbolEntry& s) {
  switch (s.storageClass) {
    case sc::Typedef:
    case sc::EnumMember:
    case sc::LocalFunction:
    case sc::GlobalFunction:
      return false;
    default:
      return !s.name.empty();
  }
}

std::string scopedName(const FunctionEntry& scope, const std::string& name) {
  if (scope.isOuterScope()) return (scope.file ? scope.file->name : std::string()) + ":" + name;
  return scope.name + "():" + name;
}

void printVariables(Kernel& k, const FunctionEntry& scope, std::string_view mode) {
  const bool addresses = mode.find('&') != std::string_view::npos;
  const bool declarations = mode.find('p') != std::string_view::npos;
  for (const SymbolEntry& s : scope.locals) {
    if (!isVariableSymbol(s)) continue;
    const std::string text = scopedName(scope, s.name);
    const char* p = text.c_str();
    int error = 0;
    std::unique_ptr<ValueRecord> v = xexpr(k, p, error, true);
    std::string line = "    " + (declarations ? declarationText(s, v->locationClass) : s.name);
    if (addresses && acceptedResult(error) && !isRegisterHeldLocation(v->locationClass) && v->locationClass != sc::Computed) {
      line += fmtstr(" @0x%hl", v->address);
    }
    line += " = ";
    if (!acceptedResult(error)) errshown(k);
    line += acceptedResult(error) ? printedValue(k, *v, 0) : errtext(error);
    kout(k, line + "\n");
  }
}

}  // namespace yav
