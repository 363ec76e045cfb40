// Variables as the editor browses them: numbered containers (a frame's locals, the globals, the
// registers, the parts of a struct, union, array or pointer) that live until the next stop, and
// values evaluated and printed by the kernel.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/kernel.h"
#include "model/symbols.h"

namespace yav::dap {

struct VariableContainer {
  enum class Kind { Locals, Globals, Registers, Parts };
  Kind kind = Kind::Locals;
  size_t frame = 0;        // Locals and Parts: index in the frame chain (0 innermost)
  std::string expression;  // Parts: the expression whose parts are listed
};

class VariableStore {
 public:
  // A handle for the container; the same container asked twice gets the same handle.
  int add(const VariableContainer& c);
  const VariableContainer* find(int handle) const;
  void clear() { containers_.clear(); }

 private:
  std::vector<VariableContainer> containers_;  // handle = index + 1
};

// One value as the editor shows it.
struct ShownValue {
  std::string value;        // as the kernel prints it
  bool expandable = false;  // a struct, union, array or a pointer to data
  std::optional<uint32_t> address;  // where it lives in target memory
  uint32_t size = 0;
  bool fixedPlace = false;  // statically allocated: a data breakpoint can watch it
};

// Evaluates `expression` in frame `frame`, printed with the display letter `letter` (0 for the
// type's own display). Nothing when it does not evaluate: `error` then holds the reason.
std::optional<ShownValue> evaluateIn(Kernel& k, size_t frame, const std::string& expression, char letter,
                                     std::string& error);

// A part of a value: the name shown and the expression that reaches it.
struct Part {
  std::string name;
  std::string expression;
};
// The members of a struct or union (through a pointer too), the elements of an array, or what a
// pointer points to.
std::vector<Part> partsOf(Kernel& k, size_t frame, const std::string& expression);

// The variables of a container: locals of the frame's function, globals of every file (named
// with their file where the name is not unique), registers.
std::vector<Part> variablesOf(Kernel& k, const VariableContainer& c);

// Assigns `value` (an expression) to `target` through the kernel's update command. Empty when
// done, else the reason.
std::string assign(Kernel& k, size_t frame, const std::string& target, const std::string& value);

// Makes frame `index` the selected one while alive, as the evaluator reads the selected frame.
class FrameSelection {
 public:
  FrameSelection(Kernel& k, size_t index);
  ~FrameSelection();
  FrameSelection(const FrameSelection&) = delete;
  FrameSelection& operator=(const FrameSelection&) = delete;

 private:
  Kernel& k_;
  size_t saved_;
};

}  // namespace yav::dap
