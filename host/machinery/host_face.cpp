// The host face: what the host does by itself, for tools and tests.
#include <xsihost/host.h>
#include <xsihost/text.h>

#include <algorithm>
#include <set>

#include "backend.h"
#include "representation.h"
#include "small_stack.h"
#include "store.h"

namespace xsihost {

using XSI::CRef;
using XSI::CString;
using XSI::CValue;
using XSI::Representation;
using namespace machinery;

namespace {

// Whether `text` ends with `tail`.
bool EndsWith(const CString& text, const CString& tail) {
  const XSI::ULONG length = text.Length();
  const XSI::ULONG tailLength = tail.Length();
  if (tailLength > length)
    return false;
  for (XSI::ULONG i = 0; i < tailLength; ++i) {
    if (text[length - tailLength + i] != tail[i])
      return false;
  }
  return true;
}

}  // namespace

void Reset() {
  State& state = Host();
  // A new scene: the old one goes with everything in it. Plug-in registrations stay, as they
  // do in the host when the user opens a new scene.
  if (state.sceneRoot != kNone) {
    Object& oldRoot = state.At(state.sceneRoot);
    state.sceneRoot = kNone;
    Remove(oldRoot);
  }
  ForgetSceneTypes();
  state.selection.clear();
  state.log.clear();
  state.logListener = nullptr;
  state.responder = nullptr;
  state.refusedCommands.clear();
  state.copyNumber = L"1";
  theCounting = Counting();
  state.faults.clear();
  state.fired.clear();
  state.commandCalls.clear();
  SceneRootSlot();
}

CRef SceneRoot() {
  return RefOf(SceneRootSlot());
}

CRef AddObject(const CRef& parent, const CString& type, const CString& name,
               std::optional<Position> position) {
  Object* owner = FindKind(parent, Kind::SceneObject);
  if (owner == nullptr || name.Length() == 0)
    return CRef();
  Object& object = Create(Kind::SceneObject);
  object.type = TypeNumber(type);
  object.name = name;
  if (position) {
    object.hasPosition = true;
    object.x = position->x;
    object.y = position->y;
    object.z = position->z;
  }
  Append(*owner, object);
  return RefOf(object);
}

CRef AddCustomProperty(const CRef& owner, const CString& name) {
  Object* parent = FindKind(owner, Kind::SceneObject);
  if (parent == nullptr || name.Length() == 0)
    return CRef();
  Object& property = Create(Kind::Property);
  property.type = TypeNumber(L"customparamset");
  property.name = name;
  Append(*parent, property);
  return RefOf(property);
}

ObjectInfo Describe(const CRef& ref) {
  ObjectInfo info;
  const Object* o = Find(ref);
  if (o == nullptr)
    return info;
  info.valid = true;
  info.isProperty = o->kind == Kind::Property;
  info.type = TypeText(*o);
  info.name = o->name;
  info.fullName = FullName(*o);
  info.parent = RefOf(o->parent);
  if (o->kind == Kind::SceneObject) {
    ForEachInList(*o, [&](const Object& item) {
      if (item.kind == Kind::SceneObject)
        info.children.push_back(RefOf(item));
      else if (item.kind == Kind::Property)
        info.properties.push_back(RefOf(item));
    });
  }
  if (o->hasPosition)
    info.position = Position{o->x, o->y, o->z};
  return info;
}

std::size_t ObjectCount() {
  return Host().live;
}

std::uint64_t ObjectId(const CRef& ref) {
  return Find(ref) != nullptr ? Representation::Handle(ref) : 0;
}

void VisitScene(const std::function<void(const SceneEntry&)>& visit) {
  State& state = Host();
  struct Pending {
    Slot slot;
    int depth;
  };
  SmallStack<Pending> pending;
  SceneEntry entry;
  // An object, then its properties, then its children's subtrees: the properties are visited
  // as they are met in the list, the children pushed to come after them in order.
  auto expand = [&](const Object& owner, int depth) {
    const std::size_t first = pending.size();
    ForEachInList(owner, [&](const Object& item) {
      if (item.kind == Kind::Property) {
        entry.ref = RefOf(item);
        entry.depth = depth;
        entry.isProperty = true;
        entry.type = &TypeText(item);
        entry.name = &item.name;
        entry.position = nullptr;
        visit(entry);
      } else if (item.kind == Kind::SceneObject) {
        pending.push_back({item.self, depth});
      }
    });
    std::reverse(pending.begin() + first, pending.end());
  };
  expand(state.At(SceneRootSlot()), 0);
  Position position;
  while (!pending.empty()) {
    const Pending next = pending.back();
    pending.pop_back();
    const Object& o = state.At(next.slot);
    entry.ref = RefOf(o);
    entry.depth = next.depth;
    entry.isProperty = false;
    entry.type = &TypeText(o);
    entry.name = &o.name;
    position = Position{o.x, o.y, o.z};
    entry.position = o.hasPosition ? &position : nullptr;
    visit(entry);
    expand(o, next.depth + 1);
  }
}

std::vector<CRef> SceneOrder() {
  std::vector<CRef> order;
  VisitScene([&](const SceneEntry& entry) { order.push_back(entry.ref); });
  return order;
}

namespace machinery {

void SelectNextObject() {
  std::vector<std::uint64_t> objects;
  VisitScene([&](const SceneEntry& entry) {
    if (!entry.isProperty)
      objects.push_back(Representation::Handle(entry.ref));
  });
  State& state = Host();
  if (objects.size() < 2)
    return;
  const std::uint64_t first = state.selection.empty() ? 0 : state.selection.front();
  const auto at = std::find(objects.begin(), objects.end(), first);
  const auto next = at == objects.end() || at + 1 == objects.end() ? objects.begin() : at + 1;
  state.selection = {*next};
}

}  // namespace machinery

CRef FindByFullName(const CString& fullName) {
  if (fullName.Length() == 0)
    return CRef();
  State& state = Host();
  SmallStack<Slot> pending;
  auto push = [&](const Object& owner) {
    const std::size_t first = pending.size();
    ForEachInList(owner, [&](const Object& item) {
      if (item.kind == Kind::SceneObject)
        pending.push_back(item.self);
    });
    std::reverse(pending.begin() + first, pending.end());
  };
  push(state.At(SceneRootSlot()));
  while (!pending.empty()) {
    const Object& o = state.At(pending.back());
    pending.pop_back();
    // The own name ends the full name: compare it first, so that most objects cost no full name.
    if (EndsWith(fullName, o.name) && FullName(o) == fullName) {
      return RefOf(o);
    }
    push(o);
  }
  return CRef();
}

void Select(const std::vector<CRef>& refs) {
  std::vector<std::uint64_t> handles;
  for (const CRef& r : refs) {
    if (Find(r) != nullptr)
      handles.push_back(Representation::Handle(r));
  }
  Host().selection = std::move(handles);
}

std::vector<CRef> Selected() {
  std::vector<CRef> refs;
  for (std::uint64_t handle : Host().selection)
    refs.push_back(Representation::MakeRef(handle));
  return refs;
}

const std::vector<LogEntry>& Log() {
  return Host().log;
}
void ClearLog() {
  Host().log.clear();
}

void LogHostMessage(const CString& message, XSI::siSeverityType severity) {
  machinery::TheMachinery().AppendLog(message, severity);
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
  Object* found = nullptr;
  if (owner != nullptr) {
    ForEachInList(*owner, [&](Object& p) {
      if (found == nullptr && p.kind == Kind::Parameter && DetailsOf(p).scriptName == scriptName)
        found = &p;
    });
  }
  return found;
}
}  // namespace

