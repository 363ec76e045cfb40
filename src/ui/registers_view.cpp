#include "ui/registers_view.h"

#include "model/format.h"

namespace yav {

std::string registersText(const RegisterFile& r) {
  const std::string flags = flagsString(r.cc);
  return fmtstr(kRegistersFormat, r.a, FmtArg::bytes(flags.data(), 3), 3, FmtArg::bytes(flags.data() + 3, 3), 3,
                r.hx, r.sp, r.pc, pagedPc(r), r.ppage);
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

void RegistersModel::show(const RegisterFile& now) {
  if (hasShown_ && now == shown_) return;
  std::vector<std::string> fresh = splitLines(registersText(now));
  changed_.assign(fresh.size(), false);
  if (hasShown_) {
    for (size_t i = 0; i < fresh.size(); ++i) changed_[i] = i >= lines_.size() || fresh[i] != lines_[i];
  }
  lines_ = std::move(fresh);
  shown_ = now;
  hasShown_ = true;
}

std::string RegistersModel::saveText() const {
  std::string text;
  for (size_t i = 0; i < lines_.size(); ++i) text += (i ? "\n" : "") + lines_[i];
  if (text.size() > kRegistersTextLimit) text.resize(kRegistersTextLimit);
  return text;
}

const char* RegistersModel::registerOfLine(size_t line) {
  return line < 6 ? registerWindowName(static_cast<int>(line)) : nullptr;
}

std::string RegistersModel::valueText(size_t line) const {
  const char* name = registerOfLine(line);
  if (!name) return {};
  const std::optional<uint32_t> v = readRegister(shown_, registerByName(name));
  return v ? fmtstr("0x%hl", *v) : std::string();
}

}  // namespace yav
