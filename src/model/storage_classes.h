// Storage-class codes of the debug symbols and the location classes of evaluated values: one
// set of codes (a location class is a storage class, or one of the few the evaluator adds) with
// one property table.
#pragma once
#include <cstdint>
#include <string_view>

namespace yav {

namespace sc {
inline constexpr uint8_t Computed = 0;                // a computed value, not an lvalue
inline constexpr uint8_t Static = 1;
inline constexpr uint8_t Memory = Static;             // a value in target memory reached through an operator
inline constexpr uint8_t Argument = 2;
inline constexpr uint8_t Auto = 3;
inline constexpr uint8_t Register = 4;                // value = register number
inline constexpr uint8_t RegisterArgument = 5;        // register-held argument with a frame slot
inline constexpr uint8_t Extern = 6;
inline constexpr uint8_t LabelVariable = Extern;      // a label read as a variable
inline constexpr uint8_t FirstRegisterArgument = 7;   // first argument, passed in a register
inline constexpr uint8_t Absolute = 8;
inline constexpr uint8_t EnumMember = 12;             // value = the member value
inline constexpr uint8_t MachineRegister = 13;        // processor register, address = its number
inline constexpr uint8_t StaticArgument = 14;
inline constexpr uint8_t StaticRegisterArgument = 15;
inline constexpr uint8_t StaticAuto = 16;
inline constexpr uint8_t Typedef = 17;
inline constexpr uint8_t LocalFunction = 18;          // file-local function
inline constexpr uint8_t GlobalFunction = 19;
inline constexpr uint8_t RegisterArgument2 = 20;      // 20 to 24: further argument forms
inline constexpr uint8_t RegisterArgument3 = 21;
inline constexpr uint8_t RegisterArgument4 = 22;
inline constexpr uint8_t FrameArgument = 23;
inline constexpr uint8_t FrameArgument2 = 24;
inline constexpr uint8_t Timing = 25;                 // timing register
inline constexpr uint8_t DebuggerVariable = 26;
inline constexpr uint8_t LabelValue = 27;
inline constexpr uint8_t Count = 28;                  // codes of the table, 0 to 27
}  // namespace sc

// Property bits of a storage or location class.
namespace scp {
inline constexpr uint16_t Argument = 1 << 0;        // an argument of its function
inline constexpr uint16_t RegisterHeld = 1 << 1;    // a symbol kept in a register
inline constexpr uint16_t SecondAddress = 1 << 2;   // the debug record carries a second address
inline constexpr uint16_t InRegister = 1 << 3;      // a location read and written through registers
inline constexpr uint16_t NotAddressable = 1 << 4;  // `&` refuses it: no target memory address
inline constexpr uint16_t FixedValue = 1 << 5;      // `=` refuses it: a constant or computed value
inline constexpr uint16_t OwnValue = 1 << 6;        // the record keeps its value; nothing to reload
inline constexpr uint16_t AddressIsValue = 1 << 7;  // its value is its address (functions, enum members)
inline constexpr uint16_t Function = 1 << 8;
}  // namespace scp

// Where a symbol of a class lives relative to the frame of its function.
enum class FramePlace : uint8_t {
  Fixed,          // the symbol's own address (static, extern, absolute, enum member)
  RegisterNumber, // the register named by the symbol's value
  AboveBase,      // frame base + offset + 2 (arguments)
  BelowBase,      // frame base - offset (autos)
  FirstArgument,  // the first-argument register, or its slot once saved
  Base,           // the frame base itself
};

struct StorageClassInfo {
  uint8_t code;
  const char* name;  // printed before a declaration, ends with a blank; empty for none
  uint16_t props;
  FramePlace place;

  constexpr bool is(uint16_t bits) const { return (props & bits) != 0; }
};

// The row of a code; codes outside the table get an empty row (no name, no property).
const StorageClassInfo& storageClass(uint8_t code);

std::string_view storageClassName(uint8_t code);
bool isArgumentClass(uint8_t code);
bool isRegisterHeldClass(uint8_t code);
bool hasSecondAddress(uint8_t code);

}  // namespace yav
