// SIObject: any host object with a name; the base of every view.
#pragma once

#include <xsi_decl.h>
#include <xsi_ref.h>
#include <xsi_status.h>
#include <xsi_string.h>

namespace XSI {

// A view of a host object. A view holds only a reference and is as cheap to copy. A view built
// from a reference to an object of another class, or from an invalid reference, is still a
// view: its queries give empty values and its changes fail with CStatus::Fail, changing nothing.
//
//   SIObject object(ref);
//   object.GetName();               // "L_arm"
//   object.GetFullName();           // "Rig.L_arm"
//   object.PutName(L"R_arm");       // CStatus::OK
class XSISDKAPI SIObject {
 public:
  SIObject();
  SIObject(const CRef& ref);  // NOLINT: views convert from references
  // Whether the object exists.
  bool IsValid() const;
  // The reference the view was built from.
  CRef GetRef() const;
  operator CRef() const;  // NOLINT: a view is used where its reference is wanted

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

}  // namespace XSI
