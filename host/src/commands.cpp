// The host commands the stand-in knows: "DuplicateSymmetry", "DeleteObj" and "InspectObj".
#include <xsihost/text.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

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

// What a host command takes in one position: the type, and for some the one value that the
// stand-in models (the real command would do something else with another value).
struct ArgumentRule {
  CValue::DataType type;
  bool emptyAllowed;
  std::optional<CValue> only;
};

ArgumentRule Any(CValue::DataType type) {
  return ArgumentRule{type, false, std::nullopt};
}
ArgumentRule EmptyOr(CValue::DataType type) {
  return ArgumentRule{type, true, std::nullopt};
}
ArgumentRule Only(const CValue& value) {
  return ArgumentRule{value.GetType(), false, value};
}

const char* TypeWord(CValue::DataType type) {
  switch (type) {
    case CValue::siEmpty:
      return "empty";
    case CValue::siInt4:
      return "an integer";
    case CValue::siString:
      return "a string";
    case CValue::siBool:
      return "a boolean";
    case CValue::siRef:
      return "an object";
  }
  return "a value of another type";
}

// Checks the arguments as the host does before it runs a command; logs what is wrong, naming
// the command and the argument.
bool CheckArguments(const CString& command, const CValueArray& arguments,
                    const std::vector<ArgumentRule>& rules) {
  const std::string name = ToUtf8(command);
  if (arguments.GetCount() != static_cast<XSI::LONG>(rules.size())) {
    LogError(Str(name + ": takes " + std::to_string(rules.size()) + " arguments, got " +
                 std::to_string(arguments.GetCount())));
    return false;
  }
  for (size_t i = 0; i < rules.size(); ++i) {
    const CValue& given = arguments[static_cast<XSI::LONG>(i)];
    const ArgumentRule& rule = rules[i];
    const std::string which = name + ": argument " + std::to_string(i + 1);
    if (given.GetType() != rule.type && !(rule.emptyAllowed && given.IsEmpty())) {
      LogError(
          Str(which + " must be " + TypeWord(rule.type) + ", not " + TypeWord(given.GetType())));
      return false;
    }
    if (rule.only && given != *rule.only) {
      LogError(Str(which + " must be " + ValueText(*rule.only) +
                   " (the only value the stand-in models), not " + ValueText(given)));
      return false;
    }
  }
  return true;
}

CStatus DuplicateSymmetry(const CValueArray& arguments, CValue& result) {
  using XSI::LONG;
  static const std::vector<ArgumentRule> rules = {
      Any(CValue::siString), Only(true),    Only(LONG(1)), Only(LONG(1)),
      Only(LONG(0)),         Only(LONG(0)), Only(LONG(0)), Only(true),
  };
  if (!CheckArguments(L"DuplicateSymmetry", arguments, rules))
    return CStatus::InvalidArgument;
  const auto& target = Access::Units(Access::String(arguments[0]));
  const std::u16string prefix = u"B:";
  const CString fullName =
      target.compare(0, prefix.size(), prefix) == 0 ? Access::Make(target.substr(2)) : CString();
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
  if (!CheckArguments(L"DeleteObj", arguments, {Any(CValue::siRef)}))
    return CStatus::InvalidArgument;
  Object* object = Find(CRef(arguments[0]));
  if (object == nullptr || object->id == Host().sceneRoot ||
      (object->kind != Kind::SceneObject && object->kind != Kind::Property)) {
    LogError(L"DeleteObj: nothing to delete");
    return CStatus::InvalidArgument;
  }
  Remove(object->id);
  return CStatus::OK;
}

// The mode in which InspectObj shows a property page as a modal dialog and waits for it.
constexpr XSI::LONG kModal = 4;

CStatus InspectObj(const CValueArray& arguments, CValue& result) {
  static const std::vector<ArgumentRule> rules = {Any(CValue::siRef), EmptyOr(CValue::siString),
                                                  EmptyOr(CValue::siString), Any(CValue::siInt4),
                                                  Any(CValue::siBool)};
  if (!CheckArguments(L"InspectObj", arguments, rules))
    return CStatus::InvalidArgument;
  Object* property = FindKind(CRef(arguments[0]), Kind::Property);
  if (property == nullptr) {
    LogError(L"InspectObj: nothing to inspect");
    return CStatus::InvalidArgument;
  }
  if (Access::Long(arguments[3]) != kModal) {
    // A page that is not modal opens and the command returns at once: nothing was cancelled
    // and nothing chosen yet.
    result = CValue(false);
    return CStatus::OK;
  }
  DialogRequest request;
  request.property = RefOf(property->id);
  const CValue& title = arguments[2];
  request.title = title.IsEmpty() ? property->name : Access::String(title);
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
