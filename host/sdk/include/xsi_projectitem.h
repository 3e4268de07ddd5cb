// ProjectItem: an object with parameters and a property page.
#pragma once

#include <xsi_decl.h>
#include <xsi_ppglayout.h>
#include <xsi_siobject.h>
#include <xsi_value.h>

#include <cfloat>

namespace XSI {

// An object that can have parameters and a property page.
class XSISDKAPI ProjectItem : public SIObject {
 public:
  ProjectItem();
  ProjectItem(const CRef& ref);  // NOLINT: views convert from references
  // The layout of its property page; an invalid layout for an object that has no page.
  PPGLayout GetPPGLayout() const;
  // The value of a parameter at a time; DBL_MAX gives the current value. Empty for an unknown
  // parameter.
  CValue GetParameterValue(const CString& scriptName, double time = DBL_MAX) const;
};

}  // namespace XSI
