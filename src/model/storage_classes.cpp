// The storage and location classes as data: every rule keyed on a class reads this table.
#include "model/storage_classes.h"

#include <array>

namespace yav {

namespace {

using namespace scp;
using enum FramePlace;

// clang-format off
constexpr std::array<StorageClassInfo, sc::Count> kClasses = {{
    {sc::Computed,               "",                 NotAddressable | FixedValue | OwnValue, Base},
    {sc::Static,                 "static ",          0, Fixed},
    {sc::Argument,               "argument ",        Argument, AboveBase},
    {sc::Auto,                   "auto ",            0, BelowBase},
    {sc::Register,               "register ",        RegisterHeld | InRegister | NotAddressable, RegisterNumber},
    {sc::RegisterArgument,       "register ",        Argument | RegisterHeld | SecondAddress | InRegister | NotAddressable, AboveBase},
    {sc::Extern,                 "extern ",          0, Fixed},
    {sc::FirstRegisterArgument,  "argument ",        Argument | InRegister | NotAddressable, FirstArgument},
    {sc::Absolute,               "absolute ",        0, Fixed},
    {9,                          "",                 0, Base},
    {10,                         "",                 0, Base},
    {11,                         "",                 0, Base},
    {sc::EnumMember,             "enum member ",     NotAddressable | FixedValue | AddressIsValue, Fixed},
    {sc::MachineRegister,        "",                 InRegister | NotAddressable, Base},
    {sc::StaticArgument,         "static argument ", Argument, Base},
    {sc::StaticRegisterArgument, "static argument ", Argument | NotAddressable, FirstArgument},
    {sc::StaticAuto,             "static auto ",     0, Base},
    {sc::Typedef,                "typedef ",         0, Base},
    {sc::LocalFunction,          "local ",           FixedValue | AddressIsValue | Function, Base},
    {sc::GlobalFunction,         "global ",          FixedValue | AddressIsValue | Function, Base},
    {sc::RegisterArgument2,      "argument ",        Argument | RegisterHeld | InRegister, Base},
    {sc::RegisterArgument3,      "argument ",        Argument | RegisterHeld | SecondAddress | InRegister, Base},
    {sc::RegisterArgument4,      "argument ",        Argument | RegisterHeld | SecondAddress | InRegister | NotAddressable, Base},
    {sc::FrameArgument,          "argument ",        Argument | NotAddressable, Base},
    {sc::FrameArgument2,         "argument ",        Argument | NotAddressable, Base},
    {sc::Timing,                 "",                 NotAddressable | OwnValue, Base},
    {sc::DebuggerVariable,       "",                 NotAddressable | OwnValue, Base},
    {sc::LabelValue,             "",                 FixedValue | OwnValue, Base},
}};
// clang-format on

constexpr StorageClassInfo kNoClass = {0, "", 0, Base};

constexpr bool rowsIndexedByCode() {
  for (size_t i = 0; i < kClasses.size(); ++i) {
    if (kClasses[i].code != i) return false;
  }
  return true;
}
static_assert(rowsIndexedByCode(), "one row per class code, in code order");

// The codes that have a property, as a bit set over the codes.
constexpr uint32_t codesWith(uint16_t bits) {
  uint32_t set = 0;
  for (const StorageClassInfo& c : kClasses) {
    if (c.is(bits)) set |= 1u << c.code;
  }
  return set;
}
constexpr uint32_t codes(std::initializer_list<int> list) {
  uint32_t set = 0;
  for (int c : list) set |= 1u << c;
  return set;
}
static_assert(codesWith(Argument) == codes({2, 5, 7, 14, 15, 20, 21, 22, 23, 24}), "argument classes");
static_assert(codesWith(RegisterHeld) == codes({4, 5, 20, 21, 22}), "register-held classes");
static_assert(codesWith(SecondAddress) == codes({5, 21, 22}), "classes with a second address");
static_assert(codesWith(Function) == codes({18, 19}), "function classes");
static_assert((codesWith(SecondAddress) & ~codesWith(RegisterHeld)) == 0, "a second address is a register's");
static_assert((codesWith(RegisterHeld) & ~codesWith(InRegister)) == 0, "a register-held symbol is read from its register");
static_assert((codesWith(OwnValue) & codesWith(AddressIsValue)) == 0, "a value is either kept or an address");

}  // namespace

const StorageClassInfo& storageClass(uint8_t code) { return code < kClasses.size() ? kClasses[code] : kNoClass; }

std::string_view storageClassName(uint8_t code) { return storageClass(code).name; }
bool isArgumentClass(uint8_t code) { return storageClass(code).is(Argument); }
bool isRegisterHeldClass(uint8_t code) { return storageClass(code).is(RegisterHeld); }
bool hasSecondAddress(uint8_t code) { return storageClass(code).is(SecondAddress); }

}  // namespace yav
