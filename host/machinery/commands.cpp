// The host commands the stand-in knows: "DuplicateSymmetry", "DeleteObj" and "InspectObj".
#include <xsihost/text.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "representation.h"
#include "small_stack.h"
#include "store.h"

namespace xsihost::machinery {

using XSI::CRef;
using XSI::CStatus;
using XSI::CString;
using XSI::CValue;
using XSI::CValueArray;
using XSI::Representation;

namespace {

// Copies a property with its page and its parameters under `owner`.
void CopyProperty(const Object& property, Object& owner) {
  Object& copy = Create(Kind::Property);
  copy.type = property.type;
  copy.name = property.name;
  DetailsOf(copy).controls = DetailsOf(property).controls;
  Append(owner, copy);
  ForEachInList(property, [&](const Object& parameter) {
    Object& copied = Create(Kind::Parameter);
    copied.type = parameter.type;
    copied.name = parameter.name;
    DetailsOf(copied) = DetailsOf(parameter);
    Append(copy, copied);
  });
}

void LogError(const CString& message) {
  LogHostMessage(message, XSI::siErrorMsg);
}

// Copies `original` with its whole hierarchy as the last child of its own parent, mirrored
// through the plane x = 0. Copies keep types, order and properties; each copied object is named
// after its original followed by the copy number, "1". Works without recursion: chains can be
// thousands of levels deep.
Object& CopyMirrored(Object& original) {
  State& state = Host();
  struct Pending {
    Slot from;
    Slot toParent;
  };
  SmallStack<Pending> pending;
  pending.push_back({original.self, original.parent});
  Slot copyRoot = kNone;
  while (!pending.empty()) {
    const Pending next = pending.back();
    pending.pop_back();
    Object& to = Create(Kind::SceneObject);
    const Object& from = state.At(next.from);
    to.type = from.type;
    to.name = from.name + state.copyNumber;
    if (from.hasPosition) {
      to.hasPosition = true;
      to.x = -from.x;
      to.y = from.y;
      to.z = from.z;
    }
    Append(state.At(next.toParent), to);
    if (copyRoot == kNone)
      copyRoot = to.self;
    // Properties now, children later: pushed in reverse so that they are copied, and appended,
    // in host order.
    const std::size_t firstChild = pending.size();
    ForEachInList(from, [&](const Object& item) {
      if (item.kind == Kind::SceneObject)
        pending.push_back({item.self, to.self});
      else if (item.kind == Kind::Property)
        CopyProperty(item, to);
    });
    std::reverse(pending.begin() + firstChild, pending.end());
  }
  return state.At(copyRoot);
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
  const CString& target = Representation::String(arguments[0]);
  const CString fullName =
      target[0] == u'B' && target[1] == u':' ? Representation::From(target, 2) : CString();
  Object* original = FindKind(FindByFullName(fullName), Kind::SceneObject);
  if (original == nullptr || original->self == Host().sceneRoot) {
    LogError(L"DuplicateSymmetry: no object named " + fullName);
    return CStatus::InvalidArgument;
  }
  const CRef copy = RefOf(CopyMirrored(*original));
  Host().selection = {Representation::Handle(copy)};
  result = CValue(copy);
  return CStatus::OK;
}

CStatus DeleteObj(const CValueArray& arguments) {
  if (!CheckArguments(L"DeleteObj", arguments, {Any(CValue::siRef)}))
    return CStatus::InvalidArgument;
  Object* object = Find(CRef(arguments[0]));
  if (object == nullptr || object->self == Host().sceneRoot ||
      (object->kind != Kind::SceneObject && object->kind != Kind::Property)) {
    LogError(L"DeleteObj: nothing to delete");
    return CStatus::InvalidArgument;
  }
  Remove(*object);
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
  if (Representation::Long(arguments[3]) != kModal) {
    // A page that is not modal opens and the command returns at once: nothing was cancelled
    // and nothing chosen yet.
    result = CValue(false);
    return CStatus::OK;
  }
  DialogRequest request;
  request.property = RefOf(*property);
  const CValue& title = arguments[2];
  request.title = title.IsEmpty() ? property->name : Representation::String(title);
  request.controls = DetailsOf(*property).controls;
  // The responder may change the scene through the host face; copy it first so that a
  // responder replacing itself stays alive while it runs.
  DialogResponder responder = Host().responder;
  DialogAnswer answer = responder ? responder(request) : DialogAnswer::Confirm;
  result = CValue(answer == DialogAnswer::Cancel);
  return CStatus::OK;
}

}  // namespace

CStatus RunCommand(const CString& name, const CValueArray& arguments, CValue& result) {
  const auto& refused = Host().refusedCommands;
  if (std::find(refused.begin(), refused.end(), name) != refused.end())
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

}  // namespace xsihost::machinery
