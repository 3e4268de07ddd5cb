#include <xsi/cstring.h>

#include <cstring>
#include <cwchar>
#include <new>
#include <utility>

#include "text_pool.h"

namespace XSI {

namespace detail {

namespace {

// Constant-initialised, and never destroyed: texts may be let go of while the process exits.
TextPool thePool;

std::size_t BytesOf(std::uint32_t length) {
  return sizeof(StringData) + sizeof(char16_t) * length;
}

}  // namespace

// A new text of `length` code units (not 0), held once; the caller fills in the units.
StringData* NewText(std::uint32_t length, char16_t*& units) {
  void* memory = thePool.Take(BytesOf(length));
  auto* data = new (memory) StringData{{1}, length};
  units = reinterpret_cast<char16_t*>(data + 1);
  return data;
}

void FreeText(StringData* data) noexcept {
  const std::size_t bytes = BytesOf(data->length);
  data->~StringData();
  thePool.Give(data, bytes);
}

}  // namespace detail

namespace {

using detail::NewText;
using detail::StringData;

// How many code units a wide string becomes, up to its NUL.
std::uint32_t WideUnits(const wchar_t* text) {
  std::uint32_t count = 0;
  for (; text != nullptr && *text != L'\0'; ++text) {
    const auto c = static_cast<std::uint32_t>(*text);
    count += c >= 0x10000 && c <= 0x10FFFF ? 2 : 1;
  }
  return count;
}

// Writes a wide string as UTF-16 code units (WideUnits() of them) from `out` on.
void PutWide(const wchar_t* text, char16_t* out) {
  for (; *text != L'\0'; ++text) {
    auto c = static_cast<std::uint32_t>(*text);
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      *out++ = static_cast<char16_t>(0xD800 + (c >> 10));
      *out++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      *out++ = c > 0x10FFFF ? u'\xFFFD' : static_cast<char16_t>(c);
    }
  }
}

StringData* FromWide(const wchar_t* text) {
  if (text == nullptr || *text == L'\0')
    return nullptr;
  // Most texts hold no character beyond 16 bits: their units are the characters themselves,
  // copied in one pass that notes whether any was wider.
  const std::size_t length = std::wcslen(text);
  char16_t* units = nullptr;
  StringData* data = NewText(static_cast<std::uint32_t>(length), units);
  std::uint32_t all = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const auto c = static_cast<std::uint32_t>(text[i]);
    all |= c;
    units[i] = static_cast<char16_t>(c);
  }
  if (all <= 0xFFFF)
    return data;
  // Some character became a surrogate pair (or U+FFFD): start again, counting.
  detail::FreeText(data);
  StringData* wide = NewText(WideUnits(text), units);
  PutWide(text, units);
  return wide;
}

// The units of `a` followed by those of `b`, as a new text (nullptr when both are empty).
StringData* Joined(const char16_t* a, std::uint32_t aLength, const char16_t* b,
                   std::uint32_t bLength) {
  if (aLength + bLength == 0)
    return nullptr;
  char16_t* units = nullptr;
  StringData* data = NewText(aLength + bLength, units);
  std::memcpy(units, a, sizeof(char16_t) * aLength);
  std::memcpy(units + aLength, b, sizeof(char16_t) * bLength);
  return data;
}

const char16_t* UnitsOf(const StringData* data) {
  return data != nullptr ? data->Units() : nullptr;
}

}  // namespace

void CString::Free(StringData* data) noexcept {
  detail::FreeText(data);
}

CString::CString(const wchar_t* text) : m_data(FromWide(text)) {}

CString& CString::operator=(const CString& other) {
  other.Hold();
  if (m_data != nullptr)
    Release(m_data);
  m_data = other.m_data;
  return *this;
}

CString& CString::operator=(CString&& other) noexcept {
  if (this != &other) {
    if (m_data != nullptr)
      Release(m_data);
    m_data = std::exchange(other.m_data, nullptr);
  }
  return *this;
}

CString& CString::operator=(const wchar_t* text) {
  StringData* fresh = FromWide(text);
  if (m_data != nullptr)
    Release(m_data);
  m_data = fresh;
  return *this;
}

CString CString::operator+(const CString& other) const {
  if (other.m_data == nullptr)
    return *this;
  if (m_data == nullptr)
    return other;
  CString result;
  result.m_data = Joined(UnitsOf(m_data), Length(), UnitsOf(other.m_data), other.Length());
  return result;
}

CString CString::operator+(const wchar_t* text) const {
  const std::uint32_t added = WideUnits(text);
  if (added == 0)
    return *this;
  CString result;
  char16_t* units = nullptr;
  result.m_data = NewText(Length() + added, units);
  if (m_data != nullptr)
    std::memcpy(units, m_data->Units(), sizeof(char16_t) * Length());
  PutWide(text, units + Length());
  return result;
}

CString& CString::operator+=(const CString& other) {
  *this = *this + other;
  return *this;
}

bool CString::operator==(const CString& other) const {
  return m_data == other.m_data ||
         (Length() == other.Length() &&
          std::memcmp(m_data->Units(), other.m_data->Units(), sizeof(char16_t) * Length()) == 0);
}

bool CString::operator==(const wchar_t* text) const {
  if (text == nullptr)
    return Length() == 0;
  // Compare unit by unit as the text would be stored, without making it.
  ULONG at = 0;
  for (; *text != L'\0'; ++text) {
    auto c = static_cast<std::uint32_t>(*text);
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      if (at + 2 > Length() || (*this)[at] != 0xD800 + (c >> 10) ||
          (*this)[at + 1] != 0xDC00 + (c & 0x3FF))
        return false;
      at += 2;
    } else {
      const char16_t unit = c > 0x10FFFF ? u'\xFFFD' : static_cast<char16_t>(c);
      if (at >= Length() || (*this)[at] != unit)
        return false;
      ++at;
    }
  }
  return at == Length();
}

CString operator+(const wchar_t* text, const CString& string) {
  return CString(text) + string;
}

}  // namespace XSI
