#include <xsihost/text.h>

#include "value_access.h"

namespace xsihost {

using XSI::CString;
using XSI::detail::Access;

std::string ToUtf8(const CString& text) {
  const std::u16string_view units = Access::Units(text);
  std::string out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    std::uint32_t c = units[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
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
  return out;
}

bool FromUtf8(std::string_view utf8, CString& out) {
  // Decoded into one buffer kept for the next call: a scene file's million names cost no
  // allocation but their own.
  thread_local std::u16string units;
  units.clear();
  size_t i = 0;
  while (i < utf8.size()) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(utf8[k]); };
    std::uint32_t c = byte(i);
    size_t extra = 0;
    std::uint32_t minimum = 0;
    if (c == 0)
      return false;
    if (c < 0x80) {
      extra = 0;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1, c &= 0x1F, minimum = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, c &= 0x0F, minimum = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3, c &= 0x07, minimum = 0x10000;
    } else {
      return false;
    }
    if (i + extra >= utf8.size())
      return false;  // truncated sequence
    for (size_t k = 1; k <= extra; ++k) {
      if ((byte(i + k) & 0xC0) != 0x80)
        return false;
      c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (extra != 0 && c < minimum)
      return false;  // overlong
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
      return false;
    if (c >= 0x10000) {
      c -= 0x10000;
      units.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      units.push_back(static_cast<char16_t>(c));
    }
    i += extra + 1;
  }
  out = Access::Make(units);
  return true;
}

CString Str(std::string_view utf8) {
  CString out;
  FromUtf8(utf8, out);
  return out;
}

std::u16string Units(const CString& text) {
  return std::u16string(Access::Units(text));
}
CString FromUnits(std::u16string_view units) {
  return Access::Make(units);
}

}  // namespace xsihost
