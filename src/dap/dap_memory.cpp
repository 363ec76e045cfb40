// Target memory and code as the editor's memory and disassembly views ask for them.
#include <cstdio>

#include "dap/dap_base64.h"
#include "dap/dap_address_text.h"
#include "dap/dap_arguments.h"
#include "dap/dap_session.h"
#include "engine/code_view.h"
#include "engine/kernel_eval.h"
#include "model/loader.h"
#include "model/target_memory.h"

namespace yav::dap {

namespace {

// Larger reads and disassemblies are refused instead of tying the target up.
constexpr int64_t kMaxBytes = 65536;
constexpr int64_t kMaxInstructions = 4096;
constexpr int64_t kAddressLimit = 0x400000;  // paged code addresses stay below it

// A memory reference plus a byte offset, inside the target's address range.
uint32_t addressOf(const json& args) {
  const std::string reference = stringArg(args, "memoryReference");
  char* end = nullptr;
  const long long base = std::strtoll(reference.c_str(), &end, 0);
  if (reference.empty() || *end != '\0' || base < 0) {
    throw RequestError{"memory reference \"" + reference + "\" is not an address"};
  }
  const long long address = base + optionalInteger(args, "offset", 0);
  if (address < 0 || address >= kAddressLimit) throw RequestError{"address out of range: " + std::to_string(address)};
  return static_cast<uint32_t>(address);
}

TargetMemory& memoryOf(Kernel& k) {
  TargetMemory* mem = targetMemory(k);
  if (!mem) throw RequestError{"no target memory (no target connected)"};
  return *mem;
}

// Instruction starts before `address`, as many as `count`, found by decoding from further back
// until the decoding falls in step with `address`.
std::vector<uint32_t> instructionsBefore(Kernel& k, uint32_t address, size_t count) {
  for (uint32_t back = static_cast<uint32_t>(count) * 4; back >= count && back > 0; --back) {
    if (back > address) continue;
    std::vector<uint32_t> starts;
    uint32_t a = address - back;
    while (a < address) {
      starts.push_back(a);
      a += static_cast<uint32_t>(instructionLength(k, a));
    }
    if (a == address && starts.size() >= count) return {starts.end() - static_cast<std::ptrdiff_t>(count), starts.end()};
  }
  std::vector<uint32_t> starts;  // no decoding falls in step: one byte each
  for (size_t i = count; i > 0; --i) starts.push_back(address >= i ? address - static_cast<uint32_t>(i) : 0);
  return starts;
}

}  // namespace

void Session::readMemory(const json& args, json& body) {
  const uint32_t address = addressOf(args);
  const int64_t count = integerArg(args, "count");
  if (count < 0 || count > kMaxBytes) throw RequestError{"readMemory: count must lie between 0 and 65536"};
  TargetMemory& mem = memoryOf(k_);
  std::vector<uint8_t> bytes(static_cast<size_t>(count));
  size_t readable = bytes.size();
  if (!mem.read(0, address, bytes)) {
    // Read byte by byte up to the first one that cannot be read.
    for (readable = 0; readable < bytes.size(); ++readable) {
      if (!mem.readByte(0, address + static_cast<uint32_t>(readable), bytes[readable])) break;
    }
  }
  body = {{"address", hexAddress(address)},
          {"data", toBase64(std::span<const uint8_t>(bytes.data(), readable))}};
  if (readable < bytes.size()) body["unreadableBytes"] = bytes.size() - readable;
}

void Session::writeMemory(const json& args, json& body) {
  const uint32_t address = addressOf(args);
  const std::optional<std::vector<uint8_t>> bytes = fromBase64(stringArg(args, "data"));
  if (!bytes) throw RequestError{"writeMemory: \"data\" is not base64"};
  if (bytes->size() > static_cast<size_t>(kMaxBytes)) throw RequestError{"writeMemory: more than 65536 bytes"};
  TargetMemory& mem = memoryOf(k_);
  const bool accepted = mem.write(0, address, *bytes);
  // Flash, ROM and unmapped addresses may accept the write and keep what they held: what the
  // target holds afterwards tells.
  std::vector<uint8_t> now(bytes->size());
  const bool readBack = mem.read(0, address, now);
  size_t same = 0;
  while (readBack && same < now.size() && now[same] == (*bytes)[same]) ++same;
  if (accepted || same > 0) {
    sendEvent("memory", {{"memoryReference", hexAddress(address)}, {"offset", 0}, {"count", bytes->size()}});
  }
  if (!accepted) throw RequestError{"writeMemory: the target refused the write at " + hexAddress(address)};
  if (!readBack) throw RequestError{"writeMemory: the memory at " + hexAddress(address) + " cannot be read back"};
  if (same < now.size()) {
    throw RequestError{"writeMemory: the memory at " + hexAddress(address + static_cast<uint32_t>(same)) +
                       " did not take the write (it holds " + std::to_string(now[same]) + ", not " +
                       std::to_string((*bytes)[same]) + ")"};
  }
  body = {{"bytesWritten", bytes->size()}};
}

void Session::disassemble(const json& args, json& body) {
  const uint32_t address = addressOf(args);
  const int64_t count = integerArg(args, "instructionCount");
  const int64_t offset = optionalInteger(args, "instructionOffset", 0);
  if (count < 0 || count > kMaxInstructions || offset < -kMaxInstructions || offset > kMaxInstructions) {
    throw RequestError{"disassemble: instruction count and offset must lie within 4096"};
  }
  memoryOf(k_);
  std::vector<uint32_t> starts;
  if (offset < 0) starts = instructionsBefore(k_, address, static_cast<size_t>(-offset));
  uint32_t a = address;
  for (int64_t i = 0; i < offset; ++i) a += static_cast<uint32_t>(instructionLength(k_, a));
  while (static_cast<int64_t>(starts.size()) < count) {
    starts.push_back(a);
    a += static_cast<uint32_t>(instructionLength(k_, a));
  }
  starts.resize(static_cast<size_t>(count));
  const SymbolTables* tables = k_.prog.program ? &k_.prog.program->tables : nullptr;
  TargetMemory& mem = memoryOf(k_);
  std::string lastFile;
  json list = json::array();
  for (uint32_t start : starts) {
    json item{{"address", hexAddress(start)}};
    const int length = instructionLength(k_, start);
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    if (!mem.read(0, start, bytes)) {
      item["instruction"] = "??";
      item["presentationHint"] = "invalid";
      list.push_back(std::move(item));
      continue;
    }
    std::string hex;
    for (uint8_t b : bytes) {
      char two[4];
      std::snprintf(two, sizeof two, hex.empty() ? "%02X" : " %02X", b);
      hex += two;
    }
    item["instructionBytes"] = hex;
    item["instruction"] = instructionText(k_, start);
    if (tables) {
      if (const FunctionEntry* f = tables->functionStartingAt(start)) item["symbol"] = f->name;
      if (const DebugRecord* line = tables->lineAt(start); line && line->startLine != 0) {
        item["line"] = lineOut(line->startLine);
        if (line->fileName != lastFile) item["location"] = sourceOf(line->fileName);
        lastFile = line->fileName;
      }
    }
    list.push_back(std::move(item));
  }
  body = {{"instructions", list}};
}

}  // namespace yav::dap
