#include "ui/memory_dumps.h"

#include <algorithm>
#include <cstdio>

#include "engine/errors.h"
#include "model/format.h"
#include "ui/memory_code_rows.h"
#include "ui/memory_data_rows.h"

namespace yav {

std::string codeDumpText(const CodeReader& code, const LabelList* labels, uint32_t from, uint32_t to) {
  std::string out;
  for (uint64_t a = from; a <= to;) {
    const CodeRow row = readCodeRow(code, labels, static_cast<uint32_t>(a));
    out += fmtstr("%+0nhl  ", 5, row.address & 0x1FFFF) + row.bytesText + row.mnemonic + row.operand + '\n';
    a += static_cast<uint64_t>(row.length);
  }
  return out;
}

std::optional<std::string> dataDumpText(TargetMemory& memory, uint32_t from, uint32_t to, const DataLayout& layout) {
  if (to < from) return std::nullopt;
  const int size = validItemSize(layout.size);
  const int perRow = std::max(layout.bytesPerRow / size, 1);
  const auto rowBytes = static_cast<uint32_t>(perRow * size);
  DataLayout l = layout;
  l.size = size;
  const uint64_t rows = (static_cast<uint64_t>(to) - from) / rowBytes + 1;
  std::string out;
  // One model paints the whole range in pieces of at most one read-ahead block.
  const int rowsPerBlock = std::max(static_cast<int>(ReadAheadMemory::kMaxBlock / rowBytes), 1);
  for (uint64_t r = 0; r < rows; r += static_cast<uint64_t>(rowsPerBlock)) {
    DataRowsModel model(from + static_cast<uint32_t>(r * rowBytes), l);
    const int n = static_cast<int>(std::min<uint64_t>(rowsPerBlock, rows - r));
    const DataPaint paint = model.paint(&memory, false, n);
    for (const DataRow& row : paint.rows) {
      if (!row.readable) return std::nullopt;
      out += row.text() + '\n';
    }
  }
  return out;
}

bool SRecordCache::byte(uint32_t address, uint8_t& out) {
  if (bytes_.empty() || address < start_ || address - start_ >= bytes_.size()) {
    const uint32_t length = std::min<uint32_t>(kMaxBytes, last_ - address + 1);
    bytes_.assign(length, 0);
    ++refills_;
    if (!memory_.read(0, address, bytes_)) {
      bytes_.clear();
      return false;
    }
    start_ = address;
  }
  out = bytes_[address - start_];
  return true;
}

namespace {

constexpr uint32_t kBytesPerRecord = 32;

std::string hexByte(uint32_t b) { return fmtstr("%+02hc", b & 0xFF); }

std::string upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

}  // namespace

std::optional<std::string> srecordText(TargetMemory& memory, uint32_t from, uint32_t to) {
  from %= 0x20000;
  to %= 0x20000;
  if (to < from) return std::nullopt;
  const bool s1 = from < 0x10000 && to < 0x10000;
  const int addressBytes = s1 ? 2 : 3;
  SRecordCache cache(memory, to);
  std::string out;
  for (uint32_t a = from; a <= to; a += kBytesPerRecord) {
    const uint32_t n = std::min(kBytesPerRecord, to - a + 1);
    const uint32_t count = n + static_cast<uint32_t>(addressBytes) + 1;
    uint32_t sum = count;
    std::string record = (s1 ? "S1" : "S2") + hexByte(count);
    for (int i = addressBytes - 1; i >= 0; --i) {
      const uint32_t b = (a >> (8 * i)) & 0xFF;
      sum += b;
      record += hexByte(b);
    }
    for (uint32_t i = 0; i < n; ++i) {
      uint8_t b = 0;
      if (!cache.byte(a + i, b)) return std::nullopt;
      sum += b;
      record += hexByte(b);
    }
    record += hexByte(~sum & 0xFF);
    out += upper(record) + '\n';
  }
  out += s1 ? "S903FFFFFE\n" : "S804FFFFFFFE\n";
  return out;
}

bool writeDumpFile(Kernel& k, const std::string& path, const std::string& text) {
  std::FILE* f = std::fopen(path.c_str(), "w");
  bool ok = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (f && std::fclose(f) != 0) ok = false;
  if (!ok) errmsg(k, {"Can't write ", path, "\n"});
  return ok;
}

}  // namespace yav
