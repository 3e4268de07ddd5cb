// The SDK face's Application and Selection, on the machinery.
#include <xsi/application.h>

#include "machinery.h"

namespace XSI {

namespace host = xsihost::machinery;
using host::Allowed;
using host::Enter;
using host::Op;

Selection::Selection() = default;

CRef Selection::operator[](LONG index) const {
  Enter("Selection::operator[]", Op::Query);
  return host::SelectedItem(index);
}

LONG Selection::GetCount() const {
  Enter("Selection::GetCount", Op::Query);
  return host::SelectionCount();
}

Application::Application() = default;

CStatus Application::LogMessage(const CString& message, siSeverityType severity) const {
  if (!Allowed("Application::LogMessage", Op::Change))
    return CStatus::Fail;
  host::AppendLog(message, severity);
  return CStatus::OK;
}

Selection Application::GetSelection() const {
  Enter("Application::GetSelection", Op::Query);
  return Selection();
}

Model Application::GetActiveSceneRoot() const {
  Enter("Application::GetActiveSceneRoot", Op::Query);
  return Model(host::SceneRootRef());
}

CStatus Application::ExecuteCommand(const CString& name, const CValueArray& arguments,
                                    CValue& result) const {
  return host::ExecuteCommand(name, arguments, result);
}

}  // namespace XSI
