#include <xsihost/text.h>

#include <algorithm>

#include "representation.h"

namespace xsihost {

using XSI::CString;
using XSI::Representation;
using XSI::ULONG;

std::string ToUtf8(const CString& text) {
  std::string out;
  AppendUtf8(text, out);
  return out;
}

void AppendUtf8(const CString& text, std::string& out) {
  // Most names are ASCII: their units are their bytes.
  std::string_view ascii;
  if (Representation::Ascii(text, ascii)) {
    out += ascii;
    return;
  }
  const ULONG length = text.Length();
  out.reserve(out.size() + length);
  for (ULONG i = 0; i < length; ++i) {
    std::uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
}

std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& code) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char lead = byte(0);
  const std::size_t length = lead < 0x80         ? 1
                             : (lead >> 5) == 6  ? 2
                             : (lead >> 4) == 14 ? 3
                             : (lead >> 3) == 30 ? 4
                                                 : 0;
  if (length == 0 || at + length > text.size())
    return 0;
  char32_t value = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80)
      return 0;
    value = (value << 6) | (byte(k) & 0x3F);
  }
  static const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return 0;
  code = value;
  return length;
}

namespace {

// Decodes UTF-8 into UTF-16 code units, handing each to `put`; false for invalid UTF-8 (a
// truncated, overlong or surrogate sequence, or one above U+10FFFF) or a NUL byte.
template <typename Put>
bool Decode(std::string_view utf8, Put put) {
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    char32_t c = lead;
    const size_t length = lead != 0 && lead < 0x80 ? 1 : DecodeUtf8(utf8, i, c);
    if (length == 0 || c == 0)
      return false;
    if (c >= 0x10000) {
      c -= 0x10000;
      put(static_cast<char16_t>(0xD800 + (c >> 10)));
      put(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      put(static_cast<char16_t>(c));
    }
    i += length;
  }
  return true;
}

}  // namespace

namespace {

// Whether `text` is ASCII without a NUL: valid UTF-8 whose bytes are its units.
bool PlainAscii(std::string_view text) {
  unsigned char all = 0;
  bool nul = false;
  for (char byte : text) {
    all |= static_cast<unsigned char>(byte);
    nul |= byte == '\0';
  }
  return all < 0x80 && !nul;
}

}  // namespace

bool IsUtf8(std::string_view utf8) {
  return PlainAscii(utf8) || Decode(utf8, [](char16_t) {});
}

bool FromUtf8(std::string_view utf8, CString& out) {
  if (PlainAscii(utf8)) {
    out = Representation::FromBytes(utf8);
    return true;
  }
  // Counted first, then written straight into the new string: one allocation a name.
  std::uint32_t count = 0;
  char16_t largest = 0;
  if (!Decode(utf8, [&](char16_t unit) {
        ++count;
        largest = std::max(largest, unit);
      })) {
    return false;
  }
  const bool narrow = largest < 0x100;
  out = Representation::Make(count, narrow,
                             narrow ? +[](void* room, void* text) {
                               auto* bytes = static_cast<unsigned char*>(room);
                               Decode(*static_cast<std::string_view*>(text), [&](char16_t unit) {
                                 *bytes++ = static_cast<unsigned char>(unit);
                               });
                             }
                                    : +[](void* room, void* text) {
                                        auto* units = static_cast<char16_t*>(room);
                                        Decode(*static_cast<std::string_view*>(text),
                                               [&](char16_t unit) { *units++ = unit; });
                                      },
                             &utf8);
  return true;
}

CString Str(std::string_view utf8) {
  CString out;
  FromUtf8(utf8, out);
  return out;
}

std::u16string Units(const CString& text) {
  return Representation::Units(text);
}
CString FromUnits(std::u16string_view units) {
  return Representation::FromUnits(units);
}

}  // namespace xsihost
