// The one interface through which the SDK face's implementation (host/sdk/src) reaches the host
// machinery. It speaks only in the SDK's value types and the host face's plain structs: no
// object records, no host state. Internal to the sicppsdk library.
//
// Every function takes references that may be invalid or of another class, and then changes
// nothing and answers with an empty value or CStatus::Fail (or InvalidArgument, as noted).
#pragma once

#include <xsi/sdk.h>
#include <xsihost/host.h>

#include <cstdint>
#include <optional>

#include "large_memory.h"

namespace xsihost::machinery {

// ---- Counting and faults ----

enum class Op { Query, Change };

// The count of host operations and whether any fault is armed: read on every call, so kept
// where the SDK face reaches it without a call.
struct Counting {
  std::uint64_t operations = 0;
  bool armed = false;
};
extern Counting theCounting;

// Enter() once faults are armed: matches the call against them.
std::optional<FaultMode> EnterArmed(const char* operation, Op op, const XSI::CString* command);

// Counts one host operation called through the SDK (`command`: the host command's name, for
// "Application::ExecuteCommand"). Gives the armed fault that this call triggers, if any:
// throws HostFault for one in Raise mode; returns it for the others. A query has no way to
// report failure: it is told of the fault and answers as usual, so for a query no fault is
// returned.
inline std::optional<FaultMode> Enter(const char* operation, Op op,
                                      const XSI::CString* command = nullptr) {
  ++theCounting.operations;
  if (!theCounting.armed)
    return std::nullopt;
  return EnterArmed(operation, op, command);
}
// Enter() for the operations whose only way to fail is to refuse: true when the call may go
// ahead.
inline bool Allowed(const char* operation, Op op) {
  return !Enter(operation, op).has_value();
}

// ---- Memory ----
// The SDK face's pool of name texts takes its blocks with TakeLargePiece (large_memory.h).

// ---- Objects ----

bool Exists(const XSI::CRef& ref);
XSI::CString NameOf(const XSI::CRef& ref);
XSI::CString FullNameOf(const XSI::CRef& ref);
XSI::CString TypeOf(const XSI::CRef& ref);
// Fail for an empty name, AccessDenied for the scene root.
XSI::CStatus Rename(const XSI::CRef& ref, const XSI::CString& name);
// The scene objects directly under a scene object, in host order.
XSI::CRefArray ChildrenOf(const XSI::CRef& ref);
bool IsProperty(const XSI::CRef& ref);

// ---- Properties and their pages ----

// A custom property under a scene object. InvalidArgument for another preset than
// "CustomProperty" or an empty name.
XSI::CStatus AddProperty(const XSI::CRef& owner, const XSI::CValue& preset,
                         const XSI::CString& name, XSI::CRef& created);
// A parameter of a property. InvalidArgument for an empty or taken scripting name.
XSI::CStatus AddParameter(const XSI::CRef& property, const XSI::CString& scriptName,
                          XSI::LONG dataType, XSI::LONG capabilities, const XSI::CString& name,
                          const XSI::CString& description, const XSI::CValue& defaultValue,
                          XSI::CRef& created);
XSI::CValue ParameterValueOf(const XSI::CRef& owner, const XSI::CString& scriptName);
// Adds an enumeration control to a property's page; `items` alternates labels and values, and a
// trailing label without a value is dropped. Gives the control's index, or -1 when `property`
// is none.
XSI::LONG AddEnumControl(const XSI::CRef& property, const XSI::CString& scriptName,
                         const XSI::CValueArray& items, const XSI::CString& label,
                         const XSI::CValue& style);

// ---- Selection, scene root, log, commands ----

XSI::CRef SelectedItem(XSI::LONG index);
XSI::LONG SelectionCount();
XSI::CRef SceneRootRef();
void AppendLog(const XSI::CString& message, XSI::siSeverityType severity);
// Application::ExecuteCommand: records the call, counts it, and runs the command or fails as
// an armed fault says.
XSI::CStatus ExecuteCommand(const XSI::CString& name, const XSI::CValueArray& arguments,
                            XSI::CValue& result);

// ---- Plug-in bookkeeping: contexts, commands, menus, registrars ----

XSI::CRef SourceOf(const XSI::CRef& context);
XSI::CStatus PutAttribute(const XSI::CRef& context, const XSI::CString& name,
                          const XSI::CValue& value);
XSI::CValue AttributeOf(const XSI::CRef& context, const XSI::CString& name);
XSI::CStatus SetDescription(const XSI::CRef& command, const XSI::CString& description);
XSI::CStatus SetReturnValue(const XSI::CRef& command, bool enabled);
XSI::CStatus AddMenuItem(const XSI::CRef& menu, const XSI::CString& label,
                         const XSI::CString& command, XSI::CRef& item);
enum class RegistrarText { Author, Email, Url };
XSI::CStatus SetRegistrarText(const XSI::CRef& registrar, RegistrarText which,
                              const XSI::CString& text);
XSI::CStatus SetRegistrarVersion(const XSI::CRef& registrar, XSI::LONG major, XSI::LONG minor);
// The new command or menu; an invalid reference when `registrar` is none.
XSI::CRef RegisterCommand(const XSI::CRef& registrar, const XSI::CString& name,
                          const XSI::CString& scriptName);
XSI::CRef RegisterMenu(const XSI::CRef& registrar, XSI::LONG anchor, const XSI::CString& name,
                       bool displayName, bool dynamic);

}  // namespace xsihost::machinery
