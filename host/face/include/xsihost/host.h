// The host face of the stand-in host: what the real host does by itself and a plug-in never
// calls. Tools and tests use it to build scenes, set the selection, answer the modal dialog,
// read the log and inject faults. Plug-in code never includes this header.
//
// There is one host per process: the state lives in the xsihost library, shared by the
// executable and every plug-in library it loads.
#pragma once

#include <xsi_decl.h>
#include <xsi_ref.h>
#include <xsi_status.h>
#include <xsi_string.h>
#include <xsi_value.h>
#include <xsihost/api.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace xsihost {

struct Position {
  double x = 0;
  double y = 0;
  double z = 0;
};

// A new scene holding only the scene root; no selection, an empty log, no dialog responder, no
// refused command, no armed fault, the operation count at 0. Plug-in registrations stay, as in
// the host when the user opens a new scene. References to the old scene's objects stay invalid
// for ever.
XSIHOSTAPI void Reset();

// ---- Scene ----

// The scene root, a model named "Scene_Root".
XSIHOSTAPI XSI::CRef SceneRoot();
// Adds an object as the last child of `parent` (a scene object). Type "model" makes a model.
// Gives an invalid reference when `parent` is not a scene object or `name` is empty.
XSIHOSTAPI XSI::CRef AddObject(const XSI::CRef& parent, const XSI::CString& type,
                               const XSI::CString& name,
                               std::optional<Position> position = std::nullopt);
// Adds an empty custom property under a scene object; invalid reference on bad input.
XSIHOSTAPI XSI::CRef AddCustomProperty(const XSI::CRef& owner, const XSI::CString& name);

struct ObjectInfo {
  bool valid = false;
  bool isProperty = false;
  XSI::CString type;
  XSI::CString name;
  XSI::CString fullName;
  XSI::CRef parent;
  std::vector<XSI::CRef> children;    // scene objects, in host order
  std::vector<XSI::CRef> properties;  // custom properties, in order of creation
  std::optional<Position> position;
};
// What the host knows of an object; `valid` false for an invalid reference.
XSIHOSTAPI ObjectInfo Describe(const XSI::CRef& ref);
// How many objects the host holds, of every kind (scene objects, properties, registrations,
// callback contexts): what a leak in the host's bookkeeping would grow.
XSIHOSTAPI std::size_t ObjectCount();
// A number that identifies the object for as long as the process runs (0: invalid reference).
XSIHOSTAPI std::uint64_t ObjectId(const XSI::CRef& ref);
// Every scene object and property below the scene root in scene order: an object, then its
// properties, then its children's subtrees. The scene root itself is not listed.
XSIHOSTAPI std::vector<XSI::CRef> SceneOrder();

// One object of the scene as VisitScene meets it. The pointers are valid only during the call.
struct SceneEntry {
  XSI::CRef ref;
  int depth = 0;  // 0 for what lies directly under the scene root
  bool isProperty = false;
  const XSI::CString* type = nullptr;
  const XSI::CString* name = nullptr;
  const Position* position = nullptr;  // nullptr: the object has none
};
// Calls `visit` on every scene object and property in scene order (as SceneOrder lists them),
// without copying the scene: the way to read a large scene. `visit` must not change the scene.
// Example, counting the chain roots:
//   std::size_t roots = 0;
//   xsihost::VisitScene([&](const xsihost::SceneEntry& e) { roots += *e.type == L"root"; });
XSIHOSTAPI void VisitScene(const std::function<void(const SceneEntry&)>& visit);
// The first scene object in scene order whose full name is `fullName`; invalid if none.
XSIHOSTAPI XSI::CRef FindByFullName(const XSI::CString& fullName);

// ---- Selection ----

XSIHOSTAPI void Select(const std::vector<XSI::CRef>& refs);
XSIHOSTAPI std::vector<XSI::CRef> Selected();

// ---- Log ----

struct LogEntry {
  XSI::CString message;
  XSI::siSeverityType severity;
};
XSIHOSTAPI const std::vector<LogEntry>& Log();
XSIHOSTAPI void ClearLog();
// Called with every message right after it is logged, by the plug-in or by the host, so that a
// tool can show the log as it happens. One listener at a time; an empty one removes it, and so
// does Reset().
XSIHOSTAPI void SetLogListener(std::function<void(const LogEntry&)> listener);
// A message of the host's own (not a plug-in operation: never counted, never faulted).
XSIHOSTAPI void LogHostMessage(const XSI::CString& message, XSI::siSeverityType severity);
// Severity as a short tag: "fatal", "error", "warning", "info", "verbose", or the number.
XSIHOSTAPI std::string SeverityTag(XSI::siSeverityType severity);

// ---- The modal dialog of "InspectObj" ----

struct DialogItem {
  XSI::CString label;
  XSI::CValue value;
};
struct DialogControl {
  XSI::CString scriptName;
  XSI::CString label;
  XSI::CString style;
  std::vector<DialogItem> items;
};
struct DialogRequest {
  XSI::CRef property;
  XSI::CString title;
  std::vector<DialogControl> controls;
};
enum class DialogAnswer { Confirm, Cancel };
// Called for every modal "InspectObj". It may set parameter values of the property. With no
// responder installed the dialog confirms the current values.
using DialogResponder = std::function<DialogAnswer(const DialogRequest&)>;
XSIHOSTAPI void SetDialogResponder(DialogResponder responder);

// Current value of a parameter of a property; empty when there is none.
XSIHOSTAPI XSI::CValue ParameterValue(const XSI::CRef& property, const XSI::CString& scriptName);
// Sets a parameter's value; false when the property has no such parameter.
XSIHOSTAPI bool SetParameterValue(const XSI::CRef& property, const XSI::CString& scriptName,
                                  const XSI::CValue& value);

