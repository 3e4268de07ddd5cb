// The SDK face's Application and Selection, on the machinery.
#include <xsi_application.h>
#include <xsi_selection.h>

#include "machinery.h"

namespace XSI {

using xsihost::machinery::Allowed;
using xsihost::machinery::Bound;
using xsihost::machinery::Enter;
using xsihost::machinery::Machinery;
using xsihost::machinery::Op;
using xsihost::machinery::RegistrarText;

Selection::Selection() = default;

CRef Selection::operator[](LONG index) const {
  Machinery& host = Bound();
  Enter(host, "Selection::operator[]", Op::Query);
  return host.SelectedItem(index);
}

LONG Selection::GetCount() const {
  Machinery& host = Bound();
  Enter(host, "Selection::GetCount", Op::Query);
  return host.SelectionCount();
}

Application::Application() = default;

CStatus Application::LogMessage(const CString& message, siSeverityType severity) const {
  Machinery& host = Bound();
  if (!Allowed(host, "Application::LogMessage", Op::Change))
    return CStatus::Fail;
  host.AppendLog(message, severity);
  return CStatus::OK;
}

Selection Application::GetSelection() const {
  Machinery& host = Bound();
  Enter(host, "Application::GetSelection", Op::Query);
  return Selection();
}

Model Application::GetActiveSceneRoot() const {
  Machinery& host = Bound();
  Enter(host, "Application::GetActiveSceneRoot", Op::Query);
  return Model(host.SceneRootRef());
}

CStatus Application::ExecuteCommand(const CString& name, const CValueArray& arguments,
                                    CValue& result) const {
  Machinery& host = Bound();
  return host.ExecuteCommand(name, arguments, result);
}

}  // namespace XSI
