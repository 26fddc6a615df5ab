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

std::string shown_path(std::string_view path) {
  std::string out;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (is_control(byte)) {
      append_hex_byte(out, byte);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace merid
