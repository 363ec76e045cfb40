#include "engine/window_layout_text.h"

#include <charconv>
#include <cstdio>

#include "platform/ini.h"

namespace yav {

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> fields(std::string_view text) {
  std::vector<std::string_view> out;
  for (;;) {
    const size_t comma = text.find(',');
    out.push_back(trimmed(text.substr(0, comma)));
    if (comma == std::string_view::npos) return out;
    text.remove_prefix(comma + 1);
  }
}

// The whole field must be the number: from_chars alone would accept "12abc".
bool readDecimal(std::string_view s, int32_t& out) {
  if (s.empty()) return false;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size();
}

bool readHex(std::string_view s, uint32_t& out) {
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.remove_prefix(2);
  if (s.empty() || s.size() > 8) return false;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out, 16);
  return ec == std::errc() && end == s.data() + s.size();
}

// The rectangle in fields[from..from+3], which must be the last four.
std::optional<WindowRect> rectFromFields(const std::vector<std::string_view>& f, size_t from) {
  if (f.size() != from + 4) return std::nullopt;
  WindowRect r;
  if (!readDecimal(f[from], r.left) || !readDecimal(f[from + 1], r.top) || !readDecimal(f[from + 2], r.right) ||
      !readDecimal(f[from + 3], r.bottom)) {
    return std::nullopt;
  }
  return r;
}

std::string hexText(uint32_t v) {
  char b[16];
  std::snprintf(b, sizeof b, "%x", v);
  return b;
}

bool startsYes(std::string_view s) { return !s.empty() && (s.front() == 'y' || s.front() == 'Y'); }

constexpr const char* kWindows = "Windows";
constexpr const char* kFrameKey = "Yav";
constexpr const char* kSourceKey = "Source";

}  // namespace

std::string rectText(const WindowRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

std::optional<WindowRect> parseRect(std::string_view text) { return rectFromFields(fields(text), 0); }

std::string placementText(const WindowPlacement& p) {
  if (p.state != WindowPlacement::State::Open) return "NO";
  return p.rect ? "YES," + rectText(*p.rect) : "YES";
}

WindowPlacement parsePlacement(const std::optional<std::string>& value, bool& sound) {
  sound = true;
  WindowPlacement p;
  if (!value) return p;
  if (!startsYes(*value)) {
    p.state = WindowPlacement::State::Closed;
    return p;
  }
  p.state = WindowPlacement::State::Open;
  const size_t comma = value->find(',');
  if (comma == std::string::npos) return p;
  p.rect = parseRect(std::string_view(*value).substr(comma + 1));
  sound = p.rect.has_value();
  return p;
}

std::string memoryRecordText(const MemoryWindowRecord& m) {
  std::string s = m.code ? "C," : "D,";
  s += hexText(m.address);
  if (!m.code) {
    for (int32_t v : m.settings) s += "," + std::to_string(v);
  }
  return s + "," + rectText(m.rect);
}

std::optional<MemoryWindowRecord> parseMemoryRecord(std::string_view text) {
  const std::vector<std::string_view> f = fields(text);
  if (f.size() < 2 || f[0].size() != 1) return std::nullopt;
  MemoryWindowRecord m;
  const char kind = f[0][0];
  if (kind == 'C' || kind == 'c') m.code = true;
  else if (kind != 'D' && kind != 'd') return std::nullopt;
  if (!readHex(f[1], m.address)) return std::nullopt;
  size_t next = 2;
  if (!m.code) {
    if (f.size() < 6) return std::nullopt;
    for (int32_t& v : m.settings) {
      if (!readDecimal(f[next++], v)) return std::nullopt;
    }
  }
  const std::optional<WindowRect> r = rectFromFields(f, next);
  if (!r) return std::nullopt;
  m.rect = *r;
  return m;
}

std::string_view tileText(uint16_t arrangement) {
  switch (arrangement) {
    case kArrangeHorizontal: return "HORIZONTAL";
    case kArrangeVertical: return "VERTICAL";
    case kArrangeFree: return "FREE";
    default: return "CASCADE";
  }
}

uint16_t arrangementFromTile(std::string_view value) {
  switch (value.empty() ? '\0' : value.front()) {
    case 'h': case 'H': return kArrangeHorizontal;
    case 'v': case 'V': return kArrangeVertical;
    case 'f': case 'F': return kArrangeFree;
    default: return kArrangeCascade;
  }
}

std::string writeWindowLayout(std::string text, const WindowLayout& layout, bool withMemory) {
  using platform::profileUpdate;
  if (layout.arrangement) text = profileUpdate(text, "Options", "Tile", tileText(*layout.arrangement));
  text = profileUpdate(text, kWindows, kFrameKey, placementText(layout.frame));
  text = profileUpdate(text, kWindows, kSourceKey, placementText(layout.source));
  for (size_t i = 0; i < kStandardWindowCount; ++i) {
    text = profileUpdate(text, kWindows, kStandardWindowKeys[i], placementText(layout.windows[i]));
  }
  if (withMemory) {
    for (size_t i = 0; i < layout.memory.size(); ++i) {
      text = profileUpdate(text, "Data", std::to_string(i + 1), memoryRecordText(layout.memory[i]));
    }
  }
  return text;
}

WindowLayout readWindowLayout(std::string_view text, bool withMemory, std::vector<std::string>& problems) {
  const platform::ProfileIndex file(text);
  WindowLayout layout;
  if (const std::optional<std::string> tile = file.lookup("Options", "Tile")) {
    layout.arrangement = arrangementFromTile(*tile);
  }
  auto place = [&](std::string_view key) {
    const std::optional<std::string> value = file.lookup(kWindows, key);
    bool sound = true;
    WindowPlacement p = parsePlacement(value, sound);
    if (!sound) problems.push_back("Windows " + std::string(key) + ": no rectangle in " + *value);
    return p;
  };
  layout.frame = place(kFrameKey);
  layout.source = place(kSourceKey);
  for (size_t i = 0; i < kStandardWindowCount; ++i) layout.windows[i] = place(kStandardWindowKeys[i]);
  if (!withMemory) return layout;
  for (int key = 1;; ++key) {
    const std::optional<std::string> value = file.lookup("Data", std::to_string(key));
    if (!value) break;
    if (std::optional<MemoryWindowRecord> m = parseMemoryRecord(*value)) layout.memory.push_back(*m);
    else problems.push_back("Data " + std::to_string(key) + ": not a memory window: " + *value);
  }
  return layout;
}

}  // namespace yav
