// CString: texts shared between copies, one byte a unit when they can be. This file alone knows
// how a CString keeps its text; the rest of the host reaches it through Representation.
#include <xsi_string.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <new>
#include <utility>

#include "representation.h"
#include "text_pool.h"

namespace XSI {

namespace {

// The text of a CString: immutable once made, and shared by every copy of the CString, so that
// a copy (a name handed out by value, say) costs no allocation. The code units follow the
// header: one byte each when every unit of the text is below 256 (then it is "narrow", as
// nearly every name is), two bytes each otherwise; a text is narrow exactly when it can be. An
// empty CString holds no text.
struct StringData {
  static constexpr std::uint32_t kNarrow = 0x80000000u;
  std::atomic<std::uint32_t> holders;  // how many CStrings share this text
  std::uint32_t lengthAndWidth;        // code units (never 0), and kNarrow for a narrow text

  std::uint32_t Length() const { return lengthAndWidth & ~kNarrow; }
  bool Narrow() const { return (lengthAndWidth & kNarrow) != 0; }
  unsigned char* Bytes() { return reinterpret_cast<unsigned char*>(this + 1); }
  const unsigned char* Bytes() const { return reinterpret_cast<const unsigned char*>(this + 1); }
  char16_t* Units() { return reinterpret_cast<char16_t*>(this + 1); }
  const char16_t* Units() const { return reinterpret_cast<const char16_t*>(this + 1); }
  char16_t At(std::uint32_t index) const { return Narrow() ? Bytes()[index] : Units()[index]; }
};

std::size_t BytesOf(std::uint32_t length, bool narrow) {
  return sizeof(StringData) + (narrow ? 1 : sizeof(char16_t)) * length;
}

// A new text of `length` (> 0) code units, held once.
StringData* NewText(std::uint32_t length, bool narrow) {
  void* memory = theSmallPool.Take(BytesOf(length, narrow));
  return new (memory) StringData{{1}, length | (narrow ? StringData::kNarrow : 0)};
}

void FreeText(StringData* data) noexcept {
  const std::size_t bytes = BytesOf(data->Length(), data->Narrow());
  data->~StringData();
  theSmallPool.Give(data, bytes);
}

StringData* DataOf(void* handle) {
  return static_cast<StringData*>(handle);
}

void Hold(void* handle) {
  if (handle != nullptr)
    DataOf(handle)->holders.fetch_add(1, std::memory_order_relaxed);
}

// Lets go of a text, freeing it when this was its last holder.
void Release(void* handle) noexcept {
  if (handle != nullptr && DataOf(handle)->holders.fetch_sub(1, std::memory_order_acq_rel) == 1)
    FreeText(DataOf(handle));
}

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
      std::memcpy(data->Bytes(), bytes, count);
      return data;
    }
  } else {
    for (std::size_t i = 0; i < count; ++i)
      all |= static_cast<std::uint32_t>(text[i]);
  }
  if (all <= 0xFFFF) {
    StringData* data = NewText(static_cast<std::uint32_t>(count), all < 0x100);
    if (data->Narrow())
      std::copy(text, text + count, data->Bytes());
    else
      std::copy(text, text + count, data->Units());
    return data;
  }
  std::uint32_t largest = 0;
  const std::uint32_t length = WideUnits(text, largest);
  StringData* data = NewText(length, largest < 0x100);
  if (data->Narrow())
    PutWide(text, data->Bytes());
  else
    PutWide(text, data->Units());
  return data;
}

// The units of `a` followed by those of `b`, both not null, as a new text: narrow when both are.
StringData* Joined(StringData* a, StringData* b) {
  const std::uint32_t aLength = a->Length();
  const std::uint32_t bLength = b->Length();
  StringData* data = NewText(aLength + bLength, a->Narrow() && b->Narrow());
  if (data->Narrow()) {
    CopyUnits(a, aLength, data->Bytes());
    CopyUnits(b, bLength, data->Bytes() + aLength);
  } else {
    CopyUnits(a, aLength, data->Units());
    CopyUnits(b, bLength, data->Units() + aLength);
  }
  return data;
}

}  // namespace

CString::CString() : m_handle(nullptr) {}
CString::CString(const wchar_t* text) : m_handle(FromWide(text)) {}
CString::CString(const CString& other) : m_handle(other.m_handle) {
  Hold(m_handle);
}
CString::CString(CString&& other) noexcept : m_handle(other.m_handle) {
  other.m_handle = nullptr;
}
CString::~CString() {
  Release(m_handle);
}

CString& CString::operator=(const CString& other) {
  Hold(other.m_handle);  // first, so that assigning a string to itself keeps its text
  Release(m_handle);
  m_handle = other.m_handle;
  return *this;
}

