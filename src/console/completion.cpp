#include "console/completion.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "engine/cmdtab.h"
#include "model/eval_name.h"
#include "model/registers.h"

namespace yav {

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 0x20 || c == 0x7F; }

bool startsWith(std::string_view s, std::string_view prefix, bool anyCase) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char a = s[i], b = prefix[i];
    if (anyCase) {
      a = static_cast<char>(std::tolower(static_cast<unsigned char>(a)));
      b = static_cast<char>(std::tolower(static_cast<unsigned char>(b)));
    }
    if (a != b) return false;
  }
  return true;
}

void addIf(std::vector<std::string>& out, std::string_view name, std::string_view prefix, bool anyCase = false) {
  if (!name.empty() && startsWith(name, prefix, anyCase)) out.emplace_back(name);
}

void commandWords(const Kernel& k, std::string_view prefix, std::vector<std::string>& out) {
  for (const CmdRow* r = cmdtab; r->name; ++r) {
    if ((r->flags & CMD_INTERNAL) && !k.disp.internals) continue;
    addIf(out, r->name, prefix, true);
  }
}

// Words whose argument is a file name on this machine.
bool takesFileName(const CmdRow* row) {
  if (!row || !row->help) return false;
  std::string_view words = row->help->words;
  while (!words.empty()) {
    const size_t blank = words.find(' ');
    const std::string_view w = words.substr(0, blank);
    if (w == "load" || w == "input" || w == "record" || w == "output") return true;
    if (blank == std::string_view::npos) break;
    words.remove_prefix(blank + 1);
  }
  return false;
}

void fileNames(std::string_view prefix, std::vector<std::string>& out) {
  namespace fs = std::filesystem;
  const size_t slash = prefix.rfind('/');
  const std::string dir = slash == std::string_view::npos ? "" : std::string(prefix.substr(0, slash + 1));
  const std::string_view leaf = slash == std::string_view::npos ? prefix : prefix.substr(slash + 1);
  std::error_code ec;
  for (fs::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (!startsWith(name, leaf, false) || (name[0] == '.' && (leaf.empty() || leaf[0] != '.'))) continue;
    std::error_code dirEc;
    if (it->is_directory(dirEc)) name += '/';
    out.push_back(dir + name);
  }
}

// Functions (unqualified only) and outer-scope variables of one file, or of all files.
void programNames(const Kernel& k, const FileEntry* only, std::string_view qualifier, std::string_view prefix,
                  std::vector<std::string>& out) {
  for (const auto& file : k.prog.program->tables.files) {
    if (only && file.get() != only) continue;
    for (const auto& fn : file->functions) {
      if (!fn->isOuterScope()) {
        if (qualifier.empty()) addIf(out, fn->name, prefix);
        continue;
      }
      for (const SymbolEntry& v : fn->locals) {
        if (!v.name.empty() && startsWith(v.name, prefix, false)) out.push_back(std::string(qualifier) + v.name);
      }
    }
  }
}

void symbolWords(const Kernel& k, std::string_view word, std::vector<std::string>& out) {
  if (word.starts_with('$')) {
    for (const RegisterName& r : registerNames()) addIf(out, std::string("$") + r.name, word);
    return;
  }
  const auto& files = k.prog.program->tables.files;
  const size_t colon = word.find(':');
  if (colon != std::string_view::npos) {  // file.c:name
    const std::string_view fileName = word.substr(0, colon);
    for (const auto& f : files) {
      if (f->name == fileName) programNames(k, f.get(), word.substr(0, colon + 1), word.substr(colon + 1), out);
    }
    return;
  }
  programNames(k, nullptr, "", word, out);
  for (const auto& f : files) {
    if (!(f->flags & fileflag::Duplicate)) addIf(out, f->name + ":", word);
  }
}

}  // namespace

Completion complete(const Kernel& k, std::string_view line) {
  Completion c;
  size_t cmdStart = line.rfind(';');
  cmdStart = cmdStart == std::string_view::npos ? 0 : cmdStart + 1;
  while (cmdStart < line.size() && isBlank(line[cmdStart])) ++cmdStart;
  size_t wordEnd = cmdStart;
  while (wordEnd < line.size() && !isBlank(line[wordEnd])) ++wordEnd;
  if (wordEnd == line.size()) {  // still typing the command word
    c.start = cmdStart;
    commandWords(k, line.substr(cmdStart), c.candidates);
  } else {
    const std::string word(line.substr(cmdStart, wordEnd - cmdStart));
    const CmdRow* row = findCommand(k, word.c_str());
    size_t start = line.size();
    if (takesFileName(row)) {
      while (start > wordEnd && !isBlank(line[start - 1])) --start;
      c.start = start;
      fileNames(line.substr(start), c.candidates);
    } else {
      while (start > wordEnd && (isNameChar(line[start - 1]) || line[start - 1] == '.' || line[start - 1] == ':')) --start;
      c.start = start;
      const std::string_view arg = line.substr(start);
      const bool number = !arg.empty() && std::isdigit(static_cast<unsigned char>(arg[0]));
      if (row && row->func == cmd_help) commandWords(k, arg, c.candidates);
      else if (!number) symbolWords(k, arg, c.candidates);  // numbers and line numbers have none
    }
  }
  std::sort(c.candidates.begin(), c.candidates.end());
  c.candidates.erase(std::unique(c.candidates.begin(), c.candidates.end()), c.candidates.end());
  return c;
}

std::string commonPrefix(const std::vector<std::string>& candidates) {
  if (candidates.empty()) return {};
  std::string prefix = candidates.front();
  for (const std::string& s : candidates) {
    size_t n = 0;
    while (n < prefix.size() && n < s.size() && prefix[n] == s[n]) ++n;
    prefix.resize(n);
  }
  return prefix;
}

}  // namespace yav
