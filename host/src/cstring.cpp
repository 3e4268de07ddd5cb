#include <xsi/cstring.h>

#include "access.h"

namespace XSI {

namespace {

// Appends a wide string as UTF-16 code units, stopping at its NUL.
void AppendWide(std::u16string& out, const wchar_t* text) {
  if (text == nullptr)
    return;
  for (; *text != L'\0'; ++text) {
    auto c = static_cast<std::uint32_t>(*text);
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else if (c > 0x10FFFF) {
      out.push_back(u'\xFFFD');
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
}

std::u16string FromWide(const wchar_t* text) {
  std::u16string units;
  AppendWide(units, text);
  return units;
}

}  // namespace

CString::CString() = default;
CString::CString(const wchar_t* text) : m_units(FromWide(text)) {}
CString::CString(const CString& other) = default;
CString::CString(CString&& other) noexcept = default;
CString::~CString() = default;
CString& CString::operator=(const CString& other) = default;
CString& CString::operator=(CString&& other) noexcept = default;
CString& CString::operator=(const wchar_t* text) {
  m_units = FromWide(text);
  return *this;
}

CString CString::operator+(const CString& other) const {
  CString result(*this);
  result.m_units += other.m_units;
  return result;
}

CString CString::operator+(const wchar_t* text) const {
  CString result(*this);
  AppendWide(result.m_units, text);
  return result;
}

CString& CString::operator+=(const CString& other) {
  m_units += other.m_units;
  return *this;
}

bool CString::operator==(const CString& other) const {
  return m_units == other.m_units;
}
bool CString::operator!=(const CString& other) const {
  return m_units != other.m_units;
}
bool CString::operator==(const wchar_t* text) const {
  return m_units == FromWide(text);
}
bool CString::operator!=(const wchar_t* text) const {
  return m_units != FromWide(text);
}

CString operator+(const wchar_t* text, const CString& string) {
  return CString(text) + string;
}

}  // namespace XSI
