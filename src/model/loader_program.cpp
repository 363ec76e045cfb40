#include <algorithm>

#include "model/format.h"
#include "model/loader.h"

namespace yav {

FileKind fileKindOf(uint8_t b) {
  switch (b) {
    case 0xCC: case 0xCD: return FileKind::Object;
    case 0x9D: case 0xC2: case 0xC3: return FileKind::OldObject;
    case 'S': case ':': return FileKind::TextHex;
    default: return FileKind::Binary;
  }
}

namespace {

LoadOutcome loadBinary(Program& prog, ByteSource& src, const LoadRequest& req, LoadHost& host) {
  prog.loadState = loadstate::Raw;
  const uint64_t size = std::min<uint64_t>(src.size(), 0xFFFFFFFFull);
  prog.labels.createVariable(".text", 0);
  prog.labels.createVariable(".tsize", static_cast<uint32_t>(size));
  if (!req.quiet) host.print(fmtstr("A: 0x%hl(%l)\n", 0, static_cast<uint32_t>(size)));
  if (req.symbolsOnly) return {};
  constexpr uint32_t kBlock = 32;
  host.gaugeStart(static_cast<uint32_t>((size + 511) / 512));
  uint8_t buf[kBlock];
  for (uint64_t done = 0; done < size; done += kBlock) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(kBlock, size - done));
    if (!src.read(done, buf, n)) {
      host.gaugeStart(0);
      return LoadOutcome::fail("read error binary image\n");
    }
    if (!host.download(static_cast<uint32_t>(done), buf, n, 0xFFFFFFFFu, 0)) {
      host.gaugeStart(0);
      return LoadOutcome::fail("Error loading segment: binary image");
    }
    if ((done & 511) == 0) host.gaugeAdd(1);
    if (host.cancelled()) break;
  }
  host.gaugeStart(0);
  return {};
}

}  // namespace

LoadOutcome loadProgramFile(Program& prog, const LoadRequest& req, LoadHost& host) {
  std::shared_ptr<FileSource> src = FileSource::open(req.path);
  if (!src) return LoadOutcome::abandon("can't open: " + req.path);
  prog.fileName = req.path;
  uint8_t first = 0;
  if (!src->u8(0, first)) return LoadOutcome::abandon("read error empty file\n");
  if (req.raw) return loadBinary(prog, *src, req, host);
  switch (fileKindOf(first)) {
    case FileKind::Object:
      return loadObject(prog, src, req, host);
    case FileKind::OldObject:
      return LoadOutcome::abandon("Unsupported Old V3 format ");
    case FileKind::TextHex:
      prog.loadState = loadstate::Text;
      return loadTextHex(prog, *src, host, req.symbolsOnly);
    case FileKind::Binary:
      break;
  }
  return loadBinary(prog, *src, req, host);
}

}  // namespace yav
