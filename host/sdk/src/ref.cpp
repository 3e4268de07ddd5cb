// CRef and CRefArray. A reference is a handle the host's machinery hands out (0: none); an
// array keeps its references in a list of its own, made when the first is added.
#include <xsi_ref.h>

#include <vector>

#include "machinery.h"
#include "representation.h"

namespace XSI {

namespace {

using RefList = std::vector<CRef>;

RefList* ListOf(void* handle) {
  return static_cast<RefList*>(handle);
}

// What an index outside the array gives: an empty reference, which may be assigned to without
// effect (each thread has its own).
CRef& Outside() {
  thread_local CRef outside;
  outside = CRef();
  return outside;
}

}  // namespace

CRef::CRef() : m_handle(0) {}

bool CRef::IsValid() const {
  xsihost::machinery::Machinery& host = xsihost::machinery::Bound();
  xsihost::machinery::Enter(host, "CRef::IsValid", xsihost::machinery::Op::Query);
  return host.Exists(*this);
}

bool CRef::operator==(const CRef& other) const {
  return m_handle == other.m_handle;
}
bool CRef::operator!=(const CRef& other) const {
  return m_handle != other.m_handle;
}

CRefArray::CRefArray() : m_handle(nullptr) {}
CRefArray::CRefArray(const CRefArray& other)
    : m_handle(other.m_handle != nullptr ? new RefList(*ListOf(other.m_handle)) : nullptr) {}
CRefArray::CRefArray(CRefArray&& other) noexcept : m_handle(other.m_handle) {
  other.m_handle = nullptr;
}
CRefArray::~CRefArray() {
  delete ListOf(m_handle);
}

CRefArray& CRefArray::operator=(const CRefArray& other) {
  if (this != &other) {
    CRefArray copy(other);
    *this = std::move(copy);
  }
  return *this;
}

CRefArray& CRefArray::operator=(CRefArray&& other) noexcept {
  if (this != &other) {
    delete ListOf(m_handle);
    m_handle = other.m_handle;
    other.m_handle = nullptr;
  }
  return *this;
}

LONG CRefArray::GetCount() const {
  return m_handle != nullptr ? static_cast<LONG>(ListOf(m_handle)->size()) : 0;
}

void CRefArray::Add(const CRef& ref) {
  if (m_handle == nullptr)
    m_handle = new RefList;
  ListOf(m_handle)->push_back(ref);
}

CRef& CRefArray::operator[](LONG index) {
  if (index >= 0 && index < GetCount())
    return (*ListOf(m_handle))[static_cast<std::size_t>(index)];
  return Outside();
}

const CRef& CRefArray::operator[](LONG index) const {
  if (index >= 0 && index < GetCount())
    return (*ListOf(m_handle))[static_cast<std::size_t>(index)];
  return Outside();
}

std::uint64_t Representation::Handle(const CRef& ref) {
  return ref.m_handle;
}

CRef Representation::MakeRef(std::uint64_t handle) {
  CRef ref;
  ref.m_handle = handle;
  return ref;
}

void Representation::Reserve(CRefArray& refs, std::size_t count) {
  if (refs.m_handle == nullptr)
    refs.m_handle = new RefList;
  ListOf(refs.m_handle)->reserve(count);
}

}  // namespace XSI
