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

// An ordered array of references.
class XSISDKAPI CRefArray {
 public:
  CRefArray() = default;
  LONG GetCount() const { return static_cast<LONG>(m_refs.size()); }
  void Add(const CRef& ref) { m_refs.push_back(ref); }
  // Element access; an index outside 0..GetCount()-1 gives an empty reference.
  CRef& operator[](LONG index);
  const CRef& operator[](LONG index) const {
    return index >= 0 && static_cast<std::size_t>(index) < m_refs.size()
               ? m_refs[static_cast<std::size_t>(index)]
               : m_outside;
  }

 private:
  std::vector<CRef> m_refs;
  CRef m_outside;
};

}  // namespace XSI
