// The SDK face's references and values: CRef, CRefArray, CValue, CValueArray.
#include <xsi/ref.h>
#include <xsi/value.h>

#include "machinery.h"

namespace XSI {

bool CRef::IsValid() const {
  xsihost::machinery::Enter("CRef::IsValid", xsihost::machinery::Op::Query);
  return xsihost::machinery::Exists(*this);
}

CRef& CRefArray::operator[](LONG index) {
  if (index >= 0 && index < m_count)
    return Data()[index];
  m_outside = CRef();
  return m_outside;
}

CValue::CValue() : m_type(siEmpty), m_bool(false), m_long(0) {}
CValue::CValue(bool value) : m_type(siBool), m_bool(value), m_long(0) {}
CValue::CValue(LONG value) : m_type(siInt4), m_bool(false), m_long(value) {}
CValue::CValue(const CString& value)
    : m_type(siString), m_bool(false), m_long(0), m_string(value) {}
CValue::CValue(const wchar_t* value)
    : m_type(siString), m_bool(false), m_long(0), m_string(value) {}
CValue& CValue::operator=(const CValue& other) = default;
CValue& CValue::operator=(CValue&& other) noexcept = default;
CValue& CValue::operator=(bool value) {
  return *this = CValue(value);
}
CValue& CValue::operator=(LONG value) {
  return *this = CValue(value);
}
CValue& CValue::operator=(const wchar_t* value) {
  return *this = CValue(value);
}
CValue& CValue::operator=(const CRef& value) {
  return *this = CValue(value);
}

CValue::DataType CValue::GetType() const {
  return m_type;
}
bool CValue::IsEmpty() const {
  return m_type == siEmpty;
}

bool CValue::operator==(const CValue& other) const {
  if (m_type != other.m_type)
    return false;
  switch (m_type) {
    case siEmpty:
      return true;
    case siBool:
      return m_bool == other.m_bool;
    case siInt4:
      return m_long == other.m_long;
    case siString:
      return m_string == other.m_string;
    case siRef:
      return m_ref == other.m_ref;
  }
  return false;
}

bool CValue::operator!=(const CValue& other) const {
  return !(*this == other);
}

CValue::operator bool() const {
  switch (m_type) {
    case siBool:
      return m_bool;
    case siInt4:
      return m_long != 0;
    case siString:
      return m_string.Length() != 0;
    case siRef:
      return xsihost::machinery::Exists(m_ref);
    case siEmpty:
      break;
  }
  return false;
}

CValueArray::CValueArray(LONG count) : m_values(count > 0 ? static_cast<size_t>(count) : 0) {}
LONG CValueArray::GetCount() const {
  return static_cast<LONG>(m_values.size());
}
void CValueArray::Add(const CValue& value) {
  m_values.push_back(value);
}

CValue& CValueArray::operator[](LONG index) {
  if (index >= 0 && static_cast<size_t>(index) < m_values.size())
    return m_values[index];
  m_outside = CValue();
  return m_outside;
}

const CValue& CValueArray::operator[](LONG index) const {
  if (index >= 0 && static_cast<size_t>(index) < m_values.size())
    return m_values[index];
  return m_outside;
}

}  // namespace XSI
