// CRef and CRefArray: references to host objects.
#pragma once

#include <xsi/types.h>

#include <cstdint>
#include <vector>

namespace XSI {

// A reference to a host object, copied freely. An empty reference, or one whose object was
// deleted, is not valid; the typed views built from it answer with empty values.
class XSISDKAPI CRef {
 public:
  CRef();
  bool IsValid() const;
  bool operator==(const CRef& other) const;
  bool operator!=(const CRef& other) const;

 private:
  friend struct detail::Access;
  std::uint64_t m_handle;
};

// An ordered array of references.
class XSISDKAPI CRefArray {
 public:
  CRefArray();
  LONG GetCount() const;
  void Add(const CRef& ref);
  // Element access; an index outside 0..GetCount()-1 gives an empty reference.
  CRef& operator[](LONG index);
  const CRef& operator[](LONG index) const;

 private:
  std::vector<CRef> m_refs;
  CRef m_outside;
};

}  // namespace XSI
