// `x`, `eval`: evaluates expressions separated by `,` and prints their values.
#include <cctype>
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_common.h"
#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/options.h"
#include "engine/output.h"
#include "engine/print_value.h"
#include "model/loader.h"
#include "model/messages.h"

namespace yav {

namespace {

struct EvalOptions {
  char letter = 0;
  bool quiet = false;
  char fetch = 0;  // 'B', 'W' or 'L' with /F
  bool wrongOption = false;
  char wrongFormat = 0;
  bool badFormat = false;
};

// Reads the byte, word or long of /F at `address` as an unsigned value to print.
bool fetchAt(Kernel& k, char size, uint32_t address, ValueRecord& out) {
  TargetMemory* memory = targetMemory(k);
  if (!memory) return false;
  uint32_t v = 0;
  bool ok = false;
  if (size == 'B') {
    uint8_t b = 0;
    ok = memory->readByte(0, address, b);
    v = b;
    out.type = tc::UnsignedChar;
  } else if (size == 'W') {
    uint16_t w = 0;
    ok = memory->readWord(0, address, w);
    v = w;
    out.type = tc::UnsignedInt;
  } else {
    ok = memory->readLong(0, address, v);
    out.type = tc::UnsignedLong;
  }
  out.setInt(v);
  out.locationClass = sc::Computed;
  return ok;
}

// A symbol of the label table: "    [name].b = value" with /F, else its value.
void printSymbol(Kernel& k, const std::string& name, uint32_t address, const EvalOptions& o) {
  if (!o.fetch) {
    outf(k, "    0x%hl\n", address);
    return;
  }
  ValueRecord fetched;
  if (!fetchAt(k, o.fetch, address, fetched)) {
    errmsg(k, {errtext(msg::NotAccessible), "\n"});
    return;
  }
  const char suffix[] = {'.', static_cast<char>(std::tolower(static_cast<unsigned char>(o.fetch))), 0};
  outs(k, {"    [", name, "]", suffix, " = "});
  putresult(k, fetched, o.letter);
  kout(k, "\n");
}

// The name at `p` as the label table would hold it.
std::string symbolNameAt(const char* p) {
  const char* e = p;
  while (*e && !isBlank(*e) && *e != ',' && *e != ';' && *e != '}') ++e;
  return std::string(p, e);
}

}  // namespace

const char* cmd_eval(Kernel& k, const char* rest, int) {
  displayState(k);
  const char* p = rest;
  EvalOptions o;
  const bool scanned = scanOptions(k, p, "DBHUSOCXQF", [&](char letter, const char*& pos) {
    if (letter == 'Q') {
      o.quiet = true;
    } else if (letter == 'F') {
      if (*pos != ':') {
        o.wrongOption = true;
        return;
      }
      const char size = static_cast<char>(std::toupper(static_cast<unsigned char>(pos[1])));
      if (size == 'B' || size == 'W' || size == 'L') {
        o.fetch = size;
      } else {
        o.badFormat = true;
        o.wrongFormat = pos[1];
      }
      pos += pos[1] ? 2 : 1;
    } else {
      o.letter = displayLetter(letter);
    }
  });
  if (!scanned) return kEmptyRest;
  if (o.wrongOption) {
    errmsg(k, {" Wrong option ", "\n"});
    return kEmptyRest;
  }
  if (o.badFormat) {
    const char c[] = {o.wrongFormat, 0};
    errmsg(k, {"Wrong Format for /F: ", c, "\n"});
    return kEmptyRest;
  }
  const LabelTable& labels = k.prog.program->labels;
  do {
    const char* item = p;
    int error = 0;
    std::unique_ptr<ValueRecord> v = xexpr(k, p, error, true);
    if (!acceptedResult(error)) {
      const std::string name = symbolNameAt(item);
      const LabelEntry* symbol = labels.rensym(name);
      if (!symbol) {
        errmsg(k, {errtext(error), "\n"});
        return skipStatement(p);
      }
      p = item + name.size();
      if (!o.quiet) printSymbol(k, name, symbol->value, o);
      continue;
    }
    if (o.quiet) continue;
    if (o.fetch && v->locationClass == sc::LabelValue) {
      printSymbol(k, v->text, v->address, o);
    } else {
      putNameAndValue(k, *v, o.letter);
    }
  } while (nextListItem(p));
  k.ui->refreshViews(kViewVariables | kViewMemory);
  return p;
}

}  // namespace yav
