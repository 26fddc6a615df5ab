#include "base/quoted.h"

namespace merid {
namespace {

void append_hex_byte(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out.append("\\x");
  out.push_back(kHex[byte >> 4]);
  out.push_back(kHex[byte & 0xF]);
}

bool is_control(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

bool is_utf8_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The first `max_bytes` of `text`, less the start of a UTF-8 character
// that would be cut.
std::string_view utf8_prefix(std::string_view text, std::size_t max_bytes) {
  std::size_t end = max_bytes;
  while (end > 0 && is_utf8_continuation(static_cast<unsigned char>(text[end])))
    --end;
  return text.substr(0, end);
}

}  // namespace

std::string quoted(std::string_view bytes) {
  std::string out = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (is_control(byte) || byte >= 0x80) {
      append_hex_byte(out, byte);
    } else {
      out.push_back(c);
    }
  }
  out.push_back('"');
  return out;
}

std::string quoted(std::string_view bytes, std::size_t max_bytes) {
  if (bytes.size() <= max_bytes) return quoted(bytes);
  return quoted(bytes.substr(0, max_bytes)) + "...";
}

std::string echoed(std::string_view bytes) { return quoted(bytes, kEchoBytes); }

std::string shown_path(std::string_view path) {
  constexpr std::size_t kMaxBytes = 200;
  const bool cut = path.size() > kMaxBytes;
  std::string out;
  for (const char c : cut ? utf8_prefix(path, kMaxBytes) : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (is_control(byte)) {
      append_hex_byte(out, byte);
    } else {
      out.push_back(c);
    }
  }
  if (cut) out.append("...");
  return out;
}

}  // namespace merid
