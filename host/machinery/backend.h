// The host's machinery as the SDK library sees it: the implementation of machinery.h, bound
// to sicppsdk when the host library loads. Private to the machinery.
#pragma once

#include "machinery.h"

namespace xsihost::machinery {

class HostMachinery final : public Machinery {
 public:
  HostMachinery();

  // ---- Faults ----
  // Once faults are armed: matches the call against them. Throws HostFault for one in Raise
  // mode; gives the others (none for a query, which has no way to report failure).
  std::optional<FaultMode> EnterArmed(const char* operation, Op op,
                                      const XSI::CString* command) override;

  // ---- Objects ----
  bool Exists(const XSI::CRef& ref) override;
  XSI::CString NameOf(const XSI::CRef& ref) override;
  XSI::CString FullNameOf(const XSI::CRef& ref) override;
  XSI::CString TypeOf(const XSI::CRef& ref) override;
  // Fail for an empty name, AccessDenied for the scene root.
  XSI::CStatus Rename(const XSI::CRef& ref, const XSI::CString& name) override;
  // The scene objects directly under a scene object, in host order.
  XSI::CRefArray ChildrenOf(const XSI::CRef& ref) override;
  bool IsProperty(const XSI::CRef& ref) override;

  // ---- Properties and their pages ----
  // A custom property under a scene object. InvalidArgument for another preset than
  // "CustomProperty" or an empty name.
  XSI::CStatus AddProperty(const XSI::CRef& owner, const XSI::CValue& preset,
                           const XSI::CString& name, XSI::CRef& created) override;
  // A parameter of a property. InvalidArgument for an empty or taken scripting name.
  XSI::CStatus AddParameter(const XSI::CRef& property, const XSI::CString& scriptName,
                            XSI::LONG dataType, XSI::LONG capabilities, const XSI::CString& name,
                            const XSI::CString& description, const XSI::CValue& defaultValue,
                            XSI::CRef& created) override;
  XSI::CValue ParameterValueOf(const XSI::CRef& owner, const XSI::CString& scriptName) override;
  // Adds an enumeration control to a property's page; `items` alternates labels and values, and
  // a trailing label without a value is dropped. False when `property` is none.
  bool AddEnumControl(const XSI::CRef& property, const XSI::CString& scriptName,
                      const XSI::CValueArray& items, const XSI::CString& label,
                      const XSI::CValue& style) override;

  // ---- Selection, scene root, log, commands ----
  XSI::CRef SelectedItem(XSI::LONG index) override;
  XSI::LONG SelectionCount() override;
  XSI::CRef SceneRootRef() override;
  void AppendLog(const XSI::CString& message, XSI::siSeverityType severity) override;
  // Application::ExecuteCommand: records the call, counts it, and runs the command or fails as
  // an armed fault says.
  XSI::CStatus ExecuteCommand(const XSI::CString& name, const XSI::CValueArray& arguments,
                              XSI::CValue& result) override;

  // ---- Plug-in bookkeeping: contexts, commands, menus, registrars ----
  XSI::CRef SourceOf(const XSI::CRef& context) override;
  XSI::CStatus PutAttribute(const XSI::CRef& context, const XSI::CString& name,
                            const XSI::CValue& value) override;
  XSI::CValue AttributeOf(const XSI::CRef& context, const XSI::CString& name) override;
  XSI::CStatus SetDescription(const XSI::CRef& command, const XSI::CString& description) override;
  XSI::CStatus SetReturnValue(const XSI::CRef& command, bool enabled) override;
  XSI::CStatus AddMenuItem(const XSI::CRef& menu, const XSI::CString& label,
                           const XSI::CString& command, XSI::CRef& item) override;
  XSI::CStatus SetRegistrarText(const XSI::CRef& registrar, RegistrarText which,
                                const XSI::CString& text) override;
  XSI::CStatus SetRegistrarVersion(const XSI::CRef& registrar, XSI::LONG major,
                                   XSI::LONG minor) override;
  // The new command or menu; an invalid reference when `registrar` is none.
  XSI::CRef RegisterCommand(const XSI::CRef& registrar, const XSI::CString& name,
                            const XSI::CString& scriptName) override;
  XSI::CRef RegisterMenu(const XSI::CRef& registrar, XSI::LONG anchor, const XSI::CString& name,
                         bool displayName, bool dynamic) override;
};

// The machinery, and the count of operations it keeps (which the host face resets).
HostMachinery& TheMachinery();
extern Counting theCounting;

}  // namespace xsihost::machinery