// ---- Faults ----

// What a host operation raises when a fault is injected into it.
class HostFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The text "DuplicateSymmetry" appends to each copy's name: "1" unless a test says otherwise
// (the real host may append another number when the name is taken).
XSIHOSTAPI void SetCopyNumber(const XSI::CString& number);

// Makes the named host command refuse: ExecuteCommand reports Fail and changes nothing. Not a
// counted fault: it holds until Reset() or ClearRefusedCommands().
XSIHOSTAPI void RefuseCommand(const XSI::CString& name);
XSIHOSTAPI void ClearRefusedCommands();

enum class FaultMode {
  Raise,   // the operation throws HostFault before doing anything
  Refuse,  // a changing operation reports failure and changes nothing; a query answers as usual
  // Three ways a host command can leave things; any other operation takes them as Refuse.
  RefuseClearingSelection,  // the command reports failure and leaves nothing selected
  SucceedSelectingOther,    // the command reports success, does nothing, and selects the object
                            // after the first selected one in scene order (wrapping round)
  FailAfterRunning,         // the command does its work, then reports failure all the same
};

// One injected fault: which calls of which host operation fail, and how.
struct Fault {
  // Empty: every host operation. Otherwise an SDK operation by its method name alone
  // ("PutName") or with its class ("SIObject::PutName"), or a host command's name
  // ("DuplicateSymmetry": the ExecuteCommand calls that run it).
  std::string operation;
  std::uint64_t call = 1;   // the call of the run that fails, counted among the matching ones
  bool persistent = false;  // that call and every later matching call fail
  FaultMode mode = FaultMode::Raise;
};
// Adds a fault to the armed ones; its count of matching calls starts now. When several faults
// match one call, the first armed decides.
XSIHOSTAPI void AddFault(const Fault& fault);
// Disarms every fault and restarts the operation count. The same as DisarmFault().
XSIHOSTAPI void ClearFaults();
// Makes the k-th host operation from now (k >= 1) fail once in `mode`; disarms the others and
// restarts the count.
XSIHOSTAPI void ArmFault(std::uint64_t k, FaultMode mode);
// Makes the k-th call from now of the operation `operation` (as in Fault) fail once in `mode`;
// disarms the others and restarts the count.
XSIHOSTAPI void ArmFaultOn(const std::string& operation, std::uint64_t k, FaultMode mode);
XSIHOSTAPI void DisarmFault();
// The names a Fault's `operation` may take besides "": every SDK operation's method name, each
// with its class, and the host commands, sorted.
XSIHOSTAPI std::vector<std::string> FaultTargets();
XSIHOSTAPI bool IsFaultTarget(const std::string& operation);
// Host operations called through the SDK since the last ArmFault or ResetOperationCount.
XSIHOSTAPI std::uint64_t OperationCount();
XSIHOSTAPI void ResetOperationCount();
struct FaultReport {
  bool fired = false;
  std::string operation;  // the SDK operation that failed, e.g. "SIObject::PutName"
  std::string command;    // for "Application::ExecuteCommand": the host command's name
  FaultMode mode = FaultMode::Raise;
};
// The last fault that fired since faults were last armed or cleared; `fired` false if none.
XSIHOSTAPI FaultReport LastFault();
// Every fault that fired since faults were last armed or cleared, in order.
XSIHOSTAPI std::vector<FaultReport> FiredFaults();

// ---- Host command calls ----

// One call of Application::ExecuteCommand, as the plug-in made it: recorded before the host
// looks at it, so refused and failing calls are there too.
struct CommandCall {
  XSI::CString name;
  std::vector<XSI::CValue> arguments;
  std::vector<std::string> texts;  // each argument as ValueText() gave it at the call
};
XSIHOSTAPI const std::vector<CommandCall>& CommandCalls();
XSIHOSTAPI void ClearCommandCalls();
// A value as short text with its type: "empty", "bool true", "int 4", "string \"B:Rig\"",
// "ref Rig.L_root" (the object's full name), "ref (invalid)".
XSIHOSTAPI std::string ValueText(const XSI::CValue& value);

// ---- Plug-in bookkeeping, for the loader ----

struct MenuItemInfo {
  XSI::CString label;
  XSI::CString command;
};
struct CommandInfo {
  XSI::CRef ref;
  XSI::CString name;
  XSI::CString scriptName;
  XSI::CString description;
  bool returnValueEnabled = false;
};
struct MenuInfo {
  XSI::CRef ref;
  XSI::LONG anchor = 0;
  XSI::CString name;
  bool displayName = false;
  bool dynamic = false;
  std::vector<MenuItemInfo> items;
};
struct RegistrarInfo {
  XSI::CString name;
  XSI::CString author;
  XSI::CString email;
  XSI::CString url;
  XSI::LONG major = 0;
  XSI::LONG minor = 0;
  std::vector<CommandInfo> commands;
  std::vector<MenuInfo> menus;
};

// A new, empty registrar for one loading of a plug-in.
XSIHOSTAPI XSI::CRef CreateRegistrar();
XSIHOSTAPI RegistrarInfo DescribeRegistrar(const XSI::CRef& registrar);
// A callback context whose source is `source` (may be invalid: a context without a source).
XSIHOSTAPI XSI::CRef CreateContext(const XSI::CRef& source);
XSIHOSTAPI XSI::CValue ContextAttribute(const XSI::CRef& context, const XSI::CString& name);
// Removes a registrar (with its commands and menus) or a context.
XSIHOSTAPI void Destroy(const XSI::CRef& ref);

}  // namespace xsihost
