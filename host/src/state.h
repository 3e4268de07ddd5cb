// The stand-in host's state: every object it knows, the selection, the log, the dialog
// responder and the fault injection. One instance per process, inside the sicppsdk library.
#pragma once

#include <xsi/sdk.h>
#include <xsihost/host.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace xsihost::detail {

using Id = std::uint64_t;

enum class Kind {
  SceneObject,
  Property,
  Parameter,
  Context,
  Command,
  Menu,
  MenuItem,
  Registrar,
  PluginItem,
};

struct Details {
  // Property: its parameters (Parameter objects) and page controls.
  std::vector<Id> parameters;
  std::vector<DialogControl> controls;
  // Parameter.
  XSI::CValue value;
  XSI::LONG dataType = 0;
  XSI::LONG capabilities = 0;

  // Context.
  Id source = 0;
  std::vector<std::pair<XSI::CString, XSI::CValue>> attributes;

  // Command.
  XSI::CString scriptName;
  XSI::CString description;
  bool returnValueEnabled = false;

  // Menu.
  XSI::LONG anchor = 0;
  bool displayName = false;
  bool dynamic = false;
  std::vector<MenuItemInfo> items;

  // Registrar.
  XSI::CString author;
  XSI::CString email;
  XSI::CString url;
  XSI::LONG major = 0;
  XSI::LONG minor = 0;
  std::vector<Id> commands;
  std::vector<Id> menus;
};

struct Object {
  Id id = 0;
  Kind kind = Kind::SceneObject;
  XSI::CString type;
  XSI::CString name;
  Id parent = 0;
  // The nearest model enclosing this object below the scene root (0: none). Objects never move,
  // so it is fixed at creation and full names cost no walk up the hierarchy.
  Id model = 0;
  std::vector<Id> children;
  std::vector<Id> properties;
  std::optional<Position> position;

  // What only properties, parameters and plug-in bookkeeping need, kept apart so that the
  // many scene objects stay small. Made on first use.
  Details& More() {
    if (!details)
      details = std::make_unique<Details>();
    return *details;
  }
  const Details& More() const {
    static const Details none;
    return details ? *details : none;
  }
  std::unique_ptr<Details> details;
};

struct State {
  // Objects by id; ids are never reused, so a reference to a deleted object stays invalid.
  Id nextId = 1;
  std::unordered_map<Id, std::unique_ptr<Object>> objects;
  Id sceneRoot = 0;
  std::vector<Id> selection;
  std::vector<LogEntry> log;
  std::function<void(const LogEntry&)> logListener;
  DialogResponder responder;
  std::set<std::u16string> refusedCommands;
  XSI::CString copyNumber = L"1";

  std::uint64_t operations = 0;
  // The armed faults, each with the number of matching calls it has seen.
  std::vector<std::pair<Fault, std::uint64_t>> faults;
  std::vector<FaultReport> fired;
  std::vector<CommandCall> commandCalls;
};

State& Host();

Object* Find(Id id);
Object* Find(const XSI::CRef& ref);
Object* FindKind(const XSI::CRef& ref, Kind kind);
Object& Create(Kind kind);
XSI::CRef RefOf(Id id);
Id IdOf(const XSI::CRef& ref);
// Removes an object and everything under it (children, properties, parameters), and takes it
// out of its parent's lists and of the selection.
void Remove(Id id);
XSI::CString FullName(const Object& object);

enum class Op { Query, Change };
// Counts one host operation called through the SDK (`command`: the host command's name, for
// "Application::ExecuteCommand"). Gives the armed fault that this call triggers, if any:
// throws HostFault for one in Raise mode; returns it for the others. A query has no way to
// report failure: it is told of the fault and answers as usual, so for a query no fault is
// returned.
std::optional<FaultMode> Enter(const char* operation, Op op, const XSI::CString* command = nullptr);
// Enter() for the operations whose only way to fail is to refuse: true when the call may go
// ahead.
inline bool Allowed(const char* operation, Op op) {
  return !Enter(operation, op).has_value();
}

// Selects, alone, the scene object that follows the first selected one in scene order (the
// first of the scene after the last); leaves the selection as it is when there is no other.
void SelectNextObject();

// Stores a log message and tells the listener.
void AppendLog(const XSI::CString& message, XSI::siSeverityType severity);

// The host commands.
XSI::CStatus RunCommand(const XSI::CString& name, const XSI::CValueArray& arguments,
                        XSI::CValue& result);

}  // namespace xsihost::detail
