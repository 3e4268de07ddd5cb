// Application and Selection: the host itself.
#pragma once

#include <xsi/cstring.h>
#include <xsi/objects.h>
#include <xsi/ref.h>
#include <xsi/status.h>
#include <xsi/types.h>
#include <xsi/value.h>

namespace XSI {

// A live view of the host's selection: every read answers for the selection as it is now.
class XSISDKAPI Selection {
 public:
  Selection();
  // The item at `index`; an invalid reference (whose type is empty) when there is none.
  CRef operator[](LONG index) const;
  LONG GetCount() const;
};

class XSISDKAPI Application {
 public:
  Application();
  CStatus LogMessage(const CString& message, siSeverityType severity = siInfoMsg) const;
  Selection GetSelection() const;
  // The scene root, a model named "Scene_Root".
  Model GetActiveSceneRoot() const;
  // Runs a host command. `result` receives its return value (left empty when it sets none).
  // An unknown command fails with CStatus::Fail.
  CStatus ExecuteCommand(const CString& name, const CValueArray& arguments, CValue& result) const;
};

}  // namespace XSI
