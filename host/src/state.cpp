#include "state.h"

#include <xsihost/text.h>

#include <algorithm>
#include <string_view>

#include "access.h"

namespace xsihost::detail {

using XSI::detail::Access;

State& Host() {
  // Built on first use, never destroyed: plug-in libraries may still hold references while the
  // process exits.
  static State* state = [] {
    auto* fresh = new State();
    auto root = std::make_unique<Object>();
    root->id = fresh->nextId++;
    root->type = L"model";
    root->name = L"Scene_Root";
    fresh->sceneRoot = root->id;
    fresh->objects.emplace(root->id, std::move(root));
    return fresh;
  }();
  return *state;
}

void AppendLog(const XSI::CString& message, XSI::siSeverityType severity) {
  State& state = Host();
  state.log.push_back(LogEntry{message, severity});
  if (state.logListener)
    state.logListener(state.log.back());
}

Object* Find(Id id) {
  State& state = Host();
  auto it = state.objects.find(id);
  return it != state.objects.end() ? it->second.get() : nullptr;
}

Object* Find(const XSI::CRef& ref) {
  return Find(Access::Handle(ref));
}

Object* FindKind(const XSI::CRef& ref, Kind kind) {
  Object* object = Find(ref);
  return object != nullptr && object->kind == kind ? object : nullptr;
}

Object& Create(Kind kind) {
  State& state = Host();
  auto object = std::make_unique<Object>();
  object->id = state.nextId++;
  object->kind = kind;
  Object& created = *object;
  state.objects.emplace(created.id, std::move(object));
  return created;
}

XSI::CRef RefOf(Id id) {
  return Access::MakeRef(id);
}
Id IdOf(const XSI::CRef& ref) {
  return Access::Handle(ref);
}

void Remove(Id id) {
  State& state = Host();
  Object* object = Find(id);
  if (object == nullptr)
    return;
  if (Object* parent = Find(object->parent)) {
    auto drop = [id](std::vector<Id>& list) {
      list.erase(std::remove(list.begin(), list.end(), id), list.end());
    };
    drop(parent->children);
    drop(parent->properties);
    if (parent->details)
      drop(parent->details->parameters);
  }
  // Collect the whole subtree without recursion: chains can be thousands of levels deep.
  std::vector<Id> pending{id};
  std::set<Id> removed;
  while (!pending.empty()) {
    Id next = pending.back();
    pending.pop_back();
    Object* o = Find(next);
    if (o == nullptr)
      continue;
    for (Id c : o->children)
      pending.push_back(c);
    for (Id p : o->properties)
      pending.push_back(p);
    if (o->details) {
      for (Id p : o->details->parameters)
        pending.push_back(p);
    }
    removed.insert(next);
    state.objects.erase(next);
  }
  auto& sel = state.selection;
  sel.erase(std::remove_if(sel.begin(), sel.end(), [&](Id s) { return removed.count(s) != 0; }),
            sel.end());
}

XSI::CString FullName(const Object& object) {
  if (object.kind == Kind::Property || object.kind == Kind::Parameter) {
    // A property is known by its owner's full name; the scene root's own ones by their name.
    const Object* owner = Find(object.parent);
    if (owner != nullptr && owner->id != Host().sceneRoot) {
      return FullName(*owner) + L"." + object.name;
    }
    return object.name;
  }
  // The models enclosing the object below the scene root, outermost first, each with ".".
  std::vector<const Object*> models;
  for (const Object* m = Find(object.model); m != nullptr; m = Find(m->model))
    models.push_back(m);
  XSI::CString result;
  for (auto it = models.rbegin(); it != models.rend(); ++it) {
    result += (*it)->name;
    result += L".";
  }
  result += object.name;
  return result;
}

namespace {

// Whether `fault` names this call: the operation with or without its class, or the host command
// it runs.
bool Matches(const Fault& fault, std::string_view operation, const XSI::CString* command) {
  if (fault.operation.empty() || fault.operation == operation)
    return true;
  const auto colons = operation.rfind("::");
  if (colons != std::string_view::npos && fault.operation == operation.substr(colons + 2))
    return true;
  return command != nullptr && Access::Units(*command) == Access::Units(Str(fault.operation));
}

}  // namespace

std::optional<FaultMode> Enter(const char* operation, Op op, const XSI::CString* command) {
  State& state = Host();
  ++state.operations;
  const Fault* firing = nullptr;
  // Every matching fault counts the call, also when an earlier one already fires on it.
  for (auto& [fault, seen] : state.faults) {
    if (!Matches(fault, operation, command))
      continue;
    ++seen;
    const bool fires = seen == fault.call || (fault.persistent && seen > fault.call);
    if (fires && firing == nullptr)
      firing = &fault;
  }
  if (firing == nullptr)
    return std::nullopt;
  const FaultMode mode = firing->mode;
  state.fired.push_back(
      FaultReport{true, operation, command != nullptr ? ToUtf8(*command) : std::string(), mode});
  if (mode == FaultMode::Raise)
    throw HostFault(std::string("injected fault: ") + operation + " raised");
  if (op == Op::Query)
    return std::nullopt;
  return mode;
}

}  // namespace xsihost::detail
