#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tavrin::fuzz {

// The fuzzer's bytes read as a little program: one byte picks a step, the
// bytes after it are its arguments. An input that runs out reads zeros, so
// every input, however short, is a whole program.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : data_(data), size_(size) {}

  bool Empty() const { return at_ >= size_; }

  std::uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }

  // A number in [0, count).
  std::size_t Below(std::size_t count) { return Byte() % count; }

  bool Flag() { return (Byte() & 1) != 0; }

  // A length byte, then that many bytes (at most `limit`): any byte value,
  // NUL, CR, LF and broken UTF-8 included.
  std::string Bytes(std::size_t limit) {
    std::size_t length = Byte() % (limit + 1);
    std::string text;
    while (length-- > 0 && !Empty()) text.push_back(static_cast<char>(Byte()));
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// With TAVRIN_FUZZ_TRACE set in the environment a target tells each step
// it takes on stderr, to read what a saved input does.
inline bool& Tracing() {
  static bool tracing = std::getenv("TAVRIN_FUZZ_TRACE") != nullptr;
  return tracing;
}

// Bytes as a C string literal would spell them.
inline std::string Shown(std::string_view bytes) {
  std::string shown = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      shown.push_back('\\');
      shown.push_back(c);
    } else if (byte >= 0x20 && byte < 0x7F) {
      shown.push_back(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown.append(escaped);
    }
  }
  shown.push_back('"');
  return shown;
}

// A broken promise of the code under test: said once, then the process
// stops so that the fuzzer keeps the input that did it.
[[noreturn]] inline void Broken(const char* what) {
  std::fprintf(stderr, "broken: %s\n", what);
  std::fflush(stderr);
  __builtin_trap();
}

inline void Check(bool holds, const char* what) {
  if (!holds) Broken(what);
}

}  // namespace tavrin::fuzz
