#include <xsi/objects.h>

#include "access.h"
#include "state.h"

namespace XSI {

using detail::Access;
using xsihost::detail::Allowed;
using xsihost::detail::Create;
using xsihost::detail::Enter;
using xsihost::detail::Find;
using xsihost::detail::FindKind;
using xsihost::detail::Kind;
using xsihost::detail::Object;
using xsihost::detail::Op;

namespace {

bool CanHoldProperties(const Object* o) {
  return o != nullptr && (o->kind == Kind::SceneObject || o->kind == Kind::Property);
}

Object* FindParameter(const Object& property, const CString& scriptName) {
  for (auto id : property.More().parameters) {
    Object* p = Find(id);
    if (p != nullptr && p->More().scriptName == scriptName)
      return p;
  }
  return nullptr;
}

}  // namespace

SIObject::SIObject() = default;
SIObject::SIObject(const CRef& ref) : m_ref(ref) {}

bool SIObject::IsValid() const {
  Enter("SIObject::IsValid", Op::Query);
  return Find(m_ref) != nullptr;
}

CRef SIObject::GetRef() const {
  return m_ref;
}
SIObject::operator CRef() const {
  return m_ref;
}

CString SIObject::GetName() const {
  Enter("SIObject::GetName", Op::Query);
  const Object* o = Find(m_ref);
  return o != nullptr ? o->name : CString();
}

CStatus SIObject::PutName(const CString& name) {
  if (!Allowed("SIObject::PutName", Op::Change))
    return CStatus::Fail;
  Object* o = Find(m_ref);
  if (o == nullptr || name.Length() == 0)
    return CStatus::Fail;
  if (o->id == xsihost::detail::Host().sceneRoot)
    return CStatus::AccessDenied;
  o->name = name;
  return CStatus::OK;
}

CString SIObject::GetFullName() const {
  Enter("SIObject::GetFullName", Op::Query);
  const Object* o = Find(m_ref);
  return o != nullptr ? xsihost::detail::FullName(*o) : CString();
}

CString SIObject::GetType() const {
  Enter("SIObject::GetType", Op::Query);
  const Object* o = Find(m_ref);
  return o != nullptr ? o->type : CString();
}

PPGLayout ProjectItem::GetPPGLayout() const {
  Enter("ProjectItem::GetPPGLayout", Op::Query);
  PPGLayout layout;
  if (FindKind(m_ref, Kind::Property) != nullptr)
    Access::SetLayoutOwner(layout, m_ref);
  return layout;
}

CValue ProjectItem::GetParameterValue(const CString& scriptName, double /*time*/) const {
  Enter("ProjectItem::GetParameterValue", Op::Query);
  // The stand-in has no animation: every time gives the current value.
  const Object* o = Find(m_ref);
  if (o == nullptr)
    return CValue();
  const Object* parameter = FindParameter(*o, scriptName);
  return parameter != nullptr ? parameter->More().value : CValue();
}

CStatus SceneItem::AddProperty(const CValue& preset, bool /*branch*/, const CString& name,
                               Property& property) {
  if (!Allowed("SceneItem::AddProperty", Op::Change))
    return CStatus::Fail;
  Object* owner = Find(m_ref);
  if (!CanHoldProperties(owner) || owner->kind != Kind::SceneObject)
    return CStatus::Fail;
  if (preset.GetType() != CValue::siString || Access::String(preset) != L"CustomProperty" ||
      name.Length() == 0) {
    return CStatus::InvalidArgument;
  }
  Object& created = Create(Kind::Property);
  created.type = L"customparamset";
  created.name = name;
  created.parent = owner->id;
  Find(created.parent)->properties.push_back(created.id);
  property = Property(xsihost::detail::RefOf(created.id));
  return CStatus::OK;
}

CRefArray X3DObject::GetChildren() const {
  Enter("X3DObject::GetChildren", Op::Query);
  CRefArray children;
  if (const Object* o = FindKind(m_ref, Kind::SceneObject)) {
    for (auto id : o->children)
      children.Add(xsihost::detail::RefOf(id));
  }
  return children;
}

CStatus CustomProperty::AddParameter(const CString& scriptName, CValue::DataType type,
                                     LONG capabilities, const CString& name,
                                     const CString& description, const CValue& defaultValue,
                                     const CValue& /*minimum*/, const CValue& /*maximum*/,
                                     const CValue& /*suggestedMinimum*/,
                                     const CValue& /*suggestedMaximum*/, Parameter& parameter) {
  if (!Allowed("CustomProperty::AddParameter", Op::Change))
    return CStatus::Fail;
  Object* owner = FindKind(m_ref, Kind::Property);
  if (owner == nullptr)
    return CStatus::Fail;
  if (scriptName.Length() == 0 || FindParameter(*owner, scriptName) != nullptr) {
    return CStatus::InvalidArgument;
  }
  Object& created = Create(Kind::Parameter);
  created.type = L"Parameter";
  created.More().scriptName = scriptName;
  created.name = name.Length() != 0 ? name : scriptName;
  created.More().description = description;
  created.More().dataType = static_cast<LONG>(type);
  created.More().capabilities = capabilities;
  created.More().value = defaultValue;
  created.parent = owner->id;
  Find(created.parent)->More().parameters.push_back(created.id);
  parameter = Parameter(xsihost::detail::RefOf(created.id));
  return CStatus::OK;
}

PPGItem::PPGItem() : m_index(-1) {}
bool PPGItem::IsValid() const {
  return m_index >= 0 && Find(m_owner) != nullptr;
}

PPGLayout::PPGLayout() = default;
bool PPGLayout::IsValid() const {
  return Find(m_owner) != nullptr;
}

PPGItem PPGLayout::AddEnumControl(const CString& scriptName, const CValueArray& items,
                                  const CString& label, const CValue& style) {
  PPGItem item;
  if (!Allowed("PPGLayout::AddEnumControl", Op::Change))
    return item;
  Object* owner = FindKind(m_owner, Kind::Property);
  if (owner == nullptr)
    return item;
  xsihost::DialogControl control;
  control.scriptName = scriptName;
  control.label = label;
  if (style.GetType() == CValue::siString)
    control.style = Access::String(style);
  // Items come as label, value pairs; a trailing label without a value is dropped.
  for (LONG i = 0; i + 1 < items.GetCount(); i += 2) {
    const CValue& itemLabel = items[i];
    CString text = itemLabel.GetType() == CValue::siString ? Access::String(itemLabel) : CString();
    control.items.push_back(xsihost::DialogItem{text, items[i + 1]});
  }
  owner->More().controls.push_back(std::move(control));
  Access::SetItem(item, m_owner, static_cast<LONG>(owner->More().controls.size() - 1));
  return item;
}

}  // namespace XSI
