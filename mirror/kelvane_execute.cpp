// The kelvane command: check the selection, ask for the rename rule, build the copy.
#include <xsi_application.h>
#include <xsi_context.h>
#include <xsi_customproperty.h>
#include <xsi_decl.h>
#include <xsi_model.h>
#include <xsi_parameter.h>
#include <xsi_ppgitem.h>
#include <xsi_ppglayout.h>
#include <xsi_selection.h>
#include <xsi_value.h>
#include <xsi_x3dobject.h>

#include <cfloat>

#include "kelvane.h"
#include "report.h"
#include "scoped_deletion.h"
#include "symmetric_copy.h"

using namespace XSI;

namespace {

// Values of the rename-rule parameter; the first is the default.
constexpr LONG leftRightRule = 4;
constexpr LONG underscoreRule = 6;

const wchar_t* const kRuleName = L"Rule of Rename";
const wchar_t* const kTitle = L"Kelvane by TUV";

// Gives the rename-rule property its "EnumCtrl" parameter and a combo box offering the two
// naming rules. False, logged, when the host refuses either.
bool DescribeRenameRule(CustomProperty& rule) {
  Parameter parameter;
  if (!rule.AddParameter(L"EnumCtrl", CValue::siInt4, siPersistable, L"", L"", leftRightRule,
                         leftRightRule, underscoreRule, leftRightRule, underscoreRule, parameter)
           .Succeeded()) {
    kelvane::Report(L"The host refused to add the parameter \"EnumCtrl\" to " +
                    kelvane::Quoted(kRuleName) + L" (AddParameter).");
    return false;
  }
  PPGLayout layout = rule.GetPPGLayout();
  CValueArray items(4);
  items[0] = L"Left,Right";
  items[1] = leftRightRule;
  items[2] = L"L_,R_";
  items[3] = underscoreRule;
  if (!layout.AddEnumControl(L"EnumCtrl", items, L"Choice", siControlCombo).IsValid()) {
    kelvane::Report(L"The host refused to add the choice \"EnumCtrl\" to the page of " +
                    kelvane::Quoted(kRuleName) + L" (AddEnumControl).");
    return false;
  }
  return true;
}

enum class Answer { NotShown, Cancelled, Confirmed };

// Shows the rule as a modal dialog and gives the user's answer.
Answer AskForRule(Application& app, const CustomProperty& rule) {
  CValueArray arguments(5);
  arguments[0] = rule.GetRef();
  arguments[2] = kTitle;
  arguments[3] = LONG(4);  // modal: the command waits for the user
  arguments[4] = false;
  CValue cancelled;
  if (!app.ExecuteCommand(L"InspectObj", arguments, cancelled).Succeeded()) {
    kelvane::Report(L"The host refused to show the dialog " + kelvane::Quoted(kTitle) +
                    L" (InspectObj).");
    return Answer::NotShown;
  }
  return static_cast<bool>(cancelled) ? Answer::Cancelled : Answer::Confirmed;
}

}  // namespace

CStatus kelvane_Execute(CRef& context) {
  Context ctxt(context);
  Application app;
  app.LogMessage(L"kelvane_Execute called", siInfoMsg);
  ctxt.PutAttribute(L"ReturnValue", true);

  Selection selection = app.GetSelection();
  if (X3DObject(selection[0]).GetType() != L"root") {
    app.LogMessage(L"Select Root", siInfoMsg);
    return CStatus::OK;
  }

  // The property is for this run only: it leaves the scene on every path out of here.
  Model sceneRoot = app.GetActiveSceneRoot();
  CustomProperty rule;
  if (!sceneRoot.AddProperty(L"CustomProperty", false, kRuleName, rule).Succeeded()) {
    kelvane::Report(L"The host refused to create the property " + kelvane::Quoted(kRuleName) +
                    L" (AddProperty).");
    kelvane::Report(kelvane::kNoCopyMade);
    return CStatus::OK;
  }
  const CString what = L"the temporary property";
  kelvane::ScopedDeletion temporary(rule.GetRef(), what, what + L" " + kelvane::Quoted(kRuleName));
  // Without the whole dialog the user chose nothing: no copy is made on a guess.
  const Answer answer = DescribeRenameRule(rule) ? AskForRule(app, rule) : Answer::NotShown;
  const bool leftRight = answer == Answer::Confirmed &&
                         rule.GetParameterValue(L"EnumCtrl", DBL_MAX) == CValue(leftRightRule);
  // The property goes before the copy is made, so that the copy is the last thing the run
  // changes: a host that raises after it can no longer leave a copy behind.
  temporary.Delete();
  if (answer == Answer::NotShown) {
    kelvane::Report(kelvane::kNoCopyMade);
  } else if (answer == Answer::Cancelled) {
    app.LogMessage(L"User cancelled", siInfoMsg);
  } else if (leftRight) {
    kelvane::BuildSymmetricCopy(L"Left", L"Right");
  } else {
    kelvane::BuildSymmetricCopy(L"L_", L"R_");
  }
  return CStatus::OK;
}
