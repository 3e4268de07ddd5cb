// Conversions between the host's CString and the texts of the stand-in host's own tools.
#pragma once

#include <xsi/cstring.h>

#include <string>
#include <string_view>

namespace xsihost {

// UTF-8 of a CString; a lone surrogate becomes U+FFFD.
XSISDKAPI std::string ToUtf8(const XSI::CString& text);
// ToUtf8(text) appended to `out`, for building long texts without a string a name.
XSISDKAPI void AppendUtf8(const XSI::CString& text, std::string& out);
// Whether `utf8` is valid UTF-8 without a NUL byte: what FromUtf8 takes.
XSISDKAPI bool IsUtf8(std::string_view utf8);
// A CString from UTF-8. Returns false, leaving `out` unchanged, for invalid UTF-8 or a NUL byte.
XSISDKAPI bool FromUtf8(std::string_view utf8, XSI::CString& out);
// A CString from UTF-8 that the caller knows to be valid (program literals, tests).
XSISDKAPI XSI::CString Str(std::string_view utf8);

// The code units of a CString, and a CString from code units (stops at the first NUL unit).
XSISDKAPI std::u16string Units(const XSI::CString& text);
XSISDKAPI XSI::CString FromUnits(std::u16string_view units);

}  // namespace xsihost
