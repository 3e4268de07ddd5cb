#include <xsi/application.h>

#include "state.h"

namespace XSI {

using xsihost::detail::Allowed;
using xsihost::detail::Enter;
using xsihost::detail::Find;
using xsihost::detail::Host;
using xsihost::detail::Op;
using xsihost::detail::RefOf;

Selection::Selection() = default;

CRef Selection::operator[](LONG index) const {
  Enter("Selection::operator[]", Op::Query);
  const auto& selection = Host().selection;
  if (index < 0 || static_cast<size_t>(index) >= selection.size())
    return CRef();
  return RefOf(selection[index]);
}

LONG Selection::GetCount() const {
  Enter("Selection::GetCount", Op::Query);
  return static_cast<LONG>(Host().selection.size());
}

Application::Application() = default;

CStatus Application::LogMessage(const CString& message, siSeverityType severity) const {
  if (!Allowed("Application::LogMessage", Op::Change))
    return CStatus::Fail;
  xsihost::detail::AppendLog(message, severity);
  return CStatus::OK;
}

Selection Application::GetSelection() const {
  Enter("Application::GetSelection", Op::Query);
  return Selection();
}

Model Application::GetActiveSceneRoot() const {
  Enter("Application::GetActiveSceneRoot", Op::Query);
  return Model(RefOf(Host().sceneRoot));
}

CStatus Application::ExecuteCommand(const CString& name, const CValueArray& arguments,
                                    CValue& result) const {
  auto& calls = Host().commandCalls;
  calls.push_back(xsihost::CommandCall{name, {}, {}});
  for (LONG i = 0; i < arguments.GetCount(); ++i) {
    calls.back().arguments.push_back(arguments[i]);
    calls.back().texts.push_back(xsihost::ValueText(arguments[i]));
  }

  const auto fault = Enter("Application::ExecuteCommand", Op::Change, &name);
  if (!fault)
    return xsihost::detail::RunCommand(name, arguments, result);
  switch (*fault) {
    case xsihost::FaultMode::RefuseClearingSelection:
      Host().selection.clear();
      return CStatus::Fail;
    case xsihost::FaultMode::SucceedSelectingOther:
      xsihost::detail::SelectNextObject();
      return CStatus::OK;
    case xsihost::FaultMode::FailAfterRunning:
      xsihost::detail::RunCommand(name, arguments, result);
      return CStatus::Fail;
    default:
      return CStatus::Fail;
  }
}

}  // namespace XSI
