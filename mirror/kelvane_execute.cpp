// The kelvane command: check the selection, ask for the rename rule, build the copy.
#include <cfloat>

#include "kelvane.h"
#include "symmetric_copy.h"
#include "temporary_property.h"

using namespace XSI;

namespace {

// Values of the rename-rule parameter; the first is the default.
constexpr LONG leftRightRule = 4;
constexpr LONG underscoreRule = 6;

// Gives the rename-rule property its "EnumCtrl" parameter and a combo box offering the two
// naming rules.
void DescribeRenameRule(CustomProperty& rule) {
  Parameter parameter;
  rule.AddParameter(L"EnumCtrl", CValue::siInt4, siPersistable, L"", L"", leftRightRule,
                    leftRightRule, underscoreRule, leftRightRule, underscoreRule, parameter);

  PPGLayout layout = rule.GetPPGLayout();
  CValueArray items(4);
  items[0] = L"Left,Right";
  items[1] = leftRightRule;
  items[2] = L"L_,R_";
  items[3] = underscoreRule;
  layout.AddEnumControl(L"EnumCtrl", items, L"Choice", siControlCombo);
}

// Shows the rule as a modal dialog; true when the user cancelled.
bool AskForRule(Application& app, const CustomProperty& rule) {
  CValueArray arguments(5);
  arguments[0] = rule.GetRef();
  arguments[2] = L"Kelvane by TUV";
  arguments[3] = LONG(4);
  arguments[4] = false;
  CValue cancelled;
  app.ExecuteCommand(L"InspectObj", arguments, cancelled);
  return static_cast<bool>(cancelled);
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
  sceneRoot.AddProperty(L"CustomProperty", false, L"Rule of Rename", rule);
  kelvane::TemporaryProperty temporary(rule.GetRef());
  DescribeRenameRule(rule);
  if (AskForRule(app, rule)) {
    app.LogMessage(L"User cancelled", siInfoMsg);
  } else if (rule.GetParameterValue(L"EnumCtrl", DBL_MAX) == CValue(leftRightRule)) {
    kelvane::BuildSymmetricCopy(L"Left", L"Right");
  } else {
    kelvane::BuildSymmetricCopy(L"L_", L"R_");
  }
  temporary.Delete();
  return CStatus::OK;
}