CValue ParameterValue(const CRef& property, const CString& scriptName) {
  const Object* p = ParameterOf(property, scriptName);
  return p != nullptr ? DetailsOf(*p).value : CValue();
}

bool SetParameterValue(const CRef& property, const CString& scriptName, const CValue& value) {
  Object* p = ParameterOf(property, scriptName);
  if (p == nullptr)
    return false;
  DetailsOf(*p).value = value;
  return true;
}

void SetCopyNumber(const CString& number) {
  Host().copyNumber = number;
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
      return Representation::Bool(value) ? "bool true" : "bool false";
    case CValue::siInt4:
      return "int " + std::to_string(Representation::Long(value));
    case CValue::siString:
      return "string \"" + ToUtf8(Representation::String(value)) + "\"";
    case CValue::siRef: {
      const Object* o = Find(Representation::Ref(value));
      return o != nullptr ? "ref " + ToUtf8(FullName(*o)) : std::string("ref (invalid)");
    }
  }
  return "type " + std::to_string(static_cast<long>(value.GetType()));
}

CRef CreateRegistrar() {
  Object& registrar = Create(Kind::Registrar);
  registrar.type = TypeNumber(L"PluginRegistrar");
  return RefOf(registrar);
}

RegistrarInfo DescribeRegistrar(const CRef& ref) {
  RegistrarInfo info;
  const Object* r = FindKind(ref, Kind::Registrar);
  if (r == nullptr)
    return info;
  const Details& details = DetailsOf(*r);
  info.name = r->name;
  info.author = details.author;
  info.email = details.email;
  info.url = details.url;
  info.major = details.major;
  info.minor = details.minor;
  ForEachInList(*r, [&](const Object& item) {
    const Details& more = DetailsOf(item);
    if (item.kind == Kind::Command) {
      info.commands.push_back(CommandInfo{RefOf(item), item.name, more.scriptName, more.description,
                                          more.returnValueEnabled});
    } else if (item.kind == Kind::Menu) {
      info.menus.push_back(MenuInfo{RefOf(item), more.anchor, item.name, more.displayName,
                                    more.dynamic, more.items});
    }
  });
  return info;
}

CRef CreateContext(const CRef& source) {
  Object& context = Create(Kind::Context);
  context.type = TypeNumber(L"Context");
  DetailsOf(context).source = Representation::Handle(source);
  return RefOf(context);
}

CValue ContextAttribute(const CRef& context, const CString& name) {
  return machinery::TheMachinery().AttributeOf(context, name);
}

void Destroy(const CRef& ref) {
  Object* o = Find(ref);
  if (o == nullptr || o->self == Host().sceneRoot)
    return;
  // A registrar's commands and menus are in its list, and go with it.
  Remove(*o);
}

}  // namespace xsihost
