// The one interface through which the SDK's classes (host/sdk/src, in sicppsdk) reach the host
// machinery (in the host's own library, xsihost). It speaks only in the SDK's value types and
// the host face's plain structs: no object records, no host state.
//
// The SDK library knows no host of its own: the host library binds its machinery when it is
// loaded (BindMachinery), as the real host does for its SDK. Every function takes references
// that may be invalid or of another class, and then changes nothing and answers with an empty
// value or CStatus::Fail (or InvalidArgument, as noted).
#pragma once

#include <xsi_application.h>
#include <xsi_ref.h>
#include <xsi_status.h>
#include <xsi_string.h>
#include <xsi_value.h>
#include <xsihost/host.h>

#include <cstdint>
#include <optional>

namespace xsihost::machinery {

enum class Op { Query, Change };

// The count of host operations and whether any fault is armed: read on every call, so the SDK
// library keeps a pointer to it.
struct Counting {
  std::uint64_t operations = 0;
  bool armed = false;
};

enum class RegistrarText { Author, Email, Url };

class Machinery {
 public:
  explicit Machinery(Counting& counting) : counting(counting) {}
  Machinery(const Machinery&) = delete;
  Machinery& operator=(const Machinery&) = delete;

  Counting& counting;

  // ---- Faults ----
  // Once faults are armed: matches the call against them. Throws HostFault for one in Raise
  // mode; gives the others (none for a query, which has no way to report failure).
  virtual std::optional<FaultMode> EnterArmed(const char* operation, Op op,
                                              const XSI::CString* command) = 0;

  // ---- Objects ----
  virtual bool Exists(const XSI::CRef& ref) = 0;
  virtual XSI::CString NameOf(const XSI::CRef& ref) = 0;
  virtual XSI::CString FullNameOf(const XSI::CRef& ref) = 0;
  virtual XSI::CString TypeOf(const XSI::CRef& ref) = 0;
  // Fail for an empty name, AccessDenied for the scene root.
  virtual XSI::CStatus Rename(const XSI::CRef& ref, const XSI::CString& name) = 0;
  // The scene objects directly under a scene object, in host order.
  virtual XSI::CRefArray ChildrenOf(const XSI::CRef& ref) = 0;
  virtual bool IsProperty(const XSI::CRef& ref) = 0;

  // ---- Properties and their pages ----
  // A custom property under a scene object. InvalidArgument for another preset than
  // "CustomProperty" or an empty name.
  virtual XSI::CStatus AddProperty(const XSI::CRef& owner, const XSI::CValue& preset,
                                   const XSI::CString& name, XSI::CRef& created) = 0;
  // A parameter of a property. InvalidArgument for an empty or taken scripting name.
  virtual XSI::CStatus AddParameter(const XSI::CRef& property, const XSI::CString& scriptName,
                                    XSI::LONG dataType, XSI::LONG capabilities,
                                    const XSI::CString& name, const XSI::CString& description,
                                    const XSI::CValue& defaultValue, XSI::CRef& created) = 0;
  virtual XSI::CValue ParameterValueOf(const XSI::CRef& owner, const XSI::CString& scriptName) = 0;
  // Adds an enumeration control to a property's page; `items` alternates labels and values, and
  // a trailing label without a value is dropped. False when `property` is none.
  virtual bool AddEnumControl(const XSI::CRef& property, const XSI::CString& scriptName,
                              const XSI::CValueArray& items, const XSI::CString& label,
                              const XSI::CValue& style) = 0;

  // ---- Selection, scene root, log, commands ----
  virtual XSI::CRef SelectedItem(XSI::LONG index) = 0;
  virtual XSI::LONG SelectionCount() = 0;
  virtual XSI::CRef SceneRootRef() = 0;
  virtual void AppendLog(const XSI::CString& message, XSI::siSeverityType severity) = 0;
  // Application::ExecuteCommand: records the call, counts it, and runs the command or fails as
  // an armed fault says.
  virtual XSI::CStatus ExecuteCommand(const XSI::CString& name, const XSI::CValueArray& arguments,
                                      XSI::CValue& result) = 0;

  // ---- Plug-in bookkeeping: contexts, commands, menus, registrars ----
  virtual XSI::CRef SourceOf(const XSI::CRef& context) = 0;
  virtual XSI::CStatus PutAttribute(const XSI::CRef& context, const XSI::CString& name,
                                    const XSI::CValue& value) = 0;
  virtual XSI::CValue AttributeOf(const XSI::CRef& context, const XSI::CString& name) = 0;
  virtual XSI::CStatus SetDescription(const XSI::CRef& command,
                                      const XSI::CString& description) = 0;
  virtual XSI::CStatus SetReturnValue(const XSI::CRef& command, bool enabled) = 0;
  virtual XSI::CStatus AddMenuItem(const XSI::CRef& menu, const XSI::CString& label,
                                   const XSI::CString& command, XSI::CRef& item) = 0;
  virtual XSI::CStatus SetRegistrarText(const XSI::CRef& registrar, RegistrarText which,
                                        const XSI::CString& text) = 0;
  virtual XSI::CStatus SetRegistrarVersion(const XSI::CRef& registrar, XSI::LONG major,
                                           XSI::LONG minor) = 0;
  // The new command or menu; an invalid reference when `registrar` is none.
  virtual XSI::CRef RegisterCommand(const XSI::CRef& registrar, const XSI::CString& name,
                                    const XSI::CString& scriptName) = 0;
  virtual XSI::CRef RegisterMenu(const XSI::CRef& registrar, XSI::LONG anchor,
                                 const XSI::CString& name, bool displayName, bool dynamic) = 0;

 protected:
  ~Machinery() = default;  // the host's machinery lives as long as the process
};

// For the SDK's classes: the machinery the host bound. Throws std::logic_error when no host
// library is loaded.
Machinery& Bound();

// Counts one host operation called through the SDK (`command`: the host command's name, for
// "Application::ExecuteCommand"). Gives the armed fault that this call triggers, if any: throws
// HostFault for one in Raise mode; returns it for the others; none for a query.
inline std::optional<FaultMode> Enter(Machinery& host, const char* operation, Op op,
                                      const XSI::CString* command = nullptr) {
  ++host.counting.operations;
  if (!host.counting.armed)
    return std::nullopt;
  return host.EnterArmed(operation, op, command);
}
// Enter() for the operations whose only way to fail is to refuse: true when the call may go
// ahead.
inline bool Allowed(Machinery& host, const char* operation, Op op) {
  return !Enter(host, operation, op).has_value();
}

}  // namespace xsihost::machinery
