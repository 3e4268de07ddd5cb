// The dialog's temporary property, removed from the scene on every path.
#pragma once

#include <xsi/sdk.h>

namespace kelvane {

// Owns a property that exists only while the command runs. Delete() removes it with the host
// command "DeleteObj"; what the host raises there passes on. If Delete() was never reached
// (an exception unwinds), the destructor removes the property itself and drops what the host
// raises then, since a destructor must not throw.
class TemporaryProperty {
 public:
  explicit TemporaryProperty(const XSI::CRef& property);
  TemporaryProperty(const TemporaryProperty&) = delete;
  TemporaryProperty& operator=(const TemporaryProperty&) = delete;
  ~TemporaryProperty();

  void Delete();

 private:
  XSI::CRef m_property;
  bool m_deleted = false;
};

}  // namespace kelvane
