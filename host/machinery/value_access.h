// The host machinery's door into the private parts of the SDK's value types: the code units of
// a CString, the handle inside a CRef and the contents of a CValue. Only the
// machinery includes this header.
#pragma once

#include <xsi/sdk.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace XSI::detail {

// Defined with CString: a new text of `length` (> 0) code units, held once, one byte a unit when
// `narrow`; where its units go; and the freeing of a text that no CString holds any more.
StringData* NewText(std::uint32_t length, bool narrow);
unsigned char* BytesOf(StringData* data);
char16_t* UnitsOf(StringData* data);
void FreeText(StringData* data) noexcept;

struct Access {
  // A CString holding `data` (from NewText), which it takes over.
  static CString Adopt(StringData* data) {
    CString s;
    s.m_data = data;
    return s;
  }
  // A CString of the code units up to the first NUL, narrow when it can be.
  static CString Make(std::u16string_view units) {
    units = units.substr(0, units.find(u'\0'));
    if (units.empty())
      return CString();
    char16_t largest = 0;
    for (char16_t unit : units)
      largest = std::max(largest, unit);
    StringData* data = NewText(static_cast<std::uint32_t>(units.size()), largest < 0x100);
    if (data->Narrow())
      std::copy(units.begin(), units.end(), BytesOf(data));
    else
      std::copy(units.begin(), units.end(), UnitsOf(data));
    return Adopt(data);
  }
  // The code units of a CString as a string of their own.
  static std::u16string Units(const CString& s) {
    std::u16string units(s.Length(), u'\0');
    for (ULONG i = 0; i < s.Length(); ++i)
      units[i] = s[i];
    return units;
  }
  // Whether every unit is below 128, and then the text as those bytes.
  static bool Ascii(const CString& s, std::string_view& bytes) {
    if (s.m_data == nullptr) {
      bytes = std::string_view();
      return true;
    }
    if (!s.m_data->Narrow())
      return false;
    const auto* begin = reinterpret_cast<const char*>(s.m_data->Bytes());
    bytes = std::string_view(begin, s.Length());
    for (char byte : bytes) {
      if (static_cast<unsigned char>(byte) >= 0x80)
        return false;
    }
    return true;
  }
  // Whether `text` ends with `tail`.
  static bool EndsWith(const CString& text, const CString& tail) {
    const ULONG length = text.Length();
    const ULONG tailLength = tail.Length();
    if (tailLength > length)
      return false;
    for (ULONG i = 0; i < tailLength; ++i) {
      if (text[length - tailLength + i] != tail[i])
        return false;
    }
    return true;
  }
  // The texts `parts[0]` to `parts[count - 1]` joined by `separator`, made at once.
  static CString Join(const CString* const* parts, std::size_t count, char16_t separator) {
    std::uint32_t length = count > 0 ? static_cast<std::uint32_t>(count - 1) : 0;
    bool narrow = separator < 0x100;
    for (std::size_t i = 0; i < count; ++i) {
      length += parts[i]->Length();
      narrow = narrow && (parts[i]->m_data == nullptr || parts[i]->m_data->Narrow());
    }
    if (length == 0)
      return CString();
    StringData* data = NewText(length, narrow);
    std::uint32_t at = 0;
    auto put = [&](char16_t unit) {
      if (narrow)
        BytesOf(data)[at++] = static_cast<unsigned char>(unit);
      else
        UnitsOf(data)[at++] = unit;
    };
    for (std::size_t i = 0; i < count; ++i) {
      if (i > 0)
        put(separator);
      for (ULONG k = 0; k < parts[i]->Length(); ++k)
        put((*parts[i])[k]);
    }
    return Adopt(data);
  }
  // The units [begin, Length()) of `text` as a CString.
  static CString From(const CString& text, ULONG begin) {
    std::u16string units;
    for (ULONG i = begin; i < text.Length(); ++i)
      units.push_back(text[i]);
    return Make(units);
  }

  static std::uint64_t Handle(const CRef& r) { return r.m_handle; }
  static CRef MakeRef(std::uint64_t handle) {
    CRef r;
    r.m_handle = handle;
    return r;
  }

  // Room for `count` references in `refs` (empty), so that adding them allocates at most once.
  static void Reserve(CRefArray& refs, std::size_t count) {
    if (count > static_cast<std::size_t>(CRefArray::kInline))
      refs.m_heap.reserve(count);
  }

  static bool Bool(const CValue& v) { return v.m_bool; }
  static LONG Long(const CValue& v) { return v.m_long; }
  static const CString& String(const CValue& v) { return v.m_string; }
  static const CRef& Ref(const CValue& v) { return v.m_ref; }
};

}  // namespace XSI::detail
