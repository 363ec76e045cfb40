#include "platform/ini.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace yav::platform {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

// One line of the file, classified.
struct Line {
  enum Kind { Other, Section, Entry } kind = Other;
  std::string_view name;   // section or key name
  std::string_view value;  // entry value
};

Line classify(std::string_view raw) {
  Line l;
  std::string_view s = trim(raw);
  if (s.empty() || s.front() == ';') return l;
  if (s.front() == '[') {
    s.remove_prefix(1);
    size_t close = s.find(']');
    l.kind = Line::Section;
    l.name = trim(close == std::string_view::npos ? s : s.substr(0, close));
    return l;
  }
  size_t eq = s.find('=');
  if (eq == std::string_view::npos) return l;
  l.kind = Line::Entry;
  l.name = trim(s.substr(0, eq));
  l.value = trim(s.substr(eq + 1));
  return l;
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    if (nl == std::string_view::npos) nl = text.size();
    lines.push_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  return lines;
}

// Names and values are kept on one line: line breaks become blanks.
std::string oneLine(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c == '\n' || c == '\r') c = ' ';
  return r;
}

std::string envOr(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

}  // namespace

std::string iniPath() {
  std::string explicitPath = envOr("YAV_INI");
  if (!explicitPath.empty()) return explicitPath;
  std::string base = envOr("XDG_CONFIG_HOME");
  if (base.empty()) {
    std::string home = envOr("HOME");
    base = (home.empty() ? std::string(".") : home) + "/.config";
  }
  return base + "/yav/YAVKT55R.INI";
}

std::optional<std::string> profileLookup(std::string_view text, std::string_view section,
                                         std::string_view key) {
  bool inSection = false;
  for (std::string_view raw : splitLines(text)) {
    Line l = classify(raw);
    if (l.kind == Line::Section) inSection = sameName(l.name, section);
    else if (l.kind == Line::Entry && inSection && sameName(l.name, key)) return std::string(l.value);
  }
  return std::nullopt;
}

namespace {

// Section names cannot hold ']', so "section]key" names one entry.
std::string indexKey(std::string_view section, std::string_view key) {
  std::string s;
  s.reserve(section.size() + key.size() + 1);
  for (char c : section) s += lower(c);
  s += ']';
  for (char c : key) s += lower(c);
  return s;
}

}  // namespace

ProfileIndex::ProfileIndex(std::string_view text) {
  std::string_view section;
  bool inSection = false;
  for (std::string_view raw : splitLines(text)) {
    Line l = classify(raw);
    if (l.kind == Line::Section) {
      section = l.name;
      inSection = true;
    } else if (l.kind == Line::Entry && inSection) {
      values_.emplace(indexKey(section, l.name), std::string(l.value));  // the first one counts
    }
  }
}

std::optional<std::string> ProfileIndex::lookup(std::string_view section, std::string_view key) const {
  if (section.find(']') != std::string_view::npos) return std::nullopt;  // no file section has one
  const auto it = values_.find(indexKey(section, key));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::string profileUpdate(std::string_view text, std::string_view section, std::string_view key,
                          std::string_view value) {
  const std::string sec = oneLine(trim(section));
  const std::string k = oneLine(trim(key));
  const std::string v = oneLine(value);
  std::vector<std::string_view> lines = splitLines(text);
  std::vector<std::string> out;
  out.reserve(lines.size() + 3);
  bool inSection = false, written = false;
  size_t lastOfSection = 0;  // index in `out` after the last non-blank line of the section
  for (std::string_view raw : lines) {
    Line l = classify(raw);
    if (l.kind == Line::Section) {
      if (inSection && !written) {
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(lastOfSection), k + "=" + v);
        written = true;
      }
      inSection = !written && sameName(l.name, sec);
      out.emplace_back(raw);
      lastOfSection = out.size();
      continue;
    }
    if (inSection && !written && l.kind == Line::Entry && sameName(l.name, k)) {
      out.push_back(std::string(l.name) + "=" + v);
      written = true;
      inSection = false;
      continue;
    }
    out.emplace_back(raw);
    if (inSection && !trim(raw).empty()) lastOfSection = out.size();
  }
  if (inSection && !written) {
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(lastOfSection), k + "=" + v);
    written = true;
  }
  std::string result;
  for (const std::string& line : out) {
    result += line;
    result += '\n';
  }
  if (!written) {
    if (!result.empty() && !trim(out.back()).empty()) result += '\n';
    result += "[" + sec + "]\n" + k + "=" + v + "\n";
  }
  return result;
}

}  // namespace yav::platform
