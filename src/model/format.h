// The kernel's own format language: every piece of kernel output is produced by putfmt.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace yav {

// One argument slot of a format. Integers and pointers take one slot, doubles two in the
// original calling convention; here every argument carries its kind so that a format that
// does not match its arguments prints something harmless instead of reading garbage.
struct FmtArg {
  enum class Kind : uint8_t { Int, Ptr, Double };
  Kind kind = Kind::Int;
  uint32_t i = 0;
  const char* p = nullptr;
  size_t plen = 0;  // bytes readable at p (the string length for texts)
  double d = 0.0;

  FmtArg() = default;
  FmtArg(int v) : i(static_cast<uint32_t>(v)) {}
  FmtArg(unsigned v) : i(v) {}
  FmtArg(long v) : i(static_cast<uint32_t>(v)) {}
  FmtArg(unsigned long v) : i(static_cast<uint32_t>(v)) {}
  FmtArg(long long v) : i(static_cast<uint32_t>(v)) {}
  FmtArg(unsigned long long v) : i(static_cast<uint32_t>(v)) {}
  FmtArg(double v) : kind(Kind::Double), d(v) {}
  FmtArg(const char* s);
  FmtArg(std::string_view s) : kind(Kind::Ptr), p(s.data()), plen(s.size()) {}
  FmtArg(const std::string& s) : kind(Kind::Ptr), p(s.data()), plen(s.size()) {}
  // Bytes for the `b` conversion: pointer and readable length.
  static FmtArg bytes(const void* data, size_t len) {
    FmtArg a;
    a.kind = Kind::Ptr;
    a.p = static_cast<const char*>(data);
    a.plen = len;
    return a;
  }
};

using PutFn = void (*)(void* ctx, const char* bytes, size_t len);

// Expands `fmt` with `args`, handing every piece of text to `cb`.
void putfmt(PutFn cb, void* ctx, std::string_view fmt, std::span<const FmtArg> args);

// Formats into `buf`, storing at most `limit` bytes; returns the number stored. No terminator.
size_t sfmt(char* buf, size_t limit, std::string_view fmt, std::span<const FmtArg> args);
template <typename... A>
size_t sfmt(char* buf, size_t limit, std::string_view fmt, const A&... a) {
  const FmtArg list[] = {FmtArg(a)..., FmtArg()};
  return sfmt(buf, limit, fmt, std::span<const FmtArg>(list, sizeof...(A)));
}

// Convenience: the expansion as a std::string.
std::string fmtstr(std::string_view fmt, std::span<const FmtArg> args);
template <typename... A>
std::string fmtstr(std::string_view fmt, const A&... a) {
  const FmtArg list[] = {FmtArg(a)..., FmtArg()};
  return fmtstr(fmt, std::span<const FmtArg>(list, sizeof...(A)));
}

}  // namespace yav
