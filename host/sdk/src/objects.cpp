// The SDK face's views of scene objects, properties and their pages, on the machinery.
#include <xsi/objects.h>

#include "machinery.h"

namespace XSI {

namespace host = xsihost::machinery;
using host::Allowed;
using host::Enter;
using host::Op;

bool SIObject::IsValid() const {
  Enter("SIObject::IsValid", Op::Query);
  return host::Exists(m_ref);
}

CString SIObject::GetName() const {
  Enter("SIObject::GetName", Op::Query);
  return host::NameOf(m_ref);
}

CStatus SIObject::PutName(const CString& name) {
  if (!Allowed("SIObject::PutName", Op::Change))
    return CStatus::Fail;
  return host::Rename(m_ref, name);
}

CString SIObject::GetFullName() const {
  Enter("SIObject::GetFullName", Op::Query);
  return host::FullNameOf(m_ref);
}

CString SIObject::GetType() const {
  Enter("SIObject::GetType", Op::Query);
  return host::TypeOf(m_ref);
}

PPGLayout ProjectItem::GetPPGLayout() const {
  Enter("ProjectItem::GetPPGLayout", Op::Query);
  PPGLayout layout;
  if (host::IsProperty(m_ref))
    layout.m_owner = m_ref;
  return layout;
}

CValue ProjectItem::GetParameterValue(const CString& scriptName, double /*time*/) const {
  Enter("ProjectItem::GetParameterValue", Op::Query);
  // The stand-in has no animation: every time gives the current value.
  return host::ParameterValueOf(m_ref, scriptName);
}

CStatus SceneItem::AddProperty(const CValue& preset, bool /*branch*/, const CString& name,
                               Property& property) {
  if (!Allowed("SceneItem::AddProperty", Op::Change))
    return CStatus::Fail;
  CRef created;
  const CStatus status = host::AddProperty(m_ref, preset, name, created);
  if (status.Succeeded())
    property = Property(created);
  return status;
}

CRefArray X3DObject::GetChildren() const {
  Enter("X3DObject::GetChildren", Op::Query);
  return host::ChildrenOf(m_ref);
}

CStatus CustomProperty::AddParameter(const CString& scriptName, CValue::DataType type,
                                     LONG capabilities, const CString& name,
                                     const CString& description, const CValue& defaultValue,
                                     const CValue& /*minimum*/, const CValue& /*maximum*/,
                                     const CValue& /*suggestedMinimum*/,
                                     const CValue& /*suggestedMaximum*/, Parameter& parameter) {
  if (!Allowed("CustomProperty::AddParameter", Op::Change))
    return CStatus::Fail;
  CRef created;
  const CStatus status = host::AddParameter(m_ref, scriptName, static_cast<LONG>(type),
                                            capabilities, name, description, defaultValue, created);
  if (status.Succeeded())
    parameter = Parameter(created);
  return status;
}

PPGItem::PPGItem() : m_index(-1) {}
bool PPGItem::IsValid() const {
  return m_index >= 0 && host::Exists(m_owner);
}

PPGLayout::PPGLayout() = default;
bool PPGLayout::IsValid() const {
  return host::Exists(m_owner);
}

PPGItem PPGLayout::AddEnumControl(const CString& scriptName, const CValueArray& items,
                                  const CString& label, const CValue& style) {
  PPGItem item;
  if (!Allowed("PPGLayout::AddEnumControl", Op::Change))
    return item;
  const LONG index = host::AddEnumControl(m_owner, scriptName, items, label, style);
  if (index >= 0) {
    item.m_owner = m_owner;
    item.m_index = index;
  }
  return item;
}

}  // namespace XSI
