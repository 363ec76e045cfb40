#include "console/edit_line_reader.h"

#include <histedit.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "console/history_file.h"

namespace yav {

namespace {

EditLineReader* readerOf(EditLine* el) {
  void* data = nullptr;
  el_get(el, EL_CLIENTDATA, &data);
  return static_cast<EditLineReader*>(data);
}

extern "C" {
char* promptText(EditLine* el) { return const_cast<char*>(readerOf(el)->prompt()); }
unsigned char onInterrupt(EditLine* el, int) { return readerOf(el)->interruptKey(); }
unsigned char onEndOrDelete(EditLine* el, int) { return readerOf(el)->endOrDeleteKey(); }
unsigned char onComplete(EditLine* el, int) { return readerOf(el)->completeKey(); }
}

// Key bindings beyond libedit's Emacs map, for the keys people expect from gdb and lldb.
constexpr const char* kBindings[][2] = {
    {"^C", "yav-interrupt"},
    {"^D", "yav-end-or-delete"},
    {"^I", "yav-complete"},
    {"^R", "em-inc-search-prev"},
    {"^S", "em-inc-search-next"},
    {"^W", "ed-delete-prev-word"},
    {"^U", "vi-kill-line-prev"},
    {"\\eb", "ed-prev-word"},
    {"\\ef", "em-next-word"},
    {"\\e[H", "ed-move-to-beg"},
    {"\\eOH", "ed-move-to-beg"},
    {"\\e[1~", "ed-move-to-beg"},
    {"\\e[7~", "ed-move-to-beg"},
    {"\\e[F", "ed-move-to-end"},
    {"\\eOF", "ed-move-to-end"},
    {"\\e[4~", "ed-move-to-end"},
    {"\\e[8~", "ed-move-to-end"},
    {"\\e[3~", "ed-delete-next-char"},
    {"\\e[A", "ed-prev-history"},
    {"\\e[B", "ed-next-history"},
    {"\\eOA", "ed-prev-history"},
    {"\\eOB", "ed-next-history"},
    {"\\e[1;5D", "ed-prev-word"},
    {"\\e[1;5C", "em-next-word"},
};

}  // namespace

EditLineReader::EditLineReader(std::FILE* in, std::FILE* out, Completer completer, std::string historyFile)
    : out_(out), completer_(std::move(completer)), historyFile_(std::move(historyFile)), inFd_(fileno(in)) {
  el_ = el_init("yav", in, out, stderr);
  el_set(el_, EL_CLIENTDATA, this);
  el_set(el_, EL_EDITOR, "emacs");
  el_set(el_, EL_PROMPT, promptText);
  el_set(el_, EL_SIGNAL, 1);  // follows window size changes
  // Ctrl-C reaches the editor as a key while a line is typed; a running command still gets SIGINT.
  el_set(el_, EL_SETTY, "-d", "-isig", nullptr);
  el_set(el_, EL_ADDFN, "yav-interrupt", "drop the line being typed", onInterrupt);
  el_set(el_, EL_ADDFN, "yav-end-or-delete", "end the input on an empty line, else delete", onEndOrDelete);
  el_set(el_, EL_ADDFN, "yav-complete", "complete the word before the cursor", onComplete);
  for (const auto& b : kBindings) el_set(el_, EL_BIND, b[0], b[1], nullptr);

  hist_ = history_init();
  HistEvent ev;
  history(hist_, &ev, H_SETSIZE, static_cast<int>(kHistoryFileLines));
  history(hist_, &ev, H_SETUNIQUE, 1);
  if (!historyFile_.empty()) {
    for (const std::string& line : loadHistory(historyFile_)) history(hist_, &ev, H_ENTER, line.c_str());
  }
  el_set(el_, EL_HIST, history, hist_);
}

EditLineReader::~EditLineReader() {
  if (!historyFile_.empty() && !newLines_.empty()) appendHistory(historyFile_, newLines_);
  el_end(el_);
  history_end(hist_);
}

LineRead EditLineReader::read(std::string_view prompt) {
  // A question asked by a running command is read in the terminal's own mode, as lines are.
  const bool inCommand = commandMode_.has_value();
  if (inCommand) {
    tcsetattr(inFd_, TCSANOW, &*commandMode_);
    commandMode_.reset();
  }
  LineRead got = readLine(prompt);
  if (inCommand) commandStarts();
  return got;
}

LineRead EditLineReader::readLine(std::string_view prompt) {
  prompt_ = prompt;
  interrupted_ = ended_ = false;
  int count = 0;
  errno = 0;
  const char* got = el_gets(el_, &count);
  if (interrupted_) {
    // The dropped line stays on the screen, marked at its end as shells do.
    if (interruptedBeforeEnd_ > 0) std::fprintf(out_, "\033[%dC", interruptedBeforeEnd_);
    std::fputs("^C\n", out_);
    std::fflush(out_);
    return {LineStatus::Interrupted, {}};
  }
  if (!got && count < 0 && errno == EINTR) {  // a signal (SIGINT from elsewhere) broke the read
    std::fputs("\n", out_);
    std::fflush(out_);
    return {LineStatus::Interrupted, {}};
  }
  if (!got || count <= 0 || ended_) {
    return {LineStatus::EndOfInput, {}};
  }
  std::string line(got, static_cast<size_t>(count));
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return {LineStatus::Line, line};
}

void EditLineReader::remember(const std::string& typed) {
  std::string line = typed;
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();  // left by completion
  if (line.empty()) return;
  HistEvent ev;
  history(hist_, &ev, H_ENTER, line.c_str());
  newLines_.push_back(line);
}

void EditLineReader::commandStarts() {
  termios saved{};
  if (tcgetattr(inFd_, &saved) != 0) return;
  termios keys = saved;
  keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);  // Ctrl-C still raises SIGINT
  keys.c_cc[VMIN] = 0;
  keys.c_cc[VTIME] = 0;
  if (tcsetattr(inFd_, TCSANOW, &keys) == 0) commandMode_ = saved;
}

