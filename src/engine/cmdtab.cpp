#include "engine/cmdtab.h"

#include <cctype>
#include <cstring>
#include <string_view>

#include "engine/commands.h"

namespace yav {

namespace {
constexpr uint16_t NU = CMD_NOUPDATE, ND = CMD_NEEDDEBUG, NF = CMD_NEEDFRAME, IN = CMD_INTERNAL;

using G = CmdGroup;
// One description per command, whatever the number of its words; a row finds its own by word.
constexpr CmdHelp kCmdHelp[] = {
    {"g go", G::Running, "run the target", "go [PLACE]   (stops at PLACE, leaving no event behind)"},
    {"s step", G::Running, "step one C line (one instruction without debug information)", "step [COUNT | PLACE]"},
    {"si istep", G::Running, "step one machine instruction", "istep [COUNT | PLACE]"},
    {"mstep", G::Running, "step one machine instruction, as istep", "mstep [COUNT | PLACE]"},
    {"so ostep", G::Running, "step over one C line or instruction (calls run through)", "ostep"},
    {"finish", G::Running, "run until the current function returns", "finish"},
    {"tgo tigo", G::Running, "run, printing each C source line reached", "tgo [PLACE]"},
    {"start", G::Running, "start the target code without the run loop (internal)", "start"},
    {"stop", G::Running, "request the run loop to stop (internal)", "stop"},
    {"status", G::Running, "print RUNNING or STOPPED (internal)", "status"},
    {"zero", G::Running, "re-initialise: /E delete all events, /M all monitors, /R reset the target",
     "zero [/E] [/M] [/R]"},
    {"reset", G::Running, "reset the target, as zero /r", "reset"},
    {"b break", G::Events, "set a breakpoint (a code event that stops); alone, list them",
     "break [/A /S /C:N /E /I] [PLACE, ...] [{ACTIONS}]\n"
     "  /A activate, /S suspend (events by number or *), /C:N count, /E entry line only, /I create suspended"},
    {"w watch", G::Events, "set a code watchpoint (reports and goes on); alone, list them",
     "watch [/A /S /C:N /E /I] [PLACE, ...] [{ACTIONS}]"},
    {"db dbreak", G::Events, "set a data breakpoint on reads or writes of an expression",
     "dbreak [/A /S /C:N /T:A|R|W /I] EXPR, ... [{ACTIONS}]\n  /T: access type: A any, R read, W write; /I create suspended"},
    {"dw dwatch", G::Events, "set a data watchpoint", "dwatch [/A /S /C:N /T:A|R|W /I] EXPR, ... [{ACTIONS}]"},
    {"del delete", G::Events, "delete events, monitors or real-time monitors",
     "delete [/E | /M | /R] PLACE, ... | *\n  /E events (default), /M monitors, /R real-time monitors"},
    {"x eval", G::Data, "evaluate expressions and print them in a chosen format",
     "eval [/D /B /H /U /S /O /C /X /Q /F:B|W|L] EXPR, ..."},
    {"u updat update", G::Data, "assign a new value to a variable or memory object",
     "update TARGET [=] VALUE | TARGET = ? | TARGET = \"TEXT\", ... | TARGET = ?s"},
    {"pin", G::Data, "drive an input pin or the IRQ line of the target, or read a pin",
     "pin NAME [0 | 1 | free]"},
    {"m monit", G::Data, "declare a monitor: an expression shown after each stop",
     "monit [/B /C /D /O /S /U /X] EXPR, ..."},
    {"v vars", G::Data, "list the variables of the current frame", "vars [/A] [/V] [PLACE]"},
    {"print", G::Data, "print the variables of a function or file", "print [/A] [/P] FUNCTION() | FILE:"},
    {"frame", G::Data, "print the call chain from the current frame outward", "frame"},
    {"move", G::Data, "move in the call stack: /U up, /D down, /T top, /B bottom", "move /U | /D | /T | /B [PLACE]"},
    {"r regs", G::Data, "print the CPU registers", "regs"},
    {"dump", G::Memory, "dump memory in lines of 16 bytes",
     "dump [/A /B /W /L /F:B|O|D|H] START, SIZE | START END\n  /A add the characters, /B /W /L unit, /F: radix"},
    {"fill", G::Memory, "fill memory with a value or random values",
     "fill [/B /W /L /V /R] START, SIZE | START END [VALUE]\n  /V verify, /R random values"},
    {"mm", G::Memory, "modify memory: write one value", "mm [/B /W /L] ADDRESS VALUE"},
    {"rtmem", G::Memory, "real-time memory window control", "rtmem [OPTIONS]"},
    {"rmonit", G::Memory, "real-time monitor control", "rmonit [/D /U /X /S /O /C] EXPR, ..."},
    {"l load", G::Program, "load a program", "load [/S] [/O:ENTRY] FILE\n  /S symbols only, /O: entry point"},
    {"files", G::Program, "list the source files", "files"},
    {"funcs", G::Program, "list functions", "funcs [/N | /V] [FILE]\n  /N names (default), /V prototypes"},
    {"a activ", G::Program, "activate functions: steps are counted and shown only in active functions",
     "activ FUNCTION, ... | *"},
    {"deact", G::Program, "deactivate functions", "deact FUNCTION, ... | *"},
    {"path", G::Program, "set the source search path; alone, print it", "path [\"DIR|DIR...\"]"},
    {"disa", G::Program, "switch the source view to disassembly and list 16 instructions",
     "disa [ADDRESS]\n  from ADDRESS (an expression or a label), else after the last listing, else the PC"},
    {"input", G::Scripts, "read commands from a file", "input FILE"},
    {"output", G::Scripts, "redirect output to a file", "output [/A] [FILE]\n  /A append"},
    {"record", G::Scripts, "log command lines to a file; alone, close the log", "record [FILE]"},
    {"write", G::Scripts, "write the events (/E), monitors (/M) or both to a command file", "write [/E] [/M] [/F] FILE"},
    {"mess", G::Scripts, "print a formatted message", "mess \"FORMAT\" [, EXPR, ...]"},
    {"sys", G::Scripts, "hand the rest of the line to the shell", "sys [COMMAND]"},
    {"* rem", G::Scripts, "comment: does nothing", "rem TEXT"},
    {"fopen", G::Scripts, "open a file on a numbered channel", "fopen /C:N [/A] FILE\n  /A append"},
    {"fclose", G::Scripts, "close a file channel", "fclose [/C:]N"},
    {"fread", G::Scripts, "read values from a file channel", "fread /C:N \"FORMAT\" [,] EXPR, ..."},
    {"fwrite", G::Scripts, "write formatted values to a file channel", "fwrite /C:N \"FORMAT\" [,] EXPR, ..."},
    {"rewind", G::Scripts, "go back to the start of a file channel", "rewind [/C:]N"},
    {"remove", G::Scripts, "delete a file", "remove FILE"},
    {"pause", G::Scripts, "wait the given number of milliseconds, or for a key press", "pause [MS]"},
    {"session", G::Windows, "save or load a session file", "session [/S | /L] FILE\n  /S save, /L load"},
    {"layout", G::Windows, "save or load a window layout file", "layout [/S | /L] FILE\n  /S save, /L load"},
    {"cmdwin", G::Windows, "hide (/H) or show (/S) the command window", "cmdwin /H | /S"},
    {"maximize", G::Windows, "maximize the main window", "maximize"},
    {"minimize", G::Windows, "minimize the main window", "minimize"},
    {"stack", G::Windows, "show the stack window", "stack"},
    {"wstack", G::Windows, "toggle tracking of the stack window", "wstack"},
    {"wregs", G::Windows, "toggle tracking of the register window", "wregs"},
    {"help ?", G::Debugger, "list the command words, or describe one", "help [WORD]"},
    {"internals", G::Debugger, "enable the internal words; internals off disables them", "internals [off]"},
    {"quit", G::Debugger, "stop a running target, then close the debugger", "quit"},
};

constexpr bool listsWord(std::string_view words, std::string_view word) {
  while (!words.empty()) {
    size_t blank = words.find(' ');
    if (words.substr(0, blank) == word) return true;
    if (blank == std::string_view::npos) break;
    words.remove_prefix(blank + 1);
  }
  return false;
}

constexpr const CmdHelp* helpFor(std::string_view word) {
  for (const CmdHelp& h : kCmdHelp) {
    if (listsWord(h.words, word)) return &h;
  }
  return nullptr;
}

#define ROW(word, flags, fn) \
  {word, static_cast<uint16_t>(std::string_view(word).size()), static_cast<uint16_t>(flags), fn, helpFor(word)}
}  // namespace

// Order matters: the first matching row wins. Abbreviations are rows of their own.
constexpr CmdRow cmdtab[] = {
    ROW("internals", 0, cmd_internals),
    ROW("a", ND, cmd_activ),
    ROW("activ", ND, cmd_activ),
    ROW("cmdwin", 0, cmd_cmdwin),
    ROW("deact", ND, cmd_deact),
    ROW("b", NU, cmd_break),
    ROW("break", NU, cmd_break),
    ROW("w", 0, cmd_watch),
    ROW("watch", 0, cmd_watch),
    ROW("del", 0, cmd_delete),
    ROW("delete", 0, cmd_delete),
    ROW("db", 0, cmd_dbreak),
    ROW("dbreak", 0, cmd_dbreak),
    ROW("dw", 0, cmd_dwatch),
    ROW("dwatch", 0, cmd_dwatch),
    ROW("disa", NU, cmd_disa),
    ROW("path", 0, cmd_path),
    ROW("g", 0, cmd_go),
    ROW("go", 0, cmd_go),
    ROW("start", IN, cmd_start),
    ROW("status", IN, cmd_status),
    ROW("stop", IN, cmd_stop),
    ROW("tgo", 0, cmd_tgo),
    ROW("tigo", 0, cmd_tgo),
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
    ROW("s", 0, cmd_step),
    ROW("step", 0, cmd_step),
    ROW("si", 0, cmd_istep),
    ROW("istep", 0, cmd_istep),
    ROW("mstep", 0, cmd_istep),
    ROW("so", 0, cmd_ostep),
    ROW("ostep", 0, cmd_ostep),
    ROW("stack", 0, cmd_stack),
    ROW("wstack", 0, cmd_wstack),
    ROW("frame", NU | ND | NF, cmd_frame),
    ROW("u", ND, cmd_update),
    ROW("updat", ND, cmd_update),
    ROW("update", ND, cmd_update),
    ROW("v", NU | ND, cmd_vars),
    ROW("vars", NU | ND, cmd_vars),
    ROW("write", 0, cmd_write),
    ROW("x", 0, cmd_eval),
    ROW("eval", 0, cmd_eval),
    ROW("zero", 0, cmd_zero),
    ROW("mess", 0, cmd_mess),
    ROW("sys", 0, cmd_sys),
    ROW("input", 0, cmd_input),
    ROW("output", 0, cmd_output),
    ROW("*", 0, cmd_rem),
    ROW("rem", 0, cmd_rem),
    ROW("dump", 0, cmd_dump),
    ROW("fill", 0, cmd_fill),
    ROW("finish", 0, cmd_finish),
    ROW("mm", 0, cmd_mm),
    ROW("fopen", 0, cmd_fopen),
    ROW("fclose", 0, cmd_fclose),
    ROW("fread", 0, cmd_fread),
    ROW("fwrite", 0, cmd_fwrite),
    ROW("rewind", 0, cmd_rewind),
    ROW("remove", 0, cmd_remove),
    ROW("pause", 0, cmd_pause),
    ROW("reset", 0, cmd_reset),
    ROW("session", 0, cmd_session),
    ROW("layout", 0, cmd_layout),
    ROW("help", NU, cmd_help),
    ROW("?", NU, cmd_help),
    {nullptr, 0, 0, nullptr, nullptr},
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

const char* cmdGroupTitle(CmdGroup g) {
  switch (g) {
    case CmdGroup::Running: return "Running the program";
    case CmdGroup::Events: return "Breakpoints and watchpoints";
    case CmdGroup::Data: return "Variables, expressions and the call stack";
    case CmdGroup::Memory: return "Memory";
    case CmdGroup::Program: return "The program and its sources";
    case CmdGroup::Scripts: return "Command files, logs and file channels";
    case CmdGroup::Windows: return "Windows, sessions and layouts";
    case CmdGroup::Debugger: return "The debugger";
  }
  return "";
}

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
