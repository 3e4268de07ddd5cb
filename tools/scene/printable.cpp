#include "printable.h"

#include <xsihost/text.h>

#include <cstdio>

namespace minihost {

namespace {

std::string Hex(const char* format, unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t length = xsihost::DecodeUtf8(text, i, code);
    if (length == 0) {
      out += Hex("\\x%02x", static_cast<unsigned char>(text[i]));
      ++i;
    } else if (code < 0x20 || code == 0x7F) {
      out += Hex("\\x%02x", static_cast<unsigned>(code));
      i += length;
    } else if (code >= 0x80 && code <= 0x9F) {
      out += Hex("\\u%04x", static_cast<unsigned>(code));
      i += length;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

std::string Excerpt(std::string_view text, std::size_t most) {
  std::size_t characters = 0;
  std::size_t end = 0;
  while (end < text.size() && characters < most) {
    char32_t code = 0;
    const std::size_t length = xsihost::DecodeUtf8(text, end, code);
    end += length == 0 ? 1 : length;
    ++characters;
  }
  if (end >= text.size())
    return Printable(text);
  return Printable(text.substr(0, end)) + "... (" + std::to_string(text.size()) + " bytes)";
}

}  // namespace minihost
