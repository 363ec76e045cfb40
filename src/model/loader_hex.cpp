#include "model/hex_records.h"
#include "model/loader.h"

namespace yav {

namespace {

// One line of the file from `pos`; past kMaxLineLength the rest is dropped (the reader
// reports the line as too long).
std::string nextLine(ByteSource& src, uint64_t size, uint64_t& pos) {
  std::string line;
  char c = 0;
  while (pos < size && src.read(pos, &c, 1) && c != '\n') {
    if (line.size() <= hexrec::kMaxLineLength) line.push_back(c);
    ++pos;
  }
  ++pos;
  return line;
}

}  // namespace

LoadOutcome loadTextHex(Program& prog, ByteSource& src, LoadHost& host, bool symbolsOnly) {
  const uint64_t size = src.size();
  uint64_t pos = 0, lastGauge = 0;
  hexrec::LineReader reader;
  hexrec::Record rec;
  hexrec::ResetVector reset;
  host.gaugeStart(static_cast<uint32_t>(size / 1024 + 1));
  LoadOutcome outcome;
  while (pos < size) {
    const std::string line = nextLine(src, size, pos);
    if (pos - lastGauge >= 1024) {
      host.gaugeAdd(static_cast<uint32_t>((pos - lastGauge) / 1024));
      lastGauge = pos;
    }
    if (!reader.read(line, rec)) {
      outcome = LoadOutcome::abandon("read error S-record/Hex " + reader.error() + "\n");
      break;
    }
    if (rec.kind == hexrec::Record::Kind::Data) {
      reset.note(rec.target, rec.data);
      if (!symbolsOnly && !rec.data.empty() &&
          !host.download(rec.target, rec.data.data(), rec.data.size(), rec.address, 0)) {
        outcome = LoadOutcome::fail(reader.format() == ':' ? "Error loading segment: Intel hex"
                                                         : "Error loading segment: S-record");
        break;
      }
    }
    if (rec.last || host.cancelled()) break;
  }
  host.gaugeStart(0);
  prog.imageEntry = reset.value();
  return outcome;
}

}  // namespace yav
