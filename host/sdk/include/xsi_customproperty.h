// CustomProperty: a property with parameters of the plug-in's own.
#pragma once

#include <xsi_decl.h>
#include <xsi_parameter.h>
#include <xsi_property.h>
#include <xsi_status.h>
#include <xsi_value.h>

namespace XSI {

// A property whose parameters the plug-in defines.
class XSISDKAPI CustomProperty : public Property {
 public:
  CustomProperty();
  CustomProperty(const CRef& ref);  // NOLINT: views convert from references
  // Adds a parameter; on success `parameter` refers to it and its value is `defaultValue`.
  // An empty or taken scripting name is refused (InvalidArgument).
  CStatus AddParameter(const CString& scriptName, CValue::DataType type, LONG capabilities,
                       const CString& name, const CString& description, const CValue& defaultValue,
                       const CValue& minimum, const CValue& maximum, const CValue& suggestedMinimum,
                       const CValue& suggestedMaximum, Parameter& parameter);
};

}  // namespace XSI
