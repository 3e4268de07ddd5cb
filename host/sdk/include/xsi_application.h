// Application: the host itself.
#pragma once

#include <xsi_decl.h>
#include <xsi_model.h>
#include <xsi_selection.h>
#include <xsi_status.h>
#include <xsi_string.h>
#include <xsi_value.h>

namespace XSI {

class XSISDKAPI Application {
 public:
  Application();
  // Adds `message` to the host's log.
  CStatus LogMessage(const CString& message, siSeverityType severity = siInfoMsg) const;
  Selection GetSelection() const;
  // The scene root, a model named "Scene_Root".
  Model GetActiveSceneRoot() const;
  // Runs a host command. `result` receives its return value (left empty when it sets none).
  // An unknown command fails with CStatus::Fail.
  //   CValueArray args(1);
  //   args[0] = property.GetRef();
  //   CValue ignored;
  //   Application().ExecuteCommand(L"DeleteObj", args, ignored);
  CStatus ExecuteCommand(const CString& name, const CValueArray& arguments, CValue& result) const;
};

}  // namespace XSI
