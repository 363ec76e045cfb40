#include "engine/event_conditions.h"

#include "engine/display_common.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/output.h"
#include "engine/print_text.h"

namespace yav {

namespace {

// The value of `expression`, or the error text why there is none.
std::unique_ptr<ValueRecord> evaluate(Kernel& k, const std::string& expression, std::string& error) {
  const char* p = expression.c_str();
  int code = 0;
  std::unique_ptr<ValueRecord> v = xexpr(k, p, code, true);
  if (!acceptedResult(code) || !v) {
    error = errtext(code ? code : msg::NotAccessible);
    while (!error.empty() && (error.back() == '\n' || error.back() == ' ')) error.pop_back();
    return nullptr;
  }
  return v;
}

}  // namespace

bool conditionHolds(Kernel& k, const Event& e) {
  if (e.condition.empty()) return true;
  std::string error;
  const std::unique_ptr<ValueRecord> v = evaluate(k, "(" + e.condition + ") != 0", error);
  if (!v) {
    kout(k, "breakpoint condition \"" + e.condition + "\": " + error + "\n");
    return true;
  }
  return v->uintValue() != 0;
}

std::string logMessageText(Kernel& k, const Event& e) {
  const std::string& m = e.logMessage;
  std::string text;
  for (size_t at = 0; at < m.size();) {
    const size_t open = m.find('{', at);
    const size_t close = open == std::string::npos ? open : m.find('}', open);
    if (close == std::string::npos) {
      text += m.substr(at);
      break;
    }
    text += m.substr(at, open - at);
    std::string error;
    const std::unique_ptr<ValueRecord> v = evaluate(k, m.substr(open + 1, close - open - 1), error);
    if (v) {
      std::string shown = printedValue(k, *v, 0);
      while (!shown.empty() && shown.back() == '\n') shown.pop_back();
      text += shown;
    } else {
      text += "<" + error + ">";
    }
    at = close + 1;
  }
  return text;
}

}  // namespace yav
