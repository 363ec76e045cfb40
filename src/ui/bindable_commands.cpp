#include "ui/bindable_commands.h"

#include <iterator>

namespace yav {

namespace {

constexpr BindableCommand kCommands[] = {
    {130, "Application Map"},
    {621, "Browse Breakpoints"},
    {640, "Browse Files in Program"},
    {650, "Browse Functions in Program"},
    {360, "Browse Memory (Code or Data)"},
    {625, "Browse Sources"},
    {414, "Change Color for Active Breakpoints"},
    {415, "Change Color for Suspended Breakpoints"},
    {412, "Change Color for Assembler Highlight"},
    {413, "Change Color for Current Machine Instruction"},
    {416, "Change Color for Memory Highlight"},
    {411, "Change Color for Currrent C Instruction"},
    {421, "Change Color for C Comments"},
    {417, "Change Color for C Keywords"},
    {420, "Change Color for C Library Functions"},
    {422, "Change Color for Mnemonics (disassembly)"},
    {423, "Change Color for Preprocessor Directives"},
    {407, "Change all Fonts"},
    {409, "Change Font for Browser Windows"},
    {406, "Change Font for Command Window"},
    {402, "Change Font for disassembly Window"},
    {408, "Change Font for memory Windows"},
    {404, "Change Font for Monitor Window"},
    {403, "Change Font for Register Window"},
    {401, "Change Font for Source Windows"},
    {405, "Change Font for Stack Window"},
    {804, "Create a Complex Breakpoint"},
    {360, "Create Memory Window"},
    {620, "Display Source for Seclected File"},
    {622, "Display Source for Selected Function"},
    {117, "Exit Yav"},
    {201, "Go. Resume Execution"},
    {212, "Go To Function Entry"},
    {202, "Go Until a Condition is Met"},
    {208, "Go from Reset"},
    {13001, "Help on YAV Usage"},
    {13002, "Help on C Language"},
    {13003, "Help on C Library"},
    {101, "Load File"},
    {103, "Load Program and Start Execution"},
    {133, "Load Layout"},
    {131, "Load Session"},
    {440, "Modify Path for Source Files"},
    {146, "Reload Segment"},
    {209, "Reset Target"},
    {107, "Restart"},
    {134, "Save Layout"},
    {132, "Save Session"},
    {630, "Show Variables in Current Function"},
    {631, "Show Variables in Current File"},
    {632, "Show all Variables"},
    {382, "Show Variables in Brief Format"},
    {384, "Show Variables in Expanded Format"},
    {633, "Show Variables with Storage Class and Type"},
    {634, "Show Variables with Storage Class, Type and Value"},
    {635, "Show Variables with Storage Class, Type, Address and Value"},
    {203, "Step one C Instruction"},
    {204, "Step one Machine Instruction"},
    {205, "Step Over a C Function Call"},
    {206, "Step Until a Condition is Met"},
};

static_assert(std::size(kCommands) == 60);

}  // namespace

std::span<const BindableCommand> bindableCommands() { return kCommands; }

std::optional<size_t> bindableIndex(int32_t id) {
  for (size_t i = 0; i < std::size(kCommands); ++i)
    if (kCommands[i].id == id) return i;
  return std::nullopt;
}

}  // namespace yav