void EditLineReader::commandEnded() {
  escapeTyped();  // collects what is still waiting
  if (commandMode_) tcsetattr(inFd_, TCSANOW, &*commandMode_);
  commandMode_.reset();
  if (!typedAhead_.empty()) el_push(el_, typedAhead_.c_str());
  typedAhead_.clear();
}

bool EditLineReader::escapeTyped() {
  if (!commandMode_) return false;
  char buf[256];
  std::string got;
  for (ssize_t n; (n = ::read(inFd_, buf, sizeof buf)) > 0;) got.append(buf, static_cast<size_t>(n));
  bool escape = false;
  for (size_t i = 0; i < got.size(); ++i) {
    if (got[i] != '\033') continue;
    const bool sequence = i + 1 < got.size() && (got[i + 1] == '[' || got[i + 1] == 'O');  // a cursor key
    if (!sequence) {
      escape = true;
      got.erase(i--, 1);
    }
  }
  got.erase(std::remove(got.begin(), got.end(), '\0'), got.end());  // el_push takes a C string
  typedAhead_ += got;
  return escape;
}

bool EditLineReader::keyPressed() {
  char c;
  return commandMode_ && ::read(inFd_, &c, 1) == 1;
}

unsigned char EditLineReader::interruptKey() {
  const LineInfo* li = el_line(el_);
  interruptedBeforeEnd_ = static_cast<int>(li->lastchar - li->cursor);
  interrupted_ = true;
  return CC_NEWLINE;
}

unsigned char EditLineReader::endOrDeleteKey() {
  const LineInfo* li = el_line(el_);
  if (li->buffer == li->lastchar) {
    ended_ = true;
    return CC_EOF;
  }
  if (li->cursor == li->lastchar) return CC_ERROR;
  el_cursor(el_, 1);
  el_deletestr(el_, 1);
  return CC_REFRESH;
}

unsigned char EditLineReader::completeKey() {
  const LineInfo* li = el_line(el_);
  const std::string before(li->buffer, static_cast<size_t>(li->cursor - li->buffer));
  const Completion c = completer_(before);
  if (c.candidates.empty() || c.start > before.size()) return CC_ERROR;
  const std::string typed = before.substr(c.start);
  std::string insert;
  if (c.candidates.size() == 1) {
    insert = c.candidates.front();
    const char last = insert.empty() ? ' ' : insert.back();
    if (last != '/' && last != ':') insert += ' ';
  } else {
    insert = commonPrefix(c.candidates);
  }
  if (insert.size() > typed.size() && insert.starts_with(typed)) {
    el_insertstr(el_, insert.c_str() + typed.size());
    return CC_REFRESH;
  }
  if (insert.size() > typed.size()) {  // the case differs (command words): replace the word
    el_deletestr(el_, static_cast<int>(typed.size()));
    el_insertstr(el_, insert.c_str());
    return CC_REFRESH;
  }
  listCandidates(c.candidates);
  return CC_REDISPLAY;
}

// The candidates in columns under the line, as shells do; the line is drawn again below them.
void EditLineReader::listCandidates(const std::vector<std::string>& candidates) {
  size_t width = 0;
  for (const std::string& s : candidates) width = std::max(width, s.size());
  width += 2;
  int columns = 80;
  el_get(el_, EL_GETTC, "co", &columns);
  const size_t perLine = std::max<size_t>(1, static_cast<size_t>(columns) / width);
  std::string text = "\n";
  for (size_t i = 0; i < candidates.size(); ++i) {
    text += candidates[i];
    const bool lineEnd = (i + 1) % perLine == 0 || i + 1 == candidates.size();
    if (lineEnd) text += '\n';
    else text.append(width - candidates[i].size(), ' ');
  }
  std::fputs(text.c_str(), out_);
  std::fflush(out_);
}

}  // namespace yav
