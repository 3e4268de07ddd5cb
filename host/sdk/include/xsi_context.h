// Context: what a plug-in callback receives.
#pragma once

#include <xsi_decl.h>
#include <xsi_siobject.h>
#include <xsi_value.h>

namespace XSI {

// The context a callback receives: its source (the command or menu) and named attributes.
class XSISDKAPI Context : public SIObject {
 public:
  Context();
  Context(const CRef& ref);  // NOLINT: views convert from references
  // The command or menu the callback belongs to; invalid when the host gave none.
  CRef GetSource() const;
  // Sets the attribute `name` (for a command: "ReturnValue", the value the command returns).
  CStatus PutAttribute(const CString& name, const CValue& value);
  // Empty when the attribute was never put.
  CValue GetAttribute(const CString& name) const;
};

}  // namespace XSI
