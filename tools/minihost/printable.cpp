#include "printable.h"

#include <cstdio>

namespace minihost {

namespace {

// The length of the UTF-8 sequence at `text[i]`, or 0 when it is not valid UTF-8.
std::size_t SequenceLength(std::string_view text, std::size_t i, char32_t& code) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const unsigned char lead = byte(0);
  std::size_t length = lead < 0x80         ? 1
                       : (lead >> 5) == 6  ? 2
                       : (lead >> 4) == 14 ? 3
                       : (lead >> 3) == 30 ? 4
                                           : 0;
  if (length == 0 || i + length > text.size())
    return 0;
  code = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80)
      return 0;
    code = (code << 6) | (byte(k) & 0x3F);
  }
  static const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return 0;
  return length;
}

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
    const std::size_t length = SequenceLength(text, i, code);
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
    const std::size_t length = SequenceLength(text, end, code);
    end += length == 0 ? 1 : length;
    ++characters;
  }
  if (end >= text.size())
    return Printable(text);
  return Printable(text.substr(0, end)) + "... (" + std::to_string(text.size()) + " bytes)";
}

}  // namespace minihost
