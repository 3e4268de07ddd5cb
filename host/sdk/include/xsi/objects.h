// Typed views of scene objects, properties and parameters.
//
// A view holds only a reference; it is as cheap to copy as a CRef. A view built from a reference
// to an object of another class, or from an invalid reference, is still a view: its queries give
// empty values and its changes fail with CStatus::Fail, changing nothing.
#pragma once

#include <xsi/cstring.h>
#include <xsi/ref.h>
#include <xsi/status.h>
#include <xsi/types.h>
#include <xsi/value.h>

#include <cfloat>

namespace XSI {

class PPGLayout;
class Property;

// Any host object with a name.
class XSISDKAPI SIObject {
 public:
  SIObject() = default;
  SIObject(const CRef& ref) : m_ref(ref) {}  // NOLINT: views convert from references
  bool IsValid() const;
  CRef GetRef() const { return m_ref; }
  operator CRef() const { return m_ref; }

  // The object's own name.
  CString GetName() const;
  // Renames the object. An empty name is refused (Fail) and changes nothing.
  CStatus PutName(const CString& name);
  // The name by which host commands find the object; holds the own name and may hold more.
  CString GetFullName() const;
  // The object's type: "root" for a skeleton chain root, "model" for a model, and so on.
  CString GetType() const;

 protected:
  CRef m_ref;
};

// An object that can have parameters and a property page.
class XSISDKAPI ProjectItem : public SIObject {
 public:
  using SIObject::SIObject;
  PPGLayout GetPPGLayout() const;
  // The value of a parameter at a time; DBL_MAX gives the current value. Empty for an unknown
  // parameter.
  CValue GetParameterValue(const CString& scriptName, double time = DBL_MAX) const;
};

// An object of the scene that properties can be added to.
class XSISDKAPI SceneItem : public ProjectItem {
 public:
  using ProjectItem::ProjectItem;
  // Adds a property under this object; "CustomProperty" is the only preset known. On success
  // `property` refers to the new property.
  CStatus AddProperty(const CValue& preset, bool branch, const CString& name, Property& property);
};

class XSISDKAPI X3DObject : public SceneItem {
 public:
  using SceneItem::SceneItem;
  // The direct children, in the host's order (properties are not children).
  CRefArray GetChildren() const;
};

class XSISDKAPI Model : public X3DObject {
 public:
  using X3DObject::X3DObject;
};

class XSISDKAPI Parameter : public ProjectItem {
 public:
  using ProjectItem::ProjectItem;
};

class XSISDKAPI Property : public SceneItem {
 public:
  using SceneItem::SceneItem;
};

class XSISDKAPI CustomProperty : public Property {
 public:
  using Property::Property;
  // Adds a parameter; on success `parameter` refers to it and its value is `defaultValue`.
  CStatus AddParameter(const CString& scriptName, CValue::DataType type, LONG capabilities,
                       const CString& name, const CString& description, const CValue& defaultValue,
                       const CValue& minimum, const CValue& maximum, const CValue& suggestedMinimum,
                       const CValue& suggestedMaximum, Parameter& parameter);
};

// One control of a property page.
class XSISDKAPI PPGItem {
 public:
  PPGItem();
  bool IsValid() const;

 private:
  friend class PPGLayout;  // which makes the items
  CRef m_owner;
  LONG m_index;
};

// The layout of a property page.
class XSISDKAPI PPGLayout {
 public:
  PPGLayout();
  bool IsValid() const;
  // Adds an enumeration control; `items` alternates item labels and item values. Gives an
  // invalid PPGItem when the layout belongs to no object.
  PPGItem AddEnumControl(const CString& scriptName, const CValueArray& items, const CString& label,
                         const CValue& style = CValue());

 private:
  friend class ProjectItem;  // which hands out the layouts
  CRef m_owner;
};

}  // namespace XSI
