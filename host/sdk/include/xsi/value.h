// CValue and CValueArray: the host's variant and arrays of it.
#pragma once

#include <xsi/cstring.h>
#include <xsi/ref.h>
#include <xsi/types.h>

#include <vector>

namespace XSI {

// The host's variant: empty, boolean, 32-bit integer, string or object reference.
class XSISDKAPI CValue {
 public:
  enum DataType : LONG {
    siEmpty = 0,
    siInt4 = 3,
    siString = 8,
    siBool = 11,
    siRef = 13,
  };

  CValue();
  CValue(bool value);
  CValue(LONG value);
  CValue(const CString& value);
  CValue(const wchar_t* value);
  CValue(const CRef& value) : m_type(siRef), m_bool(false), m_long(0), m_ref(value) {}
  CValue(const CValue& other) = default;
  CValue(CValue&& other) noexcept = default;
  ~CValue() = default;
  CValue& operator=(const CValue& other);
  CValue& operator=(CValue&& other) noexcept;
  CValue& operator=(bool value);
  CValue& operator=(LONG value);
  CValue& operator=(const wchar_t* value);
  CValue& operator=(const CRef& value);

  DataType GetType() const;
  bool IsEmpty() const;

  // Same type and same value; two empty values are equal.
  bool operator==(const CValue& other) const;
  bool operator!=(const CValue& other) const;

  // True for a true boolean, a non-zero integer, a non-empty string or a valid reference.
  explicit operator bool() const;
  // The reference held; an empty reference for every other type.
  operator CRef() const { return m_type == siRef ? m_ref : CRef(); }

 private:
  friend struct detail::Access;
  DataType m_type;
  bool m_bool;
  LONG m_long;
  CString m_string;
  CRef m_ref;
};

// An ordered array of values, for command arguments and enumeration items.
class XSISDKAPI CValueArray {
 public:
  explicit CValueArray(LONG count = 0);
  LONG GetCount() const;
  void Add(const CValue& value);
  // Element access; an index outside 0..GetCount()-1 gives an empty value.
  CValue& operator[](LONG index);
  const CValue& operator[](LONG index) const;

 private:
  std::vector<CValue> m_values;
  CValue m_outside;
};

}  // namespace XSI
