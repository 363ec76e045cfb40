#include "ui/preference_commands.h"

namespace yav {

namespace {

struct IdKey {
  uint16_t id;
  std::string_view key;
};

constexpr IdKey kFontItems[] = {
    {401, "Source_Font"}, {402, "Assembler_Font"}, {403, "Register_Font"}, {404, "Monitor_Font"},
    {405, "Stack_Font"},  {406, "Command_Font"},   {408, "Memory_Font"},   {409, "Browser_Font"},
};

constexpr IdKey kColourItems[] = {
    {411, "Source"},   {412, "Assembler"},    {413, "Instruction"}, {414, "BkptOn"},
    {415, "BkptOff"},  {416, "Memory"},       {417, "C_Keyword"},   {420, "C_Library"},
    {421, "Comments"}, {422, "Assembler_Mnemonics"}, {423, "Preprocessor"}, {426, "Search"},
};

std::string_view find(const auto& table, uint16_t id) {
  for (const IdKey& e : table)
    if (e.id == id) return e.key;
  return {};
}

}  // namespace

std::string_view fontKeyForCommand(uint16_t id) { return find(kFontItems, id); }

std::string_view colourKeyForCommand(uint16_t id) { return find(kColourItems, id); }

}  // namespace yav
