// CRef and CRefArray: references to host objects.
#pragma once

#include <xsi_decl.h>

namespace XSI {

// A reference to a host object, copied freely. An empty reference, or one whose object was
// deleted, is not valid; the typed views built from it answer with empty values.
class XSISDKAPI CRef {
 public:
  CRef();
  CRef(const CRef& other) = default;
  CRef& operator=(const CRef& other) = default;
  // Whether the object exists.
  bool IsValid() const;
  // Whether both refer to the same object (two empty references are equal).
  bool operator==(const CRef& other) const;
  bool operator!=(const CRef& other) const;

 private:
  friend struct Representation;  // defined inside the SDK library alone
  unsigned long long m_handle;
};

// An ordered array of references.
//
//   CRefArray refs;
//   refs.Add(a);
//   refs.Add(b);       // refs.GetCount() == 2, refs[1] == b, refs[2] is an empty reference
class XSISDKAPI CRefArray {
 public:
  CRefArray();
  CRefArray(const CRefArray& other);
  CRefArray(CRefArray&& other) noexcept;
  ~CRefArray();
  CRefArray& operator=(const CRefArray& other);
  CRefArray& operator=(CRefArray&& other) noexcept;

  LONG GetCount() const;
  // Appends `ref` at the end.
  void Add(const CRef& ref);
  // Element access; an index outside 0..GetCount()-1 gives an empty reference (which the
  // non-const form lets be assigned without effect on the array).
  CRef& operator[](LONG index);
  const CRef& operator[](LONG index) const;

 private:
  friend struct Representation;  // defined inside the SDK library alone
  void* m_handle;
};

}  // namespace XSI
