// `mess "TEXT" [, EXPR, ...]`: prints the text with its escapes; `%` and a display letter
// (b c d h o s u x) prints the next expression's value in that format.
#include <cstring>
#include <string>
#include <string_view>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_common.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/output.h"
#include "engine/print_value.h"
#include "engine/script_text.h"
#include "model/escape.h"
#include "model/messages.h"

namespace yav {

namespace {
constexpr std::string_view kValueLetters = "bcdhosux";
}  // namespace

const char* cmd_mess(Kernel& k, const char* rest, int) {
  const char* close = *rest == '"' ? closingQuote(rest) : nullptr;
  if (!close) {
    errmsg(k, {errtext(msg::SyntaxError), " ", rest, "\n"});
    return kEmptyRest;
  }
  const std::string_view text(rest + 1, static_cast<size_t>(close - rest - 1));
  const char* args = close + 1;
  std::string plain;
  for (size_t i = 0; i < text.size();) {
    const char c = text[i++];
    if (c == '\\') {
      const EscapeRead e = decodeEscape(text.substr(i));
      plain += static_cast<char>(e.ch);
      i += e.used;
      continue;
    }
    if (c != '%') {
      plain += c;
      continue;
    }
    if (i == text.size()) break;  // a `%` at the end prints nothing
    const char letter = text[i++];
    if (kValueLetters.find(letter) == std::string_view::npos) {
      plain += letter;  // `%%` and `%` before any other character print that character
      continue;
    }
    kout(k, plain);
    plain.clear();
    args = skipBlanks(args);
    if (*args == ',') ++args;
    int error = 0;
    std::unique_ptr<ValueRecord> v = xexpr(k, args, error, true);
    if (!acceptedResult(error) || !v) {
      errmsg(k, {errtext(error ? error : msg::SyntaxError), "\n"});
      return kEmptyRest;
    }
    putresult(k, *v, letter);
  }
  kout(k, plain);
  args = skipBlanks(args);
  if (*args == ',') ++args;
  return args;
}

}  // namespace yav
