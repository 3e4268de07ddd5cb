// The SDK face's views of scene objects, properties and their pages, on the machinery.
#include <xsi_customproperty.h>
#include <xsi_model.h>
#include <xsi_parameter.h>
#include <xsi_ppgitem.h>
#include <xsi_ppglayout.h>
#include <xsi_projectitem.h>
#include <xsi_property.h>
#include <xsi_sceneitem.h>
#include <xsi_siobject.h>
#include <xsi_x3dobject.h>

#include "machinery.h"

namespace XSI {

using xsihost::machinery::Allowed;
using xsihost::machinery::Bound;
using xsihost::machinery::Enter;
using xsihost::machinery::Machinery;
using xsihost::machinery::Op;

SIObject::SIObject() = default;
SIObject::SIObject(const CRef& ref) : m_ref(ref) {}
CRef SIObject::GetRef() const {
  return m_ref;
}
SIObject::operator CRef() const {
  return m_ref;
}
ProjectItem::ProjectItem() = default;
ProjectItem::ProjectItem(const CRef& ref) : SIObject(ref) {}
SceneItem::SceneItem() = default;
SceneItem::SceneItem(const CRef& ref) : ProjectItem(ref) {}
X3DObject::X3DObject() = default;
X3DObject::X3DObject(const CRef& ref) : SceneItem(ref) {}
Model::Model() = default;
Model::Model(const CRef& ref) : X3DObject(ref) {}
Parameter::Parameter() = default;
Parameter::Parameter(const CRef& ref) : ProjectItem(ref) {}
Property::Property() = default;
Property::Property(const CRef& ref) : SceneItem(ref) {}
CustomProperty::CustomProperty() = default;
CustomProperty::CustomProperty(const CRef& ref) : Property(ref) {}

bool SIObject::IsValid() const {
  Machinery& host = Bound();
  Enter(host, "SIObject::IsValid", Op::Query);
  return host.Exists(m_ref);
}

CString SIObject::GetName() const {
  Machinery& host = Bound();
  Enter(host, "SIObject::GetName", Op::Query);
  return host.NameOf(m_ref);
}

CStatus SIObject::PutName(const CString& name) {
  Machinery& host = Bound();
  if (!Allowed(host, "SIObject::PutName", Op::Change))
    return CStatus::Fail;
  return host.Rename(m_ref, name);
}

CString SIObject::GetFullName() const {
  Machinery& host = Bound();
  Enter(host, "SIObject::GetFullName", Op::Query);
  return host.FullNameOf(m_ref);
}

CString SIObject::GetType() const {
  Machinery& host = Bound();
  Enter(host, "SIObject::GetType", Op::Query);
  return host.TypeOf(m_ref);
}

PPGLayout ProjectItem::GetPPGLayout() const {
  Machinery& host = Bound();
  Enter(host, "ProjectItem::GetPPGLayout", Op::Query);
  PPGLayout layout;
  if (host.IsProperty(m_ref))
    layout.m_ref = m_ref;
  return layout;
}

CValue ProjectItem::GetParameterValue(const CString& scriptName, double /*time*/) const {
  Machinery& host = Bound();
  Enter(host, "ProjectItem::GetParameterValue", Op::Query);
  // The stand-in has no animation: every time gives the current value.
  return host.ParameterValueOf(m_ref, scriptName);
}

CStatus SceneItem::AddProperty(const CValue& preset, bool /*branch*/, const CString& name,
                               Property& property) {
  Machinery& host = Bound();
  if (!Allowed(host, "SceneItem::AddProperty", Op::Change))
    return CStatus::Fail;
  CRef created;
  const CStatus status = host.AddProperty(m_ref, preset, name, created);
  if (status.Succeeded())
    property = Property(created);
  return status;
}

CRefArray X3DObject::GetChildren() const {
  Machinery& host = Bound();
  Enter(host, "X3DObject::GetChildren", Op::Query);
  return host.ChildrenOf(m_ref);
}

CStatus CustomProperty::AddParameter(const CString& scriptName, CValue::DataType type,
                                     LONG capabilities, const CString& name,
                                     const CString& description, const CValue& defaultValue,
                                     const CValue& /*minimum*/, const CValue& /*maximum*/,
                                     const CValue& /*suggestedMinimum*/,
                                     const CValue& /*suggestedMaximum*/, Parameter& parameter) {
  Machinery& host = Bound();
  if (!Allowed(host, "CustomProperty::AddParameter", Op::Change))
    return CStatus::Fail;
  CRef created;
  const CStatus status = host.AddParameter(m_ref, scriptName, static_cast<LONG>(type), capabilities,
                                           name, description, defaultValue, created);
  if (status.Succeeded())
    parameter = Parameter(created);
  return status;
}

PPGItem::PPGItem() = default;
bool PPGItem::IsValid() const {
  return Bound().Exists(m_ref);
}

PPGLayout::PPGLayout() = default;
bool PPGLayout::IsValid() const {
  return Bound().Exists(m_ref);
}

PPGItem PPGLayout::AddEnumControl(const CString& scriptName, const CValueArray& items,
                                  const CString& label, const CValue& style) {
  Machinery& host = Bound();
  PPGItem item;
  if (Allowed(host, "PPGLayout::AddEnumControl", Op::Change) &&
      host.AddEnumControl(m_ref, scriptName, items, label, style)) {
    item.m_ref = m_ref;  // a control lives as long as its page
  }
  return item;
}

}  // namespace XSI
