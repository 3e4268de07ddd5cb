// Command: a command a plug-in registered.
#pragma once

#include <xsi_decl.h>
#include <xsi_siobject.h>

namespace XSI {

// A command that a plug-in registered.
class XSISDKAPI Command : public SIObject {
 public:
  Command();
  Command(const CRef& ref);  // NOLINT: views convert from references
  CStatus PutDescription(const CString& description);
  // Whether the command gives a return value.
  CStatus EnableReturnValue(bool enable);
};

}  // namespace XSI
