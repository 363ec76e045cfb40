#include "engine/cmdtab.h"

#include <cctype>
#include <cstring>
#include <string_view>

#include "engine/commands.h"

namespace yav {

namespace {
constexpr uint16_t NU = CMD_NOUPDATE, ND = CMD_NEEDDEBUG, NF = CMD_NEEDFRAME, IN = CMD_INTERNAL;
#define ROW(word, flags, fn) {word, static_cast<uint16_t>(std::string_view(word).size()), static_cast<uint16_t>(flags), fn}
}  // namespace

// Order matters: the first matching row wins. Abbreviations are rows of their own.
constexpr CmdRow cmdtab[] = {
    ROW("internals", 0, cmd_internals),
    ROW("a", ND, cmd_activ),
    ROW("activ", ND, cmd_activ),
    ROW("cmdwin", 0, cmd_cmdwin),
    ROW("deact", ND, cmd_deact),
    ROW("b", NU, cmd_unsupported),
    ROW("break", NU, cmd_unsupported),
    ROW("w", 0, cmd_unsupported),
    ROW("watch", 0, cmd_unsupported),
    ROW("del", 0, cmd_unsupported),
    ROW("delete", 0, cmd_unsupported),
    ROW("db", 0, cmd_unsupported),
    ROW("dbreak", 0, cmd_unsupported),
    ROW("dw", 0, cmd_unsupported),
    ROW("dwatch", 0, cmd_unsupported),
    ROW("disa", NU, cmd_disa),
    ROW("path", 0, cmd_path),
    ROW("g", 0, cmd_unsupported),
    ROW("go", 0, cmd_unsupported),
    ROW("start", IN, cmd_unsupported),
    ROW("status", IN, cmd_status),
    ROW("stop", IN, cmd_unsupported),
    ROW("tgo", 0, cmd_unsupported),
    ROW("tigo", 0, cmd_unsupported),
    ROW("record", 0, cmd_record),
    ROW("move", ND | NF, cmd_move),
    ROW("l", 0, cmd_load),
    ROW("load", 0, cmd_load),
    ROW("m", 0, cmd_monit),
    ROW("monit", 0, cmd_monit),
    ROW("maximize", 0, cmd_maximize),
    ROW("minimize", 0, cmd_minimize),
    ROW("rtmem", 0, cmd_unsupported),
    ROW("rmonit", 0, cmd_unsupported),
    ROW("files", NU | ND, cmd_files),
    ROW("funcs", NU | ND, cmd_funcs),
    ROW("print", ND, cmd_print),
    ROW("pin", NU, cmd_pin),
    ROW("quit", 0, cmd_quit),
    ROW("r", 0, cmd_regs),
    ROW("regs", 0, cmd_regs),
    ROW("wregs", 0, cmd_wregs),
    ROW("s", 0, cmd_unsupported),
    ROW("step", 0, cmd_unsupported),
    ROW("si", 0, cmd_unsupported),
    ROW("istep", 0, cmd_unsupported),
    ROW("mstep", 0, cmd_unsupported),
    ROW("so", 0, cmd_unsupported),
    ROW("ostep", 0, cmd_unsupported),
    ROW("stack", 0, cmd_stack),
    ROW("wstack", 0, cmd_wstack),
    ROW("frame", NU | ND | NF, cmd_frame),
    ROW("u", ND, cmd_update),
    ROW("updat", ND, cmd_update),
    ROW("update", ND, cmd_update),
    ROW("v", NU | ND, cmd_vars),
    ROW("vars", NU | ND, cmd_vars),
    ROW("write", 0, cmd_unsupported),
    ROW("x", 0, cmd_eval),
    ROW("eval", 0, cmd_eval),
    ROW("zero", 0, cmd_unsupported),
    ROW("mess", 0, cmd_unsupported),
    ROW("sys", 0, cmd_unsupported),
    ROW("input", 0, cmd_input),
    ROW("output", 0, cmd_unsupported),
    ROW("*", 0, cmd_rem),
    ROW("rem", 0, cmd_rem),
    ROW("dump", 0, cmd_dump),
    ROW("fill", 0, cmd_fill),
    ROW("finish", 0, cmd_unsupported),
    ROW("mm", 0, cmd_mm),
    ROW("fopen", 0, cmd_unsupported),
    ROW("fclose", 0, cmd_unsupported),
    ROW("fread", 0, cmd_unsupported),
    ROW("fwrite", 0, cmd_unsupported),
    ROW("rewind", 0, cmd_unsupported),
    ROW("remove", 0, cmd_unsupported),
    ROW("pause", 0, cmd_unsupported),
    ROW("reset", 0, cmd_unsupported),
    ROW("session", 0, cmd_unsupported),
    ROW("layout", 0, cmd_unsupported),
    {nullptr, 0, 0, nullptr},
};
#undef ROW

namespace {
// The copy of the command word is 16 characters; every word must fit with room for its terminator.
constexpr bool rows_fit() {
  for (const CmdRow& r : cmdtab) {
    if (r.name && r.len >= 16) return false;
  }
  return true;
}
static_assert(rows_fit(), "a command word is longer than the matcher's copy");
}  // namespace

const CmdRow* findCommand(const Kernel& k, const char* text) {
  char copy[17] = {};
  for (int i = 0; i < 16 && text[i]; ++i) copy[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
  for (const CmdRow* r = cmdtab; r->name; ++r) {
    if ((r->flags & CMD_INTERNAL) && !k.disp.internals) continue;
    if (std::memcmp(copy, r->name, r->len) != 0) continue;
    const signed char after = static_cast<signed char>(copy[r->len]);
    if (after == 0 || after == ';' || after <= 0x20 || after == 0x7F) return r;
  }
  return nullptr;
}

}  // namespace yav
