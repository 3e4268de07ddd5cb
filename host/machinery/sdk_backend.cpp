// What the SDK's classes ask of the host, on the host's records: the implementation of
// machinery.h.
#include <xsihost/text.h>

#include "backend.h"
#include "representation.h"
#include "store.h"

namespace xsihost::machinery {

using XSI::CRef;
using XSI::CRefArray;
using XSI::CStatus;
using XSI::CString;
using XSI::CValue;
using XSI::LONG;
using XSI::Representation;

namespace {

Object* FindParameter(const Object& property, const CString& scriptName) {
  Object* found = nullptr;
  ForEachInList(property, [&](Object& p) {
    if (found == nullptr && p.kind == Kind::Parameter && DetailsOf(p).scriptName == scriptName)
      found = &p;
  });
  return found;
}

}  // namespace

HostMachinery::HostMachinery() : Machinery(theCounting) {}

HostMachinery& TheMachinery() {
  // Made on first use and never destroyed: plug-in libraries may still call while the process
  // exits.
  static HostMachinery* const machinery = new HostMachinery;
  return *machinery;
}

namespace {

// The SDK's classes work on this host from the moment the host library is loaded.
const bool theBinding = (Representation::BindMachinery(TheMachinery()), true);

}  // namespace

bool HostMachinery::Exists(const CRef& ref) {
  return Find(ref) != nullptr;
}

CString HostMachinery::NameOf(const CRef& ref) {
  const Object* o = Find(ref);
  return o != nullptr ? o->name : CString();
}

CString HostMachinery::FullNameOf(const CRef& ref) {
  const Object* o = Find(ref);
  return o != nullptr ? FullName(*o) : CString();
}

CString HostMachinery::TypeOf(const CRef& ref) {
  const Object* o = Find(ref);
  return o != nullptr ? TypeText(*o) : CString();
}

CStatus HostMachinery::Rename(const CRef& ref, const CString& name) {
  Object* o = Find(ref);
  if (o == nullptr || name.Length() == 0)
    return CStatus::Fail;
  if (o->self == Host().sceneRoot)
    return CStatus::AccessDenied;
  o->name = name;
  return CStatus::OK;
}

CRefArray HostMachinery::ChildrenOf(const CRef& ref) {
  CRefArray children;
  if (const Object* o = FindKind(ref, Kind::SceneObject)) {
    std::size_t count = 0;
    ForEachInList(*o, [&](const Object& child) { count += child.kind == Kind::SceneObject; });
    if (count == 0)
      return children;
    Representation::Reserve(children, count);
    ForEachInList(*o, [&](const Object& child) {
      if (child.kind == Kind::SceneObject)
        children.Add(RefOf(child));
    });
  }
  return children;
}

bool HostMachinery::IsProperty(const CRef& ref) {
  return FindKind(ref, Kind::Property) != nullptr;
}

CStatus HostMachinery::AddProperty(const CRef& owner, const CValue& preset, const CString& name,
                                   CRef& created) {
  Object* o = FindKind(owner, Kind::SceneObject);
  if (o == nullptr)
    return CStatus::Fail;
  if (preset.GetType() != CValue::siString || Representation::String(preset) != L"CustomProperty" ||
      name.Length() == 0) {
    return CStatus::InvalidArgument;
  }
  Object& property = Create(Kind::Property);
  property.type = TypeNumber(L"customparamset");
  property.name = name;
  Append(*o, property);
  created = RefOf(property);
  return CStatus::OK;
}

CStatus HostMachinery::AddParameter(const CRef& property, const CString& scriptName, LONG dataType,
                                    LONG capabilities, const CString& name,
                                    const CString& description, const CValue& defaultValue,
                                    CRef& created) {
  Object* owner = FindKind(property, Kind::Property);
  if (owner == nullptr)
    return CStatus::Fail;
  if (scriptName.Length() == 0 || FindParameter(*owner, scriptName) != nullptr)
    return CStatus::InvalidArgument;
  Object& parameter = Create(Kind::Parameter);
  parameter.type = TypeNumber(L"Parameter");
  parameter.name = name.Length() != 0 ? name : scriptName;
  Details& details = DetailsOf(parameter);
  details.scriptName = scriptName;
  details.description = description;
  details.dataType = dataType;
  details.capabilities = capabilities;
  details.value = defaultValue;
  Append(*owner, parameter);
  created = RefOf(parameter);
  return CStatus::OK;
}

CValue HostMachinery::ParameterValueOf(const CRef& owner, const CString& scriptName) {
  const Object* o = Find(owner);
  const Object* parameter = o != nullptr ? FindParameter(*o, scriptName) : nullptr;
  return parameter != nullptr ? DetailsOf(*parameter).value : CValue();
}

bool HostMachinery::AddEnumControl(const CRef& property, const CString& scriptName,
                                   const XSI::CValueArray& items, const CString& label,
                                   const CValue& style) {
  Object* owner = FindKind(property, Kind::Property);
  if (owner == nullptr)
    return false;
  DialogControl control;
  control.scriptName = scriptName;
  control.label = label;
  if (style.GetType() == CValue::siString)
    control.style = Representation::String(style);
  for (LONG i = 0; i + 1 < items.GetCount(); i += 2) {
    const CValue& itemLabel = items[i];
    CString text =
        itemLabel.GetType() == CValue::siString ? Representation::String(itemLabel) : CString();
    control.items.push_back(DialogItem{text, items[i + 1]});
  }
  auto& controls = DetailsOf(*owner).controls;
  controls.push_back(std::move(control));
  return true;
}

CRef HostMachinery::SelectedItem(LONG index) {
  const auto& selection = Host().selection;
  if (index < 0 || static_cast<size_t>(index) >= selection.size())
    return CRef();
  return Representation::MakeRef(selection[static_cast<size_t>(index)]);
}

LONG HostMachinery::SelectionCount() {
  return static_cast<LONG>(Host().selection.size());
}

CRef HostMachinery::SceneRootRef() {
  return RefOf(SceneRootSlot());
}

void HostMachinery::AppendLog(const CString& message, XSI::siSeverityType severity) {
  State& state = Host();
  state.log.push_back(LogEntry{message, severity});
  if (state.logListener)
    state.logListener(state.log.back());
}

CStatus HostMachinery::ExecuteCommand(const CString& name, const XSI::CValueArray& arguments,
                                      CValue& result) {
  auto& calls = Host().commandCalls;
  calls.push_back(CommandCall{name, {}, {}});
  for (LONG i = 0; i < arguments.GetCount(); ++i) {
    calls.back().arguments.push_back(arguments[i]);
    calls.back().texts.push_back(ValueText(arguments[i]));
  }

  const auto fault = Enter(*this, "Application::ExecuteCommand", Op::Change, &name);
  if (!fault)
    return RunCommand(name, arguments, result);
  switch (*fault) {
    case FaultMode::RefuseClearingSelection:
      Host().selection.clear();
      return CStatus::Fail;
    case FaultMode::SucceedSelectingOther:
      SelectNextObject();
      return CStatus::OK;
    case FaultMode::FailAfterRunning:
      RunCommand(name, arguments, result);
      return CStatus::Fail;
    default:
      return CStatus::Fail;
  }
}

CRef HostMachinery::SourceOf(const CRef& context) {
  const Object* o = FindKind(context, Kind::Context);
  if (o == nullptr)
    return CRef();
  const std::uint64_t source = DetailsOf(*o).source;
  return Find(source) != nullptr ? Representation::MakeRef(source) : CRef();
}

CStatus HostMachinery::PutAttribute(const CRef& context, const CString& name, const CValue& value) {
  Object* o = FindKind(context, Kind::Context);
  if (o == nullptr)
    return CStatus::Fail;
  auto& attributes = DetailsOf(*o).attributes;
  for (auto& attribute : attributes) {
    if (attribute.first == name) {
      attribute.second = value;
      return CStatus::OK;
    }
  }
  attributes.emplace_back(name, value);
  return CStatus::OK;
}

CValue HostMachinery::AttributeOf(const CRef& context, const CString& name) {
  const Object* o = FindKind(context, Kind::Context);
  if (o == nullptr)
    return CValue();
  for (const auto& attribute : DetailsOf(*o).attributes) {
    if (attribute.first == name)
      return attribute.second;
  }
  return CValue();
}

CStatus HostMachinery::SetDescription(const CRef& command, const CString& description) {
  Object* o = FindKind(command, Kind::Command);
  if (o == nullptr)
    return CStatus::Fail;
  DetailsOf(*o).description = description;
  return CStatus::OK;
}

CStatus HostMachinery::SetReturnValue(const CRef& command, bool enabled) {
  Object* o = FindKind(command, Kind::Command);
  if (o == nullptr)
    return CStatus::Fail;
  DetailsOf(*o).returnValueEnabled = enabled;
  return CStatus::OK;
}

CStatus HostMachinery::AddMenuItem(const CRef& menu, const CString& label, const CString& command,
                                   CRef& item) {
  Object* o = FindKind(menu, Kind::Menu);
  if (o == nullptr)
    return CStatus::Fail;
  DetailsOf(*o).items.push_back(MenuItemInfo{label, command});
  Object& created = Create(Kind::MenuItem);
  created.name = label;
  DetailsOf(created).scriptName = command;
  Append(*o, created);
  item = RefOf(created);
  return CStatus::OK;
}

CStatus HostMachinery::SetRegistrarText(const CRef& registrar, RegistrarText which,
                                        const CString& text) {
  Object* o = FindKind(registrar, Kind::Registrar);
  if (o == nullptr)
    return CStatus::Fail;
  Details& details = DetailsOf(*o);
  (which == RegistrarText::Author  ? details.author
   : which == RegistrarText::Email ? details.email
                                   : details.url) = text;
  return CStatus::OK;
}

CStatus HostMachinery::SetRegistrarVersion(const CRef& registrar, LONG major, LONG minor) {
  Object* o = FindKind(registrar, Kind::Registrar);
  if (o == nullptr)
    return CStatus::Fail;
  DetailsOf(*o).major = major;
  DetailsOf(*o).minor = minor;
  return CStatus::OK;
}

CRef HostMachinery::RegisterCommand(const CRef& registrar, const CString& name,
                                    const CString& scriptName) {
  Object* o = FindKind(registrar, Kind::Registrar);
  if (o == nullptr)
    return CRef();
  Object& command = Create(Kind::Command);
  command.name = name;
  command.type = TypeNumber(L"Command");
  DetailsOf(command).scriptName = scriptName;
  Append(*o, command);
  return RefOf(command);
}

CRef HostMachinery::RegisterMenu(const CRef& registrar, LONG anchor, const CString& name,
                                 bool displayName, bool dynamic) {
  Object* o = FindKind(registrar, Kind::Registrar);
  if (o == nullptr)
    return CRef();
  Object& menu = Create(Kind::Menu);
  menu.name = name;
  menu.type = TypeNumber(L"Menu");
  Details& details = DetailsOf(menu);
  details.anchor = anchor;
  details.displayName = displayName;
  details.dynamic = dynamic;
  Append(*o, menu);
  return RefOf(menu);
}

}  // namespace xsihost::machinery
