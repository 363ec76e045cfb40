// `help` and `help WORD`: what the command table says about its words, grouped by what they do.
#include <set>
#include <string>
#include <string_view>

#include "engine/cmdtab.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/output.h"
#include "model/messages.h"

namespace yav {

namespace {

constexpr size_t kWordsColumn = 20;

bool visible(const Kernel& k, const CmdRow& r) { return !(r.flags & CMD_INTERNAL) || k.disp.internals; }

// "b, break": the visible words of the rows that share one description, in table order.
std::string wordsOf(const Kernel& k, const CmdRow& row) {
  std::string words;
  for (const CmdRow* r = cmdtab; r->name; ++r) {
    if (!visible(k, *r) || (r != &row && (!row.help || r->help != row.help))) continue;
    if (!words.empty()) words += ", ";
    words += r->name;
  }
  return words;
}

void listLine(Kernel& k, const std::string& words, const char* summary) {
  std::string line = "  " + words;
  if (line.size() + 2 > kWordsColumn) line += "\n" + std::string(kWordsColumn, ' ');
  else line.append(kWordsColumn - line.size(), ' ');
  line += summary;
  line += '\n';
  outs(k, {line});
}

void listAll(Kernel& k) {
  outs(k, {"Command words by what they do; \"help WORD\" gives a word's options and arguments.\n"});
  constexpr CmdGroup groups[] = {CmdGroup::Running, CmdGroup::Events,  CmdGroup::Data,    CmdGroup::Memory,
                                 CmdGroup::Program, CmdGroup::Scripts, CmdGroup::Windows, CmdGroup::Debugger};
  std::set<const CmdHelp*> shown;
  for (CmdGroup g : groups) {
    bool titled = false;
    for (const CmdRow* r = cmdtab; r->name; ++r) {
      if (!r->help || r->help->group != g || !visible(k, *r) || !shown.insert(r->help).second) continue;
      if (!titled) outs(k, {"\n", cmdGroupTitle(g), "\n"});
      titled = true;
      listLine(k, wordsOf(k, *r), r->help->summary);
    }
  }
  bool titled = false;
  for (const CmdRow* r = cmdtab; r->name; ++r) {
    if (r->help || !visible(k, *r)) continue;
    if (!titled) outs(k, {"\nNot described yet\n"});
    titled = true;
    listLine(k, r->name, "");
  }
}

void describe(Kernel& k, const CmdRow& row) {
  outs(k, {wordsOf(k, row), ": ", row.help ? row.help->summary : "no description yet", "\n"});
  if (row.help) outs(k, {"usage: ", row.help->usage, "\n"});
  if (row.flags & CMD_NEEDDEBUG) outs(k, {"needs a program loaded with its C source information\n"});
  if (row.flags & CMD_INTERNAL) outs(k, {"an internal word: known only after \"internals\"\n"});
}

}  // namespace

const char* cmd_help(Kernel& k, const char* rest, int) {
  std::string_view arg(rest);
  const size_t end = arg.find_first_of(" \t;");
  const std::string word(arg.substr(0, end));
  if (word.empty()) {
    listAll(k);
  } else if (const CmdRow* row = findCommand(k, word.c_str())) {
    describe(k, *row);
  } else {
    errmsg(k, {errtext(msg::UnknownCommand), ": ", word, "\n"});
    return kEmptyRest;
  }
  const size_t next = arg.find(';');
  return next == std::string_view::npos ? kEmptyRest : rest + next;
}

}  // namespace yav
