// File channels: `fopen`, `fclose`, `rewind`, `fread`, `fwrite` and `remove`.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/channel_format.h"
#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_common.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/options.h"
#include "engine/print_text.h"
#include "engine/script_state.h"
#include "engine/script_text.h"
#include "model/escape.h"
#include "model/target_memory.h"
#include "model/types.h"

namespace yav {

ScriptState::~ScriptState() {
  for (FileChannel& c : channels) std::fclose(c.file);
}

ScriptState& scriptState(Kernel& k) { return *k.scripts; }

namespace {

FileChannel* findChannel(Kernel& k, int32_t number) {
  for (FileChannel& c : scriptState(k).channels) {
    if (c.number == number) return &c;
  }
  return nullptr;
}

// A channel number: a signed 32-bit decimal (or 0x hexadecimal) number. Advances `p` past it.
bool readNumber(const char*& p, int32_t& number) {
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(p, &end, 0);
  if (end == p || errno || v < INT32_MIN || v > INT32_MAX) return false;
  number = static_cast<int32_t>(v);
  p = end;
  return true;
}

// The value of a `/C:` option at `p` (right after the letter). False when it is not a number.
bool readChannelOption(const char*& p, int32_t& number) {
  if (*p != ':') return false;
  ++p;
  return readNumber(p, number);
}

void wrongOption(Kernel& k, const char* text) { errmsg(k, {"Wrong option ", text, "\n"}); }

// `fclose` and `rewind`: a channel number with or without `/C:`. Null after a report.
FileChannel* channelArgument(Kernel& k, const char*& p) {
  int32_t number = 0;
  p = skipBlanks(p);
  if (*p == '/') {
    if ((p[1] != 'c' && p[1] != 'C') || !readChannelOption(p += 2, number)) {
      wrongOption(k, p);
      return nullptr;
    }
  } else if (!readNumber(p, number)) {
    wrongOption(k, p);
    return nullptr;
  }
  FileChannel* c = findChannel(k, number);
  if (!c) errmsg(k, {"Unknown Channel:", std::to_string(number), "\n"});
  return c;
}

// Opens `name` as a channel wants it: an existing ordinary file for reading and writing (or
// appending), a new one created. A folder, device or FIFO is refused: it could block the
// debugger or be truncated by accident.
std::FILE* openChannelFile(const std::string& name, bool append) {
  struct stat st {};
  if (::stat(name.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return nullptr;
    return std::fopen(name.c_str(), append ? "a+" : "r+");
  }
  if (errno != ENOENT) return nullptr;
  return std::fopen(name.c_str(), append ? "a+" : "w+");
}

// The format of `fread` and `fwrite` at `p`, its escapes decoded; advanced past it and an
// optional comma. False after a report.
bool readFormat(Kernel& k, const char*& p, std::string& format) {
  p = skipBlanks(p);
  if (*p != '"') {
    errmsg(k, {"Missing Format ", p, "\n"});
    return false;
  }
  const char* close = closingQuote(p);
  if (!close) {
    errmsg(k, {"Invalid Format: ", p, "\n"});
    return false;
  }
  format = decodeEscapes(std::string_view(p + 1, static_cast<size_t>(close - p - 1)));
  p = skipBlanks(close + 1);
  if (*p == ',') p = skipBlanks(p + 1);
  return true;
}

// `fread`/`fwrite` up to the format: the channel given with `/C:`. Null after a report.
FileChannel* channelOption(Kernel& k, const char*& p) {
  bool given = false;
  int32_t number = 0;
  bool malformed = false;
  if (!scanFileOptions(k, p, "C", [&](char, const char*& at) {
        given = true;
        if (!readChannelOption(at, number)) malformed = true;
      })) {
    return nullptr;
  }
  if (!given || malformed) {
    errmsg(k, {" Missing channel ", p, "\n"});
    return nullptr;
  }
  FileChannel* c = findChannel(k, number);
  if (!c) errmsg(k, {" Unknown Channel: ", std::to_string(number), "\n"});
  return c;
}

// The arguments of `fread` and `fwrite`: expressions separated by commas, up to `;`, `}` or the
// end of the line.
bool argumentsLeft(const char* p) { return *p && *p != ';' && *p != '}'; }

// Evaluates the next argument (advanced past it and its comma). Null after a report.
std::unique_ptr<ValueRecord> nextArgument(Kernel& k, const char*& p) {
  int error = 0;
  std::unique_ptr<ValueRecord> v = xexpr(k, p, error, true);
  if (!acceptedResult(error) || !v) {
    errmsg(k, {errtext(error ? error : msg::SyntaxError), "\n"});
    return nullptr;
  }
  nextListItem(p);
  return v;
}

bool isFloatingValue(const ValueRecord& v) { return isPlain(v.type) && isFloatCode(v.code()); }

// One `fwrite` conversion applied to a value.
std::string written(Kernel& k, const Conversion& c, const ValueRecord& v) {
  if (c.isText()) return formatText(c, printedValue(k, v, 's'));
  if (c.isFloating()) return formatFloating(c, isFloatingValue(v) ? v.doubleValue() : double(v.intValue()));
  const int64_t n = isFloatingValue(v) ? static_cast<int64_t>(v.doubleValue()) : int64_t{v.intValue()};
  return formatInteger(c, n);
}

// Stores what one `fread` conversion read into the object `target` names: numbers through an
// assignment, so that the evaluator converts them to the object's type; texts byte by byte into
// a character array, ended by a NUL when it fits.
bool store(Kernel& k, const ValueRecord& target, const ScannedValue& v) {
  int error = 0;
  if (!v.text.empty()) {
    const bool charArray = outermost(target.type) == Derivation::Array && isCharCode(baseCode(target.type));
    TargetMemory* memory = targetMemory(k);
    if (!charArray || target.locationClass == sc::Computed || !memory) {
      errmsg(k, {errtext(msg::IllegalType), ": ", target.text, "\n"});
      return false;
    }
    std::string bytes = v.text + '\0';
    if (target.size && bytes.size() > target.size) bytes.resize(target.size);
    const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (memory->write(target.addressSpace, target.address, data)) return true;
    errmsg(k, {errtext(msg::NotAccessible), ": ", target.text, "\n"});
    return false;
  }
  char number[64];
  if (v.floating) std::snprintf(number, sizeof number, "%.17g", v.real);
  else std::snprintf(number, sizeof number, "%lld", static_cast<long long>(v.integer));
  const std::string assignment = "(" + target.text + ")=(" + number + ")";
  const char* p = assignment.c_str();
  xexpr(k, p, error, true);
  if (!error) return true;
  errmsg(k, {errtext(error), ": ", target.text, "\n"});
  return false;
}

// Suspends the command log while a format is applied.
class LogSuspended {
 public:
  explicit LogSuspended(Kernel& k) : k_(k), log_(k.disp.log) { k.disp.log = nullptr; }
  ~LogSuspended() {
    if (!k_.disp.log) k_.disp.log = log_;
  }

 private:
  Kernel& k_;
  std::FILE* log_;
};

void formatLeftOver(Kernel& k, const std::string& format, size_t at) {
  errmsg(k, {"Format Error (or missing args) at: ", std::string_view(format).substr(at), "\n"});
}

// What one conversion did: applied, found no matching input, or failed with its own report.
enum class Step { Done, NoMatch, Failed };

// Applies the format to the channel with the arguments at `p`; returns where the command ends,
// kEmptyRest after a report.
template <typename Literal, typename Convert>
const char* applyFormat(Kernel& k, const std::string& format, const char* p, Literal literal, Convert convert) {
  LogSuspended suspended(k);
  for (size_t i = 0; i < format.size();) {
    if (format[i] != '%' || (i + 1 < format.size() && format[i + 1] == '%')) {
      if (!literal(format[i])) {
        formatLeftOver(k, format, i);
        return kEmptyRest;
      }
      i += format[i] == '%' ? 2 : 1;
      continue;
    }
    Conversion c;
    if (!parseConversion(format, i, c) || !argumentsLeft(p)) {
      formatLeftOver(k, format, i);
      return kEmptyRest;
    }
    std::unique_ptr<ValueRecord> arg = nextArgument(k, p);
    if (!arg) return kEmptyRest;
    const Step step = convert(c, *arg);
    if (step != Step::Done) {
      if (step == Step::NoMatch) formatLeftOver(k, format, i);
      return kEmptyRest;
    }
    i = c.end;
  }
  p = skipBlanks(p);
  if (argumentsLeft(p)) {
    errmsg(k, {"Too many arguments: ", p, "\n"});
    return kEmptyRest;
  }
  return p;
}

}  // namespace

const char* cmd_fopen(Kernel& k, const char* rest, int) {
  const char* p = rest;
  bool append = false, given = false, malformed = false;
  int32_t number = 0;
  if (!scanFileOptions(k, p, "AC", [&](char letter, const char*& at) {
        if (letter == 'A') append = true;
        if (letter == 'C') {
          given = true;
          if (!readChannelOption(at, number)) malformed = true;
        }
      })) {
    return kEmptyRest;
  }
  if (!given || malformed) {
    wrongOption(k, rest);
    return kEmptyRest;
  }
  if (findChannel(k, number)) {
    errmsg(k, {"Channel ", std::to_string(number), " already used\n"});
    return kEmptyRest;
  }
  std::string name;
  const char* end = scriptFileName(p, name);
  std::FILE* f = name.empty() ? nullptr : openChannelFile(name, append);
  if (!f) {
    errmsg(k, {"Can't Open:", name, "\n"});
    return kEmptyRest;
  }
  auto& list = scriptState(k).channels;
  list.insert(list.begin(), FileChannel{number, f, name});
  return end;
}

const char* cmd_fclose(Kernel& k, const char* rest, int) {
  const char* p = rest;
  FileChannel* c = channelArgument(k, p);
  if (!c) return kEmptyRest;
  std::fclose(c->file);
  auto& list = scriptState(k).channels;
  list.erase(list.begin() + (c - list.data()));
  return p;
}

const char* cmd_rewind(Kernel& k, const char* rest, int) {
  const char* p = rest;
  FileChannel* c = channelArgument(k, p);
  if (!c) return kEmptyRest;
  std::rewind(c->file);
  return p;
}

const char* cmd_fwrite(Kernel& k, const char* rest, int) {
  const char* p = rest;
  FileChannel* c = channelOption(k, p);
  std::string format;
  if (!c || !readFormat(k, p, format)) return kEmptyRest;
  std::FILE* f = c->file;
  std::string out;
  const char* end = applyFormat(
      k, format, p, [&](char ch) { return out += ch, true; },
      [&](const Conversion& conv, const ValueRecord& v) {
        out += written(k, conv, v);
        return Step::Done;
      });
  if (end == kEmptyRest) return end;  // a failing format writes nothing
  std::fseek(f, 0, SEEK_CUR);  // a write may follow a read on the same file
  if (std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fflush(f) != 0) {
    errmsg(k, {errtext(msg::WriteError), ": ", c->name, "\n"});
    return kEmptyRest;
  }
  return end;
}

const char* cmd_fread(Kernel& k, const char* rest, int) {
  const char* p = rest;
  FileChannel* c = channelOption(k, p);
  std::string format;
  if (!c || !readFormat(k, p, format)) return kEmptyRest;
  std::fseek(c->file, 0, SEEK_CUR);  // a read may follow a write on the same file
  FileScanInput in(c->file);
  return applyFormat(
      k, format, p,
      [&](char ch) {
        if (std::isspace(static_cast<unsigned char>(ch))) return scanBlanks(in), true;
        return scanLiteral(in, ch);
      },
      [&](const Conversion& conv, const ValueRecord& target) {
        ScannedValue v;
        if (!scanConversion(in, conv, v)) return Step::NoMatch;
        return store(k, target, v) ? Step::Done : Step::Failed;
      });
}

const char* cmd_remove(Kernel& k, const char* rest, int) {
  std::string name;
  const char* end = scriptFileName(rest, name);
  if (std::remove(name.c_str()) != 0) {
    errmsg(k, {"Can't remove file: ", name, "\n"});
    return kEmptyRest;
  }
  return end;
}

}  // namespace yav
