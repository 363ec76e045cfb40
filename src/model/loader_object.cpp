#include <algorithm>
#include <cstring>

#include "model/format.h"
#include "model/loader.h"

namespace yav {

namespace {

constexpr uint32_t kHeaderSize = 28;
constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint32_t kChunk = 512;
constexpr uint32_t kRelocationEntrySize = 24;

uint32_t be32at(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}

struct SectionTotals {
  uint32_t text = 0, zpage = 0, data = 0, bss = 0;
  bool haveText = false, haveZpage = false, haveData = false, haveBss = false;
  uint32_t textAddr = 0, dataAddr = 0, zpageAddr = 0;
};

void addTotals(Program& prog, SectionTotals& t, const std::string& name, uint32_t addr, uint32_t size) {
  auto first = [&](bool& have, const char* var, uint32_t& total, uint32_t* where) {
    if (!have) {
      prog.labels.createVariable(var, addr);
      if (where) *where = addr;
    }
    have = true;
    total += size;
  };
  if (name == ".text") first(t.haveText, ".text", t.text, &t.textAddr);
  else if (name == ".bsct") first(t.haveZpage, ".zpage", t.zpage, &t.zpageAddr);
  else if (name == ".data") first(t.haveData, ".data", t.data, &t.dataAddr);
  else if (name == ".bss") first(t.haveBss, ".bss", t.bss, nullptr);
}

// Downloads one section's contents in chunks; false when the target refused a chunk.
bool downloadSection(ByteSource& src, const SegmentRecord& seg, LoadHost& host, bool& readFailed) {
  host.progress(seg.name, seg.logical, seg.size);
  host.gaugeStart((seg.size + kChunk - 1) / kChunk);
  uint8_t buf[kChunk];
  for (uint32_t done = 0; done < seg.size; done += kChunk) {
    const uint32_t n = std::min(kChunk, seg.size - done);
    if (!src.read(static_cast<uint64_t>(seg.fileOffset) + done, buf, n)) {
      readFailed = true;
      host.gaugeStart(0);
      return false;
    }
    if (!host.download(seg.logical + done, buf, n, seg.physical + done, seg.flags)) {
      host.gaugeStart(0);
      return false;
    }
    host.gaugeAdd(1);
    if (host.cancelled()) break;
  }
  host.gaugeStart(0);
  return true;
}

struct Relocation {
  uint8_t section;
  uint32_t runtime, load;
};

}  // namespace

LoadOutcome loadObject(Program& prog, std::shared_ptr<ByteSource> srcPtr, const LoadRequest& req, LoadHost& host) {
  ByteSource& src = *srcPtr;
  prog.file = srcPtr;
  prog.loadState = loadstate::Object;
  uint8_t header[kHeaderSize];
  if (!src.read(0, header, kHeaderSize)) return LoadOutcome::abandon("read error header\n");
  const uint32_t sectionCount = header[3];
  const uint32_t labelOffset = be32at(header + 8), labelSize = be32at(header + 12);
  const uint32_t debugCount = be32at(header + 16), debugOffset = be32at(header + 20);
  prog.pointerAttributeWords = (header[1] & 0x01) != 0;

  // The init marker: the first label record with no flags and no name.
  std::vector<Relocation> relocations;
  bool initMarker = false;
  {
    uint8_t head[7];
    if (labelSize >= 7 && src.read(labelOffset, head, 7) && head[4] == 0 && head[6] == 0) {
      initMarker = true;
      const uint32_t table = be32at(head);
      for (uint32_t i = 0; i < head[5]; ++i) {
        uint8_t e[kRelocationEntrySize];
        if (!src.read(static_cast<uint64_t>(table) + i * kRelocationEntrySize, e, sizeof e)) {
          return LoadOutcome::abandon("read error relocation table\n");
        }
        relocations.push_back({e[0], be32at(e + 16), be32at(e + 20)});
      }
    }
  }

  SectionTotals totals;
  bool downloadOk = true;
  for (uint32_t i = 0; i < sectionCount; ++i) {
    uint8_t h[kSectionHeaderSize];
    if (!src.read(kHeaderSize + static_cast<uint64_t>(i) * kSectionHeaderSize, h, sizeof h)) {
      return LoadOutcome::abandon("read error section header\n");
    }
    SegmentRecord seg;
    seg.flags = h[0];
    seg.sectionIndex = static_cast<uint8_t>(i + 1);
    const size_t nameLen = std::min<size_t>(h[1] & 0x0F, 14);
    seg.name.assign(reinterpret_cast<const char*>(h + 2), nameLen);
    seg.fileOffset = be32at(h + 16);
    seg.size = be32at(h + 20);
    seg.logical = be32at(h + 32);
    seg.physical = be32at(h + 36);
    if ((h[1] & 0x80) && !initMarker) seg.physical = seg.logical;
    seg.last = seg.logical + seg.size - 1;
    prog.tables.sections.push_back({seg.name, static_cast<int32_t>(seg.logical - seg.physical)});
    const bool isDebug = seg.name == ".debug";
    if (!isDebug && seg.size != 0) {
      auto pos = std::upper_bound(prog.tables.segments.begin(), prog.tables.segments.end(), seg.logical,
                                  [](uint32_t a, const SegmentRecord& s) { return a < s.logical; });
      prog.tables.segments.insert(pos, seg);
    }
    addTotals(prog, totals, seg.name, seg.logical, seg.size);
    if (isDebug) prog.debugSize = seg.size;
    if (seg.fileOffset == 0) continue;
    if (isDebug) {
      if (req.wantDebug) {
        prog.debugBase = seg.fileOffset;
        prog.hasDebugSection = true;
      }
      continue;
    }
    if (seg.size == 0 || req.symbolsOnly || !downloadOk) continue;
    bool readFailed = false;
    if (!downloadSection(src, seg, host, readFailed)) {
      if (readFailed) {
        host.readError("section\n");
      } else {
        host.error("Error loading segment: " + seg.name);
      }
      downloadOk = false;
    }
  }
  // Segments moved at start-up live at their run-time addresses.
  for (const Relocation& r : relocations) {
    if (r.section == 0 || r.section > prog.tables.sections.size()) continue;
    const std::string& name = prog.tables.sections[r.section - 1].name;
    prog.tables.sections[r.section - 1].bias = static_cast<int32_t>(r.runtime - r.load);
    for (SegmentRecord& s : prog.tables.segments) {
      if (s.sectionIndex == r.section && s.name == name) {
        s.logical = r.runtime;
        s.last = r.runtime + s.size - 1;
      }
    }
  }
  std::stable_sort(prog.tables.segments.begin(), prog.tables.segments.end(),
                   [](const SegmentRecord& a, const SegmentRecord& b) { return a.logical < b.logical; });

  prog.labels.createVariable(".tsize", totals.text);
  if (totals.haveData) prog.labels.createVariable(".dsize", totals.data);
  if (totals.haveBss) prog.labels.createVariable(".bsize", totals.bss);
  if (totals.haveZpage) prog.labels.createVariable(".zsize", totals.zpage);
  if (!req.quiet) {
    std::string line = fmtstr("    T: 0x%hl (%l)", totals.textAddr, totals.text);
    line += fmtstr("  D: 0x%hl (%l)", totals.dataAddr, totals.data);
    if (totals.haveZpage) line += fmtstr("  Z: 0x%hl (%l)", totals.zpageAddr, totals.zpage);
    host.print(line + "\n");
  }

  // Label table.
  prog.tables.otherSymbols.clear();
  uint64_t pos = labelOffset;
  const uint64_t end = static_cast<uint64_t>(labelOffset) + labelSize;
  bool first = true;
  while (pos < end) {
    uint8_t head[7];
    // A truncated table means a damaged file: the load stops here.
    if (pos + 7 > end || !src.read(pos, head, 7)) return LoadOutcome::abandon("read error label debug symbol\n");
    std::string name(head[6], '\0');
    if (pos + 7 + head[6] > end || !src.read(pos + 7, name.data(), head[6])) {
      return LoadOutcome::abandon("read error label debug symbol\n");
    }
    pos += 7 + head[6];
    const bool marker = first && initMarker;
    first = false;
    if (marker) continue;
    uint32_t value = be32at(head);
    const uint8_t flags = head[4], section = head[5];
    if (flags != 0) {
      if (section != 0 && section <= prog.tables.sections.size()) {
        value += static_cast<uint32_t>(prog.tables.sections[section - 1].bias);
      }
      LabelEntry e;
      e.value = value;
      e.section = section;
      e.flags = flags;
      e.kind = (flags & 0x01) ? 5 : 0;
      e.name = std::move(name);
      prog.labels.append(std::move(e));
    } else if (!name.empty()) {
      prog.tables.otherSymbols.push_back({std::move(name), value, section});
    }
  }
  host.status("Ordering Symbols");
  prog.labels.order();

  prog.sectionsLoaded = downloadOk;
  if (!downloadOk) return {};
  return readDebugSymbols(prog, src, debugOffset, debugCount, host);
}

}  // namespace yav