CString& CString::operator=(CString&& other) noexcept {
  if (this != &other) {
    Release(m_handle);
    m_handle = other.m_handle;
    other.m_handle = nullptr;
  }
  return *this;
}

CString& CString::operator=(const wchar_t* text) {
  StringData* fresh = FromWide(text);
  Release(m_handle);
  m_handle = fresh;
  return *this;
}

ULONG CString::Length() const {
  return m_handle != nullptr ? DataOf(m_handle)->Length() : 0;
}

char16_t CString::operator[](ULONG index) const {
  return index < Length() ? DataOf(m_handle)->At(index) : u'\0';
}

CString CString::operator+(const CString& other) const {
  if (other.m_handle == nullptr)
    return *this;
  if (m_handle == nullptr)
    return other;
  CString result;
  result.m_handle = Joined(DataOf(m_handle), DataOf(other.m_handle));
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
  if (m_handle == other.m_handle)
    return true;
  // Each text is narrow exactly when it can be: a narrow and a wide one always differ.
  if (Length() != other.Length() || DataOf(m_handle)->Narrow() != DataOf(other.m_handle)->Narrow())
    return false;
  const StringData* a = DataOf(m_handle);
  return std::memcmp(a + 1, DataOf(other.m_handle) + 1, (a->Narrow() ? 1 : 2) * Length()) == 0;
}

bool CString::operator!=(const CString& other) const {
  return !(*this == other);
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

bool CString::operator!=(const wchar_t* text) const {
  return !(*this == text);
}

CString operator+(const wchar_t* text, const CString& string) {
  return CString(text) + string;
}

// ---- The door for the host's machinery ----

CString Representation::Make(std::uint32_t count, bool narrow,
                             void (*write)(void* room, void* context), void* context) {
  CString made;
  if (count == 0)
    return made;
  StringData* data = NewText(count, narrow);
  made.m_handle = data;
  write(data + 1, context);
  return made;
}

CString Representation::FromUnits(std::u16string_view units) {
  units = units.substr(0, units.find(u'\0'));
  char16_t largest = 0;
  for (char16_t unit : units)
    largest = std::max(largest, unit);
  const bool narrow = largest < 0x100;
  return Make(static_cast<std::uint32_t>(units.size()), narrow,
              narrow ? +[](void* room, void* context) {
                const auto& from = *static_cast<std::u16string_view*>(context);
                std::copy(from.begin(), from.end(), static_cast<unsigned char*>(room));
              }
                     : +[](void* room, void* context) {
                         const auto& from = *static_cast<std::u16string_view*>(context);
                         std::copy(from.begin(), from.end(), static_cast<char16_t*>(room));
                       },
              &units);
}

CString Representation::FromBytes(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  return Make(
      static_cast<std::uint32_t>(bytes.size()), true,
      [](void* room, void* context) {
        const auto& from = *static_cast<std::string_view*>(context);
        std::memcpy(room, from.data(), from.size());
      },
      &bytes);
}

std::u16string Representation::Units(const CString& text) {
  std::u16string units(text.Length(), u'\0');
  for (ULONG i = 0; i < text.Length(); ++i)
    units[i] = DataOf(text.m_handle)->At(i);
  return units;
}

bool Representation::Ascii(const CString& text, std::string_view& bytes) {
  if (text.m_handle == nullptr) {
    bytes = std::string_view();
    return true;
  }
  const StringData* data = DataOf(text.m_handle);
  if (!data->Narrow())
    return false;
  bytes = std::string_view(reinterpret_cast<const char*>(data->Bytes()), data->Length());
  for (char byte : bytes) {
    if (static_cast<unsigned char>(byte) >= 0x80)
      return false;
  }
  return true;
}

CString Representation::Join(const CString* const* parts, std::size_t count, char16_t separator) {
  std::uint32_t length = count > 0 ? static_cast<std::uint32_t>(count - 1) : 0;
  bool narrow = separator < 0x100;
  for (std::size_t i = 0; i < count; ++i) {
    length += parts[i]->Length();
    narrow = narrow && (parts[i]->m_handle == nullptr || DataOf(parts[i]->m_handle)->Narrow());
  }
  CString joined;
  if (length == 0)
    return joined;
  StringData* data = NewText(length, narrow);
  joined.m_handle = data;
  std::uint32_t at = 0;
  auto put = [&](char16_t unit) {
    if (narrow)
      data->Bytes()[at++] = static_cast<unsigned char>(unit);
    else
      data->Units()[at++] = unit;
  };
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0)
      put(separator);
    for (ULONG k = 0; k < parts[i]->Length(); ++k)
      put((*parts[i])[k]);
  }
  return joined;
}

CString Representation::From(const CString& text, ULONG begin) {
  std::u16string units;
  for (ULONG i = begin; i < text.Length(); ++i)
    units.push_back(text[i]);
  return FromUnits(units);
}

}  // namespace XSI
