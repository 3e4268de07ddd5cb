// The host machinery's door into the private parts of the SDK's value types: the code units of
// a CString, the handle inside a CRef and the contents of a CValue. Only the
// machinery includes this header.
#pragma once

#include <xsi/sdk.h>

#include <cstdint>
#include <cstring>
#include <string_view>

namespace XSI::detail {

// Defined with CString: a new text of `length` (> 0) code units, held once; `units` receives
// where to write them.
StringData* NewText(std::uint32_t length, char16_t*& units);
// Frees a text that no CString holds any more.
void FreeText(StringData* data) noexcept;

struct Access {
  static std::u16string_view Units(const CString& s) {
    return s.m_data != nullptr ? std::u16string_view(s.m_data->Units(), s.m_data->length)
                               : std::u16string_view();
  }
  // A CString holding `data` (from NewText), which it takes over.
  static CString Adopt(StringData* data) {
    CString s;
    s.m_data = data;
    return s;
  }
  // A CString of the code units up to the first NUL.
  static CString Make(std::u16string_view units) {
    units = units.substr(0, units.find(u'\0'));
    CString s;
    if (!units.empty()) {
      char16_t* out = nullptr;
      s.m_data = NewText(static_cast<std::uint32_t>(units.size()), out);
      std::memcpy(out, units.data(), sizeof(char16_t) * units.size());
    }
    return s;
  }

  static std::uint64_t Handle(const CRef& r) { return r.m_handle; }
  static CRef MakeRef(std::uint64_t handle) {
    CRef r;
    r.m_handle = handle;
    return r;
  }

  static bool Bool(const CValue& v) { return v.m_bool; }
  static LONG Long(const CValue& v) { return v.m_long; }
  static const CString& String(const CValue& v) { return v.m_string; }
  static const CRef& Ref(const CValue& v) { return v.m_ref; }
};

}  // namespace XSI::detail
