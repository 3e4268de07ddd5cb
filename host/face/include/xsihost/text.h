// Conversions between the host's CString and the texts of the stand-in host's own tools.
#pragma once

#include <xsi_string.h>
#include <xsihost/api.h>

#include <string>
#include <string_view>

namespace xsihost {

// UTF-8 of a CString; a lone surrogate becomes U+FFFD.
XSIHOSTAPI std::string ToUtf8(const XSI::CString& text);
// ToUtf8(text) appended to `out`, for building long texts without a string a name.
XSIHOSTAPI void AppendUtf8(const XSI::CString& text, std::string& out);
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
