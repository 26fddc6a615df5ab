// Fuzz target: the real-number entry on arbitrary lines of any bytes and any
// length, and on arbitrary ten-byte buffers.
//
// Checks: each chislo takes exactly one line and keeps its first ten bytes;
// a failure report never carries a raw control or non-ASCII byte; and where
// the value is in the notation the C library reads, both read the same bits.

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "console/input_reader.h"
#include "console/number_entry.h"
#include "fuzz/fuzz_support.h"

namespace merid::fuzz {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The lines the reader must see: split at LF, a CR right before the LF
// dropped, and a last line without LF counted only when it has bytes.
std::vector<std::string_view> expected_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    lines.push_back(line);
    text =
        lf == std::string_view::npos ? std::string_view{} : text.substr(lf + 1);
  }
  return lines;
}

// The first item of a buffer with its first comma read as a point.
std::string first_item(std::string_view buffer) {
  std::string text(buffer);
  const std::size_t comma = text.find(',');
  if (comma != std::string::npos) text[comma] = '.';
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  const std::size_t end = text.find_first_of(" \t,;/", begin);
  return text.substr(begin, end == std::string::npos ? end : end - begin);
}

// Sign, digits with an optional point, an optional E exponent with digits:
// the notation that both the entry and strtof read.
bool is_plain_decimal(std::string_view item) {
  std::size_t i = 0;
  if (i < item.size() && (item[i] == '+' || item[i] == '-')) ++i;
  std::size_t digits = 0;
  for (; i < item.size() && is_digit(item[i]); ++i) ++digits;
  if (i < item.size() && item[i] == '.') {
    for (++i; i < item.size() && is_digit(item[i]); ++i) ++digits;
  }
  if (digits == 0) return false;
  if (i == item.size()) return true;
  if (item[i] != 'e' && item[i] != 'E') return false;
  ++i;
  if (i < item.size() && (item[i] == '+' || item[i] == '-')) ++i;
  std::size_t exponent_digits = 0;
  for (; i < item.size() && is_digit(item[i]); ++i) ++exponent_digits;
  return exponent_digits > 0 && i == item.size();
}

void check_report(const RealEntry& entry) {
  const std::string report = describe_failure(entry);
  require(!report.empty(), "a failed entry has a report");
  for (const char c : report) {
    const auto byte = static_cast<unsigned char>(c);
    require(byte >= 0x20 && byte < 0x7F, "the report is printable ASCII");
  }
}

void check_entry(std::string_view buffer, const RealEntry& entry) {
  require(entry.text == buffer, "the entry keeps the buffer it read");
  if (entry.status != EntryStatus::kValue) {
    check_report(entry);
    return;
  }
  const std::string item = first_item(buffer);
  if (!is_plain_decimal(item)) return;
  const float expected = std::strtof(item.c_str(), nullptr);
  // strtof keeps a subnormal; the entry's reading of those is checked by
  // the unit tests, not here.
  if (expected != 0.0f && std::abs(expected) < 1.17549435e-38f) return;
  require(std::bit_cast<std::uint32_t>(entry.value) ==
              std::bit_cast<std::uint32_t>(expected),
          "a plain decimal reads as strtof reads it");
}

void fuzz_one(std::string_view text) {
  // The text's first bytes as a buffer, line ends and all.  (The reader's
  // buffer is never longer: past ten characters a number could underflow
  // without a negative exponent, a case the entry never meets.)
  const std::string_view buffer = text.substr(0, kRealBufferSize);
  const RealEntry direct = parse_real(buffer);
  require(direct.status != EntryStatus::kEndOfInput, "a buffer is not the end");
  check_entry(buffer, direct);

  // The text as lines typed at a prompt, taken in pieces of 0 (whole lines)
  // to 4 bytes.
  PacedSource source(text, text.size() % 5);
  InputReader in(source);
  for (const std::string_view line : expected_lines(text)) {
    const RealEntry entry = chislo(in);
    require(entry.status != EntryStatus::kEndOfInput, "one entry per line");
    check_entry(line.substr(0, kRealBufferSize), entry);
  }
  require(chislo(in).status == EntryStatus::kEndOfInput,
          "the end of input after the last line");
}

}  // namespace
}  // namespace merid::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  merid::fuzz::fuzz_one(
      std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
