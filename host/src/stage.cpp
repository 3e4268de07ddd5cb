// The host face: what the host does by itself, for tools and tests.
#include <xsihost/host.h>
#include <xsihost/text.h>

#include <algorithm>
#include <set>

#include "access.h"
#include "state.h"

namespace xsihost {

using XSI::CRef;
using XSI::CString;
using XSI::CValue;
using XSI::detail::Access;
using namespace detail;

void Reset() {
  State& state = Host();
  // A new scene: the old one goes with everything in it. Plug-in registrations stay, as they
  // do in the host when the user opens a new scene.
  const Id oldRoot = state.sceneRoot;
  state.sceneRoot = 0;
  Remove(oldRoot);
  state.selection.clear();
  state.log.clear();
  state.logListener = nullptr;
  state.responder = nullptr;
  state.refusedCommands.clear();
  state.copyNumber = L"1";
  state.operations = 0;
  state.faults.clear();
  state.fired.clear();
  state.commandCalls.clear();
  Object& root = Create(Kind::SceneObject);
  root.type = L"model";
  root.name = L"Scene_Root";
  state.sceneRoot = root.id;
}

CRef SceneRoot() {
  return RefOf(Host().sceneRoot);
}

CRef AddObject(const CRef& parent, const CString& type, const CString& name,
               std::optional<Position> position) {
  Object* owner = FindKind(parent, Kind::SceneObject);
  if (owner == nullptr || name.Length() == 0)
    return CRef();
  Object& object = Create(Kind::SceneObject);
  object.type = type;
  object.name = name;
  object.parent = owner->id;
  object.model =
      owner->type == L"model" && owner->id != Host().sceneRoot ? owner->id : owner->model;
  object.position = position;
  owner->children.push_back(object.id);
  return RefOf(object.id);
}

CRef AddCustomProperty(const CRef& owner, const CString& name) {
  Object* parent = FindKind(owner, Kind::SceneObject);
  if (parent == nullptr || name.Length() == 0)
    return CRef();
  Object& property = Create(Kind::Property);
  property.type = L"customparamset";
  property.name = name;
  property.parent = parent->id;
  parent->properties.push_back(property.id);
  return RefOf(property.id);
}

ObjectInfo Describe(const CRef& ref) {
  ObjectInfo info;
  const Object* o = Find(ref);
  if (o == nullptr)
    return info;
  info.valid = true;
  info.isProperty = o->kind == Kind::Property;
  info.type = o->type;
  info.name = o->name;
  info.fullName = FullName(*o);
  info.parent = o->parent != 0 ? RefOf(o->parent) : CRef();
  if (o->kind == Kind::SceneObject) {
    for (Id c : o->children)
      info.children.push_back(RefOf(c));
    for (Id p : o->properties)
      info.properties.push_back(RefOf(p));
  }
  info.position = o->position;
  return info;
}

std::size_t ObjectCount() {
  return Host().objects.size();
}

std::uint64_t ObjectId(const CRef& ref) {
  return Find(ref) != nullptr ? IdOf(ref) : 0;
}

std::vector<CRef> SceneOrder() {
  std::vector<CRef> order;
  const Object* root = Find(Host().sceneRoot);
  std::vector<Id> pending;
  for (Id p : root->properties)
    order.push_back(RefOf(p));
  for (auto it = root->children.rbegin(); it != root->children.rend(); ++it)
    pending.push_back(*it);
  while (!pending.empty()) {
    Id next = pending.back();
    pending.pop_back();
    const Object* o = Find(next);
    if (o == nullptr)
      continue;
    order.push_back(RefOf(next));
    for (Id p : o->properties)
      order.push_back(RefOf(p));
    for (auto it = o->children.rbegin(); it != o->children.rend(); ++it)
      pending.push_back(*it);
  }
  return order;
}

namespace detail {

void SelectNextObject() {
  std::vector<Id> objects;
  for (const CRef& ref : SceneOrder()) {
    if (FindKind(ref, Kind::SceneObject) != nullptr)
      objects.push_back(IdOf(ref));
  }
  State& state = Host();
  if (objects.size() < 2)
    return;
  const Id first = state.selection.empty() ? 0 : state.selection.front();
  const auto at = std::find(objects.begin(), objects.end(), first);
  const auto next = at == objects.end() || at + 1 == objects.end() ? objects.begin() : at + 1;
  state.selection = {*next};
}

}  // namespace detail

CRef FindByFullName(const CString& fullName) {
  if (fullName.Length() == 0)
    return CRef();
  const Object* root = Find(Host().sceneRoot);
  std::vector<Id> pending(root->children.rbegin(), root->children.rend());
  const std::u16string& wanted = Access::Units(fullName);
  while (!pending.empty()) {
    Id next = pending.back();
    pending.pop_back();
    const Object* o = Find(next);
    if (o == nullptr)
      continue;
    // The own name ends the full name: compare it first, so that most objects cost no full name.
    const std::u16string& own = Access::Units(o->name);
    if (own.size() <= wanted.size() &&
        wanted.compare(wanted.size() - own.size(), own.size(), own) == 0 &&
        FullName(*o) == fullName) {
      return RefOf(next);
    }
    for (auto it = o->children.rbegin(); it != o->children.rend(); ++it)
      pending.push_back(*it);
  }
  return CRef();
}

void Select(const std::vector<CRef>& refs) {
  std::vector<Id> ids;
  for (const CRef& r : refs) {
    if (Find(r) != nullptr)
      ids.push_back(IdOf(r));
  }
  Host().selection = std::move(ids);
}

std::vector<CRef> Selected() {
  std::vector<CRef> refs;
  for (Id id : Host().selection)
    refs.push_back(RefOf(id));
  return refs;
}

const std::vector<LogEntry>& Log() {
  return Host().log;
}
void ClearLog() {
  Host().log.clear();
}

void LogHostMessage(const CString& message, XSI::siSeverityType severity) {
  AppendLog(message, severity);
}

void SetLogListener(std::function<void(const LogEntry&)> listener) {
  Host().logListener = std::move(listener);
}

std::string SeverityTag(XSI::siSeverityType severity) {
  switch (severity) {
    case XSI::siFatalMsg:
      return "fatal";
    case XSI::siErrorMsg:
      return "error";
    case XSI::siWarningMsg:
      return "warning";
    case XSI::siInfoMsg:
      return "info";
    case XSI::siVerboseMsg:
      return "verbose";
  }
  return std::to_string(static_cast<long>(severity));
}

void SetDialogResponder(DialogResponder responder) {
  Host().responder = std::move(responder);
}

namespace {
Object* ParameterOf(const CRef& property, const CString& scriptName) {
  const Object* owner = FindKind(property, Kind::Property);
  if (owner == nullptr)
    return nullptr;
  for (Id id : owner->More().parameters) {
    Object* p = Find(id);
    if (p != nullptr && p->More().scriptName == scriptName)
      return p;
  }
  return nullptr;
}
}  // namespace

CValue ParameterValue(const CRef& property, const CString& scriptName) {
  const Object* p = ParameterOf(property, scriptName);
  return p != nullptr ? p->More().value : CValue();
}

bool SetParameterValue(const CRef& property, const CString& scriptName, const CValue& value) {
  Object* p = ParameterOf(property, scriptName);
  if (p == nullptr)
    return false;
  p->More().value = value;
  return true;
}

void RefuseCommand(const CString& name) {
  Host().refusedCommands.insert(Access::Units(name));
}
void ClearRefusedCommands() {
  Host().refusedCommands.clear();
}

void AddFault(const Fault& fault) {
  Host().faults.emplace_back(fault, 0);
}

void ClearFaults() {
  State& state = Host();
  state.operations = 0;
  state.faults.clear();
  state.fired.clear();
}

void ArmFault(std::uint64_t k, FaultMode mode) {
  ArmFaultOn("", k, mode);
}

void ArmFaultOn(const std::string& operation, std::uint64_t k, FaultMode mode) {
  ClearFaults();
  AddFault(Fault{operation, k, false, mode});
}

void DisarmFault() {
  ClearFaults();
}

std::vector<std::string> FaultTargets() {
  // Every operation the SDK face counts, and the host commands.
  static const char* const operations[] = {
      "Application::ExecuteCommand",
      "Application::GetActiveSceneRoot",
      "Application::GetSelection",
      "Application::LogMessage",
      "CRef::IsValid",
      "Command::EnableReturnValue",
      "Command::PutDescription",
      "Context::GetAttribute",
      "Context::GetSource",
      "Context::PutAttribute",
      "CustomProperty::AddParameter",
      "Menu::AddCommandItem",
      "PPGLayout::AddEnumControl",
      "ProjectItem::GetPPGLayout",
      "ProjectItem::GetParameterValue",
      "SIObject::GetFullName",
      "SIObject::GetName",
      "SIObject::GetType",
      "SIObject::IsValid",
      "SIObject::PutName",
      "SceneItem::AddProperty",
      "Selection::GetCount",
      "Selection::operator[]",
      "X3DObject::GetChildren",
  };
  std::set<std::string> targets{"DuplicateSymmetry", "DeleteObj", "InspectObj"};
  for (const std::string operation : operations) {
    targets.insert(operation);
    targets.insert(operation.substr(operation.rfind("::") + 2));
  }
  return {targets.begin(), targets.end()};
}

bool IsFaultTarget(const std::string& operation) {
  const std::vector<std::string> targets = FaultTargets();
  return std::binary_search(targets.begin(), targets.end(), operation);
}

void SetCopyNumber(const CString& number) {
  Host().copyNumber = number;
}
std::uint64_t OperationCount() {
  return Host().operations;
}
void ResetOperationCount() {
  Host().operations = 0;
}
FaultReport LastFault() {
  const auto& fired = Host().fired;
  return fired.empty() ? FaultReport() : fired.back();
}
std::vector<FaultReport> FiredFaults() {
  return Host().fired;
}

const std::vector<CommandCall>& CommandCalls() {
  return Host().commandCalls;
}
void ClearCommandCalls() {
  Host().commandCalls.clear();
}

std::string ValueText(const CValue& value) {
  switch (value.GetType()) {
    case CValue::siEmpty:
      return "empty";
    case CValue::siBool:
      return Access::Bool(value) ? "bool true" : "bool false";
    case CValue::siInt4:
      return "int " + std::to_string(Access::Long(value));
    case CValue::siString:
      return "string \"" + ToUtf8(Access::String(value)) + "\"";
    case CValue::siRef: {
      const Object* o = Find(Access::Ref(value));
      return o != nullptr ? "ref " + ToUtf8(FullName(*o)) : std::string("ref (invalid)");
    }
  }
  return "type " + std::to_string(static_cast<long>(value.GetType()));
}

CRef CreateRegistrar() {
  Object& registrar = Create(Kind::Registrar);
  registrar.type = L"PluginRegistrar";
  return RefOf(registrar.id);
}

RegistrarInfo DescribeRegistrar(const CRef& ref) {
  RegistrarInfo info;
  const Object* r = FindKind(ref, Kind::Registrar);
  if (r == nullptr)
    return info;
  info.name = r->name;
  info.author = r->More().author;
  info.email = r->More().email;
  info.url = r->More().url;
  info.major = r->More().major;
  info.minor = r->More().minor;
  for (Id id : r->More().commands) {
    if (const Object* c = Find(id)) {
      info.commands.push_back(CommandInfo{RefOf(id), c->name, c->More().scriptName,
                                          c->More().description, c->More().returnValueEnabled});
    }
  }
  for (Id id : r->More().menus) {
    if (const Object* m = Find(id)) {
      info.menus.push_back(MenuInfo{RefOf(id), m->More().anchor, m->name, m->More().displayName,
                                    m->More().dynamic, m->More().items});
    }
  }
  return info;
}

CRef CreateContext(const CRef& source) {
  Object& context = Create(Kind::Context);
  context.type = L"Context";
  context.More().source = IdOf(source);
  return RefOf(context.id);
}

CValue ContextAttribute(const CRef& context, const CString& name) {
  const Object* c = FindKind(context, Kind::Context);
  if (c == nullptr)
    return CValue();
  for (const auto& attribute : c->More().attributes) {
    if (attribute.first == name)
      return attribute.second;
  }
  return CValue();
}

void Destroy(const CRef& ref) {
  Object* o = Find(ref);
  if (o == nullptr || o->id == Host().sceneRoot)
    return;
  if (o->kind == Kind::Registrar) {
    for (Id id : o->More().commands)
      Remove(id);
    for (Id id : o->More().menus)
      Remove(id);
  }
  Remove(o->id);
}

}  // namespace xsihost
