#include "ui/memory_data_rows.h"

#include <algorithm>

namespace yav {

std::string DataRow::text() const {
  std::string s = addressText + ' ';
  for (const DataItem& i : items) s += i.text + ' ';
  return s + characters;
}

void DataRowsModel::setStart(uint32_t start) {
  start_ = start;
  fresh_ = true;
}

void DataRowsModel::setLayout(const DataLayout& layout) {
  layout_ = layout;
  fresh_ = true;
}

size_t readAheadBytes(int rows, int bytesPerRow) {
  return std::min(static_cast<size_t>(std::max(rows, 0)) * static_cast<size_t>(std::max(bytesPerRow, 1)),
                  ReadAheadMemory::kMaxBlock);
}

DataPaint DataRowsModel::paint(TargetMemory* memory, bool running, int rowCount) {
  DataPaint out;
  if (running) {
    out.message = kCantReadWhileRunning;
    return out;
  }
  const int size = validItemSize(layout_.size);
  const int perRow = std::max(layout_.bytesPerRow / size, 1);
  const auto rowBytes = static_cast<uint32_t>(perRow * size);
  readAhead_.setTarget(memory);
  readAhead_.fill(0, start_, readAheadBytes(rowCount, static_cast<int>(rowBytes)));

  std::vector<std::optional<uint32_t>> items;
  std::vector<uint8_t> bytes(rowBytes);
  for (int r = 0; r < rowCount; ++r) {
    DataRow row;
    row.address = start_ + static_cast<uint32_t>(r) * rowBytes;
    row.addressText = rowAddressText(row.address);
    const bool readable = memory && readAhead_.read(0, row.address, bytes);
    row.readable = readable;
    for (int i = 0; i < perRow; ++i) {
      const std::span<const uint8_t> itemBytes(bytes.data() + i * size, static_cast<size_t>(size));
      std::optional<uint32_t> value;
      if (readable) value = itemValue(itemBytes);
      const size_t at = items.size();
      DataItem item;
      item.text = value ? itemText(*value, size, layout_.base) : unreadableItemText(size, layout_.base);
      item.changed = !fresh_ && value && at < shown_.size() && shown_[at] && *shown_[at] != *value;
      row.items.push_back(std::move(item));
      items.push_back(value);
    }
    if (layout_.characters) row.characters = readable ? characterColumn(bytes) : std::string(rowBytes, ' ');
    out.rows.push_back(std::move(row));
  }
  shown_ = std::move(items);
  fresh_ = false;
  return out;
}

DataPaint DataRowsModel::paint(Kernel& k, int rowCount) { return paint(targetMemory(k), k.exec.running, rowCount); }

}  // namespace yav
