// CString: texts shared between copies, one byte a unit when they can be.
#include <xsi/cstring.h>

#include <algorithm>
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

std::size_t BytesOf(std::uint32_t length, bool narrow) {
  return sizeof(StringData) + (narrow ? 1 : sizeof(char16_t)) * length;
}

}  // namespace

StringData* NewText(std::uint32_t length, bool narrow) {
  void* memory = thePool.Take(BytesOf(length, narrow));
  return new (memory) StringData{{1}, length | (narrow ? StringData::kNarrow : 0)};
}

void FreeText(StringData* data) noexcept {
  const std::size_t bytes = BytesOf(data->Length(), data->Narrow());
  data->~StringData();
  thePool.Give(data, bytes);
}

unsigned char* BytesOf(StringData* data) {
  return reinterpret_cast<unsigned char*>(data + 1);
}
char16_t* UnitsOf(StringData* data) {
  return reinterpret_cast<char16_t*>(data + 1);
}

}  // namespace detail

namespace {

using detail::NewText;
using detail::StringData;

// How many code units a wide string becomes, up to its NUL, and the largest of them.
std::uint32_t WideUnits(const wchar_t* text, std::uint32_t& largest) {
  std::uint32_t count = 0;
  largest = 0;
  for (; text != nullptr && *text != L'\0'; ++text) {
    const auto c = static_cast<std::uint32_t>(*text);
    const bool pair = c >= 0x10000 && c <= 0x10FFFF;
    count += pair ? 2 : 1;
    largest = std::max(largest, pair ? 0xD800u : c > 0x10FFFF ? 0xFFFDu : c);
  }
  return count;
}

// Writes a wide string as UTF-16 code units (WideUnits() of them) from `out` on: to bytes for a
// narrow text, whose units are all below 256.
template <typename Unit>
void PutWide(const wchar_t* text, Unit* out) {
  for (; *text != L'\0'; ++text) {
    auto c = static_cast<std::uint32_t>(*text);
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      *out++ = static_cast<Unit>(0xD800 + (c >> 10));
      *out++ = static_cast<Unit>(0xDC00 + (c & 0x3FF));
    } else {
      *out++ = static_cast<Unit>(c > 0x10FFFF ? 0xFFFD : c);
    }
  }
}

// Copies `length` units of `from` (a narrow or a wide text) to `out`.
template <typename Unit>
void CopyUnits(StringData* from, std::uint32_t length, Unit* out) {
  if (from->Narrow()) {
    std::copy(from->Bytes(), from->Bytes() + length, out);
  } else {
    const char16_t* units = from->Units();
    for (std::uint32_t i = 0; i < length; ++i)
      out[i] = static_cast<Unit>(units[i]);
  }
}

// Texts up to this many characters are converted on the stack.
constexpr std::size_t kShort = 256;

StringData* FromWide(const wchar_t* text) {
  if (text == nullptr || *text == L'\0')
    return nullptr;
  // Most texts are characters of 16 bits or fewer, each one code unit, with no surrogate to make:
  // a short one is told apart and copied in one pass, a longer one in two.
  const std::size_t count = std::wcslen(text);
  std::uint32_t all = 0;
  if (count <= kShort) {
    // A name: its bytes are taken while its characters are told apart, in one pass.
    unsigned char bytes[kShort];
    for (std::size_t i = 0; i < count; ++i) {
      all |= static_cast<std::uint32_t>(text[i]);
      bytes[i] = static_cast<unsigned char>(text[i]);
    }
    if (all < 0x100) {
      StringData* data = NewText(static_cast<std::uint32_t>(count), true);
      std::memcpy(detail::BytesOf(data), bytes, count);
      return data;
    }
  } else {
    for (std::size_t i = 0; i < count; ++i)
      all |= static_cast<std::uint32_t>(text[i]);
  }
  if (all <= 0xFFFF) {
    StringData* data = NewText(static_cast<std::uint32_t>(count), all < 0x100);
    if (data->Narrow())
      std::copy(text, text + count, detail::BytesOf(data));
    else
      std::copy(text, text + count, detail::UnitsOf(data));
    return data;
  }
  std::uint32_t largest = 0;
  const std::uint32_t length = WideUnits(text, largest);
  StringData* data = NewText(length, largest < 0x100);
  if (data->Narrow())
    PutWide(text, detail::BytesOf(data));
  else
    PutWide(text, detail::UnitsOf(data));
  return data;
}

// The units of `a` followed by those of `b`, both not null, as a new text: narrow when both are.
StringData* Joined(StringData* a, StringData* b) {
  const std::uint32_t aLength = a->Length();
  const std::uint32_t bLength = b->Length();
  StringData* data = NewText(aLength + bLength, a->Narrow() && b->Narrow());
  if (data->Narrow()) {
    CopyUnits(a, aLength, detail::BytesOf(data));
    CopyUnits(b, bLength, detail::BytesOf(data) + aLength);
  } else {
    CopyUnits(a, aLength, detail::UnitsOf(data));
    CopyUnits(b, bLength, detail::UnitsOf(data) + aLength);
  }
  return data;
}

}  // namespace

void CString::Free(StringData* data) noexcept {
  detail::FreeText(data);
}

CString::CString(const wchar_t* text) : m_data(FromWide(text)) {}

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
  result.m_data = Joined(m_data, other.m_data);
  return result;
}

CString CString::operator+(const wchar_t* text) const {
  const CString added(text);
  return *this + added;
}

CString& CString::operator+=(const CString& other) {
  *this = *this + other;
  return *this;
}

bool CString::operator==(const CString& other) const {
  if (m_data == other.m_data)
    return true;
  // Each text is narrow exactly when it can be: a narrow and a wide one always differ.
  if (Length() != other.Length() || m_data->Narrow() != other.m_data->Narrow())
    return false;
  return std::memcmp(m_data + 1, other.m_data + 1, (m_data->Narrow() ? 1 : 2) * Length()) == 0;
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
