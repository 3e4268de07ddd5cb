// Conversions between the host's CString and the texts of the stand-in host's own tools.
#pragma once

#include <xsi_string.h>
#include <xsihost/api.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace xsihost {

// UTF-8 of a CString; a lone surrogate becomes U+FFFD.
XSIHOSTAPI std::string ToUtf8(const XSI::CString& text);
// ToUtf8(text) appended to `out`, for building long texts without a string a name.
XSIHOSTAPI void AppendUtf8(const XSI::CString& text, std::string& out);
// The UTF-8 sequence at `text[at]` (`at` below text.size()): its length in bytes, 1 to 4, with
// its code point in `code`; 0, `code` untouched, when no valid sequence starts there (a stray or
// truncated byte, an overlong form, a surrogate, a value above U+10FFFF). NUL is code 0, length
// 1. The one UTF-8 decoder of the host and its tools.
//   DecodeUtf8("\xC3\xA9t", 0, code) gives 2 with code U+00E9; DecodeUtf8("\xC3", 0, code), 0.
XSIHOSTAPI std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& code);
// Whether `utf8` is valid UTF-8 without a NUL byte: what FromUtf8 takes.
XSIHOSTAPI bool IsUtf8(std::string_view utf8);
// A CString from UTF-8. Returns false, leaving `out` unchanged, for invalid UTF-8 or a NUL byte.
XSIHOSTAPI bool FromUtf8(std::string_view utf8, XSI::CString& out);
// A CString from UTF-8 that the caller knows to be valid (program literals, tests).
XSIHOSTAPI XSI::CString Str(std::string_view utf8);

// The code units of a CString, and a CString from code units (stops at the first NUL unit).
XSIHOSTAPI std::u16string Units(const XSI::CString& text);
XSIHOSTAPI XSI::CString FromUnits(std::u16string_view units);

}  // namespace xsihost
