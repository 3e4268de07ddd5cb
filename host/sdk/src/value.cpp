// CValue and CValueArray. A value's contents are kept apart and shared by its copies (a value
// never changes once made: assignment makes another); the empty value holds nothing.
#include <xsi_value.h>

#include <atomic>
#include <new>
#include <utility>
#include <vector>

#include "machinery.h"
#include "representation.h"
#include "text_pool.h"

namespace XSI {

namespace {

struct ValueData {
  std::atomic<std::uint32_t> holders{1};
  CValue::DataType type = CValue::siEmpty;
  bool boolean = false;
  LONG integer = 0;
  CString string;
  CRef ref;
};

ValueData* DataOf(void* handle) {
  return static_cast<ValueData*>(handle);
}

ValueData* Hold(void* handle) {
  if (handle != nullptr)
    DataOf(handle)->holders.fetch_add(1, std::memory_order_relaxed);
  return DataOf(handle);
}

// A value's contents come from the pool of small pieces: cheaper than the heap for a value made
// and dropped on every call that passes an object.
void Release(void* handle) noexcept {
  if (handle != nullptr && DataOf(handle)->holders.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    DataOf(handle)->~ValueData();
    theSmallPool.Give(handle, sizeof(ValueData));
  }
}

ValueData* Made(CValue::DataType type) {
  auto* data = new (theSmallPool.Take(sizeof(ValueData))) ValueData;
  data->type = type;
  return data;
}

const ValueData& Empty() {
  static const ValueData empty;
  return empty;
}

const ValueData& Of(void* handle) {
  return handle != nullptr ? *DataOf(handle) : Empty();
}

}  // namespace

CValue::CValue() : m_handle(nullptr) {}
CValue::CValue(bool value) : m_handle(Made(siBool)) {
  DataOf(m_handle)->boolean = value;
}
CValue::CValue(LONG value) : m_handle(Made(siInt4)) {
  DataOf(m_handle)->integer = value;
}
CValue::CValue(const CString& value) : m_handle(Made(siString)) {
  DataOf(m_handle)->string = value;
}
CValue::CValue(const wchar_t* value) : CValue(CString(value)) {}
CValue::CValue(const CRef& value) : m_handle(Made(siRef)) {
  DataOf(m_handle)->ref = value;
}
CValue::CValue(const CValue& other) : m_handle(Hold(other.m_handle)) {}
CValue::CValue(CValue&& other) noexcept : m_handle(other.m_handle) {
  other.m_handle = nullptr;
}
CValue::~CValue() {
  Release(m_handle);
}

CValue& CValue::operator=(const CValue& other) {
  Hold(other.m_handle);  // first, so that assigning a value to itself keeps it
  Release(m_handle);
  m_handle = other.m_handle;
  return *this;
}
CValue& CValue::operator=(CValue&& other) noexcept {
  if (this != &other) {
    Release(m_handle);
    m_handle = other.m_handle;
    other.m_handle = nullptr;
  }
  return *this;
}
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
  return Of(m_handle).type;
}
bool CValue::IsEmpty() const {
  return GetType() == siEmpty;
}

bool CValue::operator==(const CValue& other) const {
  const ValueData& a = Of(m_handle);
  const ValueData& b = Of(other.m_handle);
  if (a.type != b.type)
    return false;
  switch (a.type) {
    case siEmpty:
      return true;
    case siBool:
      return a.boolean == b.boolean;
    case siInt4:
      return a.integer == b.integer;
    case siString:
      return a.string == b.string;
    case siRef:
      return a.ref == b.ref;
  }
  return false;
}

bool CValue::operator!=(const CValue& other) const {
  return !(*this == other);
}

CValue::operator bool() const {
  const ValueData& data = Of(m_handle);
  switch (data.type) {
    case siBool:
      return data.boolean;
    case siInt4:
      return data.integer != 0;
    case siString:
      return data.string.Length() != 0;
    case siRef:
      return xsihost::machinery::Bound().Exists(data.ref);
    case siEmpty:
      break;
  }
  return false;
}

CValue::operator CRef() const {
  return Of(m_handle).ref;
}

bool Representation::Bool(const CValue& value) {
  return Of(value.m_handle).boolean;
}
LONG Representation::Long(const CValue& value) {
  return Of(value.m_handle).integer;
}
const CString& Representation::String(const CValue& value) {
  return Of(value.m_handle).string;
}
const CRef& Representation::Ref(const CValue& value) {
  return Of(value.m_handle).ref;
}

// ---- CValueArray ----

namespace {

using ValueList = std::vector<CValue>;

ValueList& ListOf(void* handle) {
  return *static_cast<ValueList*>(handle);
}

CValue& OutsideValue() {
  thread_local CValue outside;
  outside = CValue();
  return outside;
}

}  // namespace

CValueArray::CValueArray(LONG count)
    : m_handle(new ValueList(count > 0 ? static_cast<std::size_t>(count) : 0)) {}
CValueArray::CValueArray(const CValueArray& other)
    : m_handle(new ValueList(ListOf(other.m_handle))) {}
CValueArray::~CValueArray() {
  delete &ListOf(m_handle);
}
CValueArray& CValueArray::operator=(const CValueArray& other) {
  if (this != &other)
    ListOf(m_handle) = ListOf(other.m_handle);
  return *this;
}

LONG CValueArray::GetCount() const {
  return static_cast<LONG>(ListOf(m_handle).size());
}

void CValueArray::Add(const CValue& value) {
  ListOf(m_handle).push_back(value);
}

CValue& CValueArray::operator[](LONG index) {
  if (index >= 0 && index < GetCount())
    return ListOf(m_handle)[static_cast<std::size_t>(index)];
  return OutsideValue();
}

const CValue& CValueArray::operator[](LONG index) const {
  if (index >= 0 && index < GetCount())
    return ListOf(m_handle)[static_cast<std::size_t>(index)];
  return OutsideValue();
}

}  // namespace XSI
