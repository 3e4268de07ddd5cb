// The stand-in host's door into the private parts of the SDK's value types.
#pragma once

#include <xsi/sdk.h>

#include <cstdint>
#include <string>

namespace XSI::detail {

struct Access {
  static std::u16string& Units(CString& s) { return s.m_units; }
  static const std::u16string& Units(const CString& s) { return s.m_units; }
  static CString Make(std::u16string units) {
    CString s;
    auto nul = units.find(u'\0');
    if (nul != std::u16string::npos)
      units.resize(nul);
    s.m_units = std::move(units);
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

  static void SetLayoutOwner(PPGLayout& l, const CRef& owner) { l.m_owner = owner; }
  static const CRef& LayoutOwner(const PPGLayout& l) { return l.m_owner; }
  static void SetItem(PPGItem& item, const CRef& owner, LONG index) {
    item.m_owner = owner;
    item.m_index = index;
  }
  static const CRef& ItemOwner(const PPGItem& item) { return item.m_owner; }
};

}  // namespace XSI::detail
