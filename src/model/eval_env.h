// Everything the expression evaluator reaches outside itself: symbols and scopes, functions,
// typedefs and tags, labels and debugger variables, registers, call frames and target memory.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/target_memory.h"
#include "model/types.h"

namespace yav {

// A name of an expression, split like a place argument of the commands: `file:name`, `function():name`,
// `():name` (the current frame's function), `:name`, a plain name, or `@address`.
struct QualifiedName {
  bool valid = false;         // the text names something an expression can use
  bool isAbsolute = false;    // `@address`
  uint32_t absolute = 0;
  bool hasColon = false;      // a `:` separator was given
  bool hasFile = false;
  std::string file;
  bool hasFunction = false;   // `name():`; an empty function means the current frame's
  std::string function;
  std::string variable;       // the name itself
  std::string text;           // the whole name as written
};

// A debug symbol found by the scoped lookup.
struct EvalSymbol {
  uint32_t link = 0;               // identity of the symbol (kept in the value record)
  uint8_t storageClass = 0;
  uint8_t addressSpace = 0;
  uint16_t pointerAttributes = 0;
  uint32_t type = 0;
  AuxList aux;
  uint32_t address = 0;            // address, frame offset, register number or member value
  uint32_t secondAddress = 0;      // storage classes 5, 21 and 22
  uint8_t bitNumber = 0;           // _Bool: bit in the addressed byte; bit-fields: lowest bit
  uint8_t bitWidth = 0;            // bit-fields; 0 when unknown
  bool registerArgumentsSaved = false;  // arguments passed in registers sit in their frame slots
  const void* scope = nullptr;     // the scope it was found in, handed back to frameBase
};

// A function found by name.
struct EvalFunction {
  uint32_t entry = 0;              // address of its start record
  uint32_t returnType = 0;         // type word of the value it returns (no function derivation)
  AuxList aux;                     // auxiliary list of the returned type
  uint8_t addressSpace = 0;
  uint16_t pointerAttributes = 0;  // attributes of a pointer to the function
  uint8_t storageClass = 19;       // 18 file-local, 19 global
};

// A type named by a typedef or a struct, union or enum tag.
struct EvalType {
  uint32_t type = 0;
  AuxList aux;                     // for aggregates: ends with (or holds) the descriptor word
  uint16_t pointerAttributes = 0;
};

class EvalEnv {
 public:
  virtual ~EvalEnv() = default;

  // Scoped variable lookup. With `inFrame` the search starts in the selected frame's function,
  // else in the current function without frame; a file or function part restricts it.
  virtual std::optional<EvalSymbol> lookupVariable(const QualifiedName& name, bool inFrame) = 0;
  // Frame base of the first frame, from the selected one outwards, whose function declares
  // the symbol; none when no frame does.
  virtual std::optional<uint32_t> frameBase(const EvalSymbol& symbol) = 0;
  // Function by name, in the named file or in all files.
  virtual std::optional<EvalFunction> findFunction(std::string_view file, std::string_view name) = 0;
  virtual std::optional<EvalType> findTypedef(std::string_view name) = 0;
  // kind is tc::Struct, tc::Union or tc::Enum.
  virtual std::optional<EvalType> findTag(uint8_t kind, std::string_view tag) = 0;

  // Labels and debugger variables (one list, exact names).
  virtual std::optional<uint32_t> findLabel(std::string_view name) = 0;
  // Creates the debugger variable, or replaces its value.
  virtual void setDebuggerVariable(std::string_view name, uint32_t value) = 0;

  // Registers: number of a name (0 when none), read, and set (false when the target refused).
  virtual int registerByName(std::string_view name) = 0;
  virtual std::optional<uint32_t> readRegister(int number) = 0;
  virtual bool setRegister(int number, uint32_t value) = 0;
  // Whether the registers hold the values of the selected frame's call: false in a caller's
  // frame, whose register-held variables are then not known. For an `argument` also false once
  // the call may have made a call of its own (the argument's register is not kept across it).
  virtual bool registersHeldBySelectedFrame(bool argument) {
    (void)argument;
    return true;
  }
  // The paged program counter, and the views following it after it was changed.
  virtual uint32_t currentPc() = 0;
  virtual void pcChanged() {}
  // Simulated time since power-on in microseconds; nothing when the target does not measure it.
  virtual std::optional<double> simulatedMicroseconds() { return std::nullopt; }

  // Target memory: null while there is none. Writes are big-endian byte images.
  virtual TargetMemory* memory() = 0;
  virtual bool writeMemory(uint8_t space, uint32_t address, std::span<const uint8_t> bytes) = 0;
};

}  // namespace yav
