// `u`, `updat`, `update`: assigns a value to an object (memory, register or debugger variable)
// and prints its previous and new values.
#include <cctype>
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_common.h"
#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/output.h"
#include "engine/print_text.h"
#include "model/escape.h"
#include "model/messages.h"

namespace yav {

namespace {

constexpr size_t kPromptLimit = 80;

// The previous value of an object is printed (as text) before the write.
std::string printed(Kernel& k, const ValueRecord& v, char letter) { return printedValue(k, v, letter); }

std::unique_ptr<ValueRecord> evaluateText(Kernel& k, const std::string& text, int& error) {
  const char* p = text.c_str();
  return xexpr(k, p, error, true);
}

void reportChange(Kernel& k, const ValueRecord& target, const std::string& before, char letter) {
  int error = 0;
  std::unique_ptr<ValueRecord> now = evaluateText(k, target.text, error);
  const std::string after = acceptedResult(error) ? printed(k, *now, letter) : errtext(error);
  outs(k, {"    ", target.text, " = ", before, " => ", after, "\n"});
}

bool livesInMemory(const ValueRecord& v) {
  switch (v.locationClass) {
    case sc::Computed:
    case sc::MachineRegister:
    case sc::DebuggerVariable:
    case sc::LabelValue:
    case sc::Timing:
      return false;
    default:
      return true;
  }
}

bool isCharObject(const ValueRecord& v) {
  return isCharCode(v.code()) && (isPlain(v.type) || (outermost(v.type) == Derivation::Array && isPlain(removeOutermost(v.type))));
}

// Writes characters from the object's address on. An array takes no more than its size.
void writeText(Kernel& k, const ValueRecord& target, const std::string& bytes) {
  if (!isCharObject(target)) {
    errmsg(k, {errtext(msg::IllegalType), "\n"});
    return;
  }
  if (!livesInMemory(target)) {
    errmsg(k, {errtext(msg::NotUpdatable), "\n"});
    return;
  }
  const bool array = outermost(target.type) == Derivation::Array;
  const char letter = array ? 'S' : 0;
  const std::string before = printed(k, target, letter);
  size_t count = bytes.size();
  const bool tooLong = array && target.size != 0 && count > target.size;
  if (tooLong) count = target.size;
  const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.data()), count);
  TargetMemory* memory = targetMemory(k);
  if (!memory || !memory->write(target.addressSpace, target.address, data)) {
    errmsg(k, {errtext(msg::NotAccessible), "\n"});
    return;
  }
  reportChange(k, target, before, letter);
  if (tooLong) errmsg(k, {errtext(msg::StringTooLong), "\n"});
}

// Texts in double quotes separated by `,`, escapes decoded; false when one is not closed.
bool readTexts(Kernel& k, const char*& p, std::string& bytes) {
  for (;;) {
    ++p;  // the opening quote
    while (*p && *p != '"') {
      if (*p == '\\') {
        const EscapeRead e = decodeEscape(std::string_view(p + 1));
        bytes.push_back(static_cast<char>(e.ch));
        p += 1 + e.used;
      } else {
        bytes.push_back(*p++);
      }
    }
    if (*p != '"') {
      errmsg(k, {errtext(msg::Missing), "'\"'\n"});
      return false;
    }
    ++p;
    const char* after = skipBlanks(p);
    if (*after != ',' || *skipBlanks(after + 1) != '"') return true;
    p = skipBlanks(after + 1);
  }
}

bool askUser(Kernel& k, std::string_view prompt, std::string& answer) {
  k.ui->LeftStatus("WAITING ");
  k.ui->RightStatus(prompt);
  const bool ok = k.ui->askText(prompt, prompt, answer);
  k.ui->LeftStatus("");
  k.ui->RightStatus("");
  if (answer.size() > kPromptLimit) answer.resize(kPromptLimit);
  return ok;
}

// Assigns the value of `valueText` through the evaluator, which converts it to the object's
// type and writes memory, a register or a debugger variable.
void assignExpression(Kernel& k, const ValueRecord& target, const std::string& valueText) {
  if (target.locationClass == sc::Computed) {
    errmsg(k, {errtext(msg::NotUpdatable), "\n"});
    return;
  }
  const std::string before = printed(k, target, 0);
  const std::string assignment = "(" + target.text + ")=(" + valueText + ")";
  int error = 0;
  const char* p = assignment.c_str();
  xexpr(k, p, error, true);
  if (!error && *skipBlanks(p)) error = msg::SyntaxError;
  if (error) {
    errmsg(k, {errtext(error), "\n"});
    return;
  }
  reportChange(k, target, before, 0);
}

bool endsWord(char c) { return c == 0 || c == ';' || c == '}' || isBlank(c); }

}  // namespace

const char* cmd_update(Kernel& k, const char* rest, int) {
  displayState(k);
  Evaluator& ev = kernelEvaluator(k);
  const char* p = rest;
  const bool assignmentAllowed = ev.assignmentAllowed;
  ev.assignmentAllowed = false;
  int error = 0;
  std::unique_ptr<ValueRecord> target = xexpr(k, p, error, true);
  ev.assignmentAllowed = assignmentAllowed;
  if (!acceptedResult(error)) {
    errmsg(k, {errtext(error), "\n"});
    return skipStatement(p);
  }
  p = skipBlanks(p);
  if (*p == '=') p = skipBlanks(p + 1);

  if (p[0] == '?' && (p[1] == 's' || p[1] == 'S') && endsWord(p[2])) {
    std::string typed;
    if (askUser(k, "Enter String", typed)) writeText(k, *target, typed);
    return p + 2;
  }
  if (p[0] == '?') {
    std::string typed;
    if (askUser(k, "Enter Expression", typed)) assignExpression(k, *target, typed);
    return p + 1;
  }
  if (p[0] == '"') {
    std::string bytes;
    if (!readTexts(k, p, bytes)) return kEmptyRest;
    writeText(k, *target, bytes);
    return p;
  }
  // The value's extent, found without touching the target.
  const char* valueStart = p;
  std::unique_ptr<ValueRecord> parsed = xexpr(k, p, error, false);
  if (error) {
    errmsg(k, {errtext(error), "\n"});
    return skipStatement(p);
  }
  std::string valueText(valueStart, p);
  while (!valueText.empty() && isBlank(valueText.back())) valueText.pop_back();
  if (valueText.empty()) {
    errmsg(k, {errtext(msg::SyntaxError), "\n"});
    return skipStatement(p);
  }
  assignExpression(k, *target, valueText);
  k.ui->refreshViews(kViewVariables | kViewMemory);
  return p;
}

}  // namespace yav
