// Keeps the names of source objects so that they can be put back exactly.
#pragma once

#include <xsi/sdk.h>

#include <vector>

namespace kelvane {

// Remembers each object's own name at construction. Restore() puts every remembered name back;
// a host operation that raises there passes on. If Restore() never completed, the destructor
// puts the names back itself (used while an exception unwinds): each rename is tried once, and
// what the host raises there is dropped, since a destructor must not throw.
class SourceNames {
 public:
  explicit SourceNames(const XSI::CRefArray& objects);
  SourceNames(const SourceNames&) = delete;
  SourceNames& operator=(const SourceNames&) = delete;
  ~SourceNames();

  void Restore();

 private:
  XSI::CRefArray m_objects;
  std::vector<XSI::CString> m_names;
  bool m_restored = false;
};

}  // namespace kelvane
