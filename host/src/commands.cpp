// The host commands the stand-in knows: "DuplicateSymmetry", "DeleteObj" and "InspectObj".
#include <utility>

#include "access.h"
#include "state.h"

namespace xsihost::detail {

using XSI::CRef;
using XSI::CStatus;
using XSI::CString;
using XSI::CValue;
using XSI::CValueArray;
using XSI::detail::Access;

namespace {

void LogError(const CString& message) {
  LogHostMessage(message, XSI::siErrorMsg);
}

// Copies `original` with its whole hierarchy under `parent`, mirrored through the plane x = 0.
// Copies keep types, order and properties; each copied object is named after its original
// followed by the copy number, "1". Works without recursion: chains can be thousands of levels
// deep.
Id CopyMirrored(Id original, Id parent) {
  struct Pending {
    Id from;
    Id toParent;
  };
  std::vector<Pending> pending{{original, parent}};
  Id copyRoot = 0;
  while (!pending.empty()) {
    Pending next = pending.back();
    pending.pop_back();
    const Object* from = Find(next.from);
    Object& to = Create(Kind::SceneObject);
    Object* toParent = Find(next.toParent);
    to.type = from->type;
    to.name = from->name + Host().copyNumber;
    to.parent = next.toParent;
    to.model = toParent->type == L"model" && toParent->id != Host().sceneRoot ? toParent->id
                                                                              : toParent->model;
    if (from->position)
      to.position = Position{-from->position->x, from->position->y, from->position->z};
    toParent->children.push_back(to.id);
    if (copyRoot == 0)
      copyRoot = to.id;
    for (Id p : from->properties) {
      const Object* property = Find(p);
      Object& copy = Create(Kind::Property);
      copy.type = property->type;
      copy.name = property->name;
      copy.More().controls = property->More().controls;
      copy.parent = to.id;
      for (Id q : property->More().parameters) {
        const Object* parameter = Find(q);
        Object& copied = Create(Kind::Parameter);
        copied.type = parameter->type;
        copied.name = parameter->name;
        copied.More() = parameter->More();
        copied.parent = copy.id;
        copy.More().parameters.push_back(copied.id);
      }
      to.properties.push_back(copy.id);
    }
    // Children are pushed in reverse so that they are copied, and appended, in host order.
    for (auto it = from->children.rbegin(); it != from->children.rend(); ++it) {
      pending.push_back({*it, to.id});
    }
  }
  return copyRoot;
}

CStatus DuplicateSymmetry(const CValueArray& arguments, CValue& result) {
  const CValue& target = arguments[0];
  const CString prefix = L"B:";
  CString fullName;
  if (target.GetType() == CValue::siString) {
    const auto& units = Access::Units(Access::String(target));
    if (units.compare(0, 2, Access::Units(prefix)) == 0) {
      fullName = Access::Make(units.substr(2));
    }
  }
  Object* original = Find(FindByFullName(fullName));
  if (original == nullptr || original->id == Host().sceneRoot) {
    LogError(L"DuplicateSymmetry: no object named " + fullName);
    return CStatus::InvalidArgument;
  }
  Id copy = CopyMirrored(original->id, original->parent);
  Host().selection = {copy};
  result = CValue(RefOf(copy));
  return CStatus::OK;
}

CStatus DeleteObj(const CValueArray& arguments) {
  Object* object = Find(CRef(arguments[0]));
  if (object == nullptr || object->id == Host().sceneRoot ||
      (object->kind != Kind::SceneObject && object->kind != Kind::Property)) {
    LogError(L"DeleteObj: nothing to delete");
    return CStatus::InvalidArgument;
  }
  Remove(object->id);
  return CStatus::OK;
}

CStatus InspectObj(const CValueArray& arguments, CValue& result) {
  Object* property = FindKind(CRef(arguments[0]), Kind::Property);
  if (property == nullptr) {
    LogError(L"InspectObj: nothing to inspect");
    return CStatus::InvalidArgument;
  }
  DialogRequest request;
  request.property = RefOf(property->id);
  const CValue& title = arguments[2];
  request.title = title.GetType() == CValue::siString ? Access::String(title) : property->name;
  request.controls = property->More().controls;
  // The responder may change the scene through the host face; copy it first so that a
  // responder replacing itself stays alive while it runs.
  DialogResponder responder = Host().responder;
  DialogAnswer answer = responder ? responder(request) : DialogAnswer::Confirm;
  result = CValue(answer == DialogAnswer::Cancel);
  return CStatus::OK;
}

}  // namespace

CStatus RunCommand(const CString& name, const CValueArray& arguments, CValue& result) {
  if (Host().refusedCommands.count(Access::Units(name)) != 0)
    return CStatus::Fail;
  if (name == L"DuplicateSymmetry")
    return DuplicateSymmetry(arguments, result);
  if (name == L"DeleteObj")
    return DeleteObj(arguments);
  if (name == L"InspectObj")
    return InspectObj(arguments, result);
  LogError(L"Unknown command: " + name);
  return CStatus::Fail;
}

}  // namespace xsihost::detail
