// CRef and CRefArray: references to host objects.
#pragma once

#include <xsi/types.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace XSI {

// A reference to a host object, copied freely. An empty reference, or one whose object was
// deleted, is not valid; the typed views built from it answer with empty values.
class XSISDKAPI CRef {
 public:
  CRef() = default;
  bool IsValid() const;
  bool operator==(const CRef& other) const { return m_handle == other.m_handle; }
  bool operator!=(const CRef& other) const { return m_handle != other.m_handle; }

 private:
  friend struct detail::Access;
  std::uint64_t m_handle = 0;
};

// An ordered array of references. A few references (the children of a joint, say) are kept in
// the array itself; more go to the heap, so that short arrays cost no allocation.
class XSISDKAPI CRefArray {
 public:
  CRefArray() = default;
  LONG GetCount() const { return m_count; }
  void Add(const CRef& ref) {
    if (m_heap.empty()) {
      if (m_count < kInline && m_heap.capacity() == 0) {
        m_inline[m_count++] = ref;
        return;
      }
      m_heap.assign(m_inline, m_inline + m_count);
    }
    m_heap.push_back(ref);
    ++m_count;
  }
  // Element access; an index outside 0..GetCount()-1 gives an empty reference.
  CRef& operator[](LONG index);
  const CRef& operator[](LONG index) const {
    return index >= 0 && index < m_count ? Data()[index] : m_outside;
  }

 private:
  friend struct detail::Access;
  static constexpr LONG kInline = 4;
  // The references are in m_inline until the heap holds any; then all are there.
  const CRef* Data() const { return m_heap.empty() ? m_inline : m_heap.data(); }
  CRef* Data() { return m_heap.empty() ? m_inline : m_heap.data(); }

  CRef m_inline[kInline];
  std::vector<CRef> m_heap;
  LONG m_count = 0;
  CRef m_outside;
};

}  // namespace XSI
