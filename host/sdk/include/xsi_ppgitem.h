// PPGItem: one control of a property page.
#pragma once

#include <xsi_decl.h>
#include <xsi_ref.h>

namespace XSI {

// One control of a property page, as PPGLayout gives it back.
class XSISDKAPI PPGItem {
 public:
  PPGItem();
  // Whether the control was made and its page still exists.
  bool IsValid() const;

 private:
  friend class PPGLayout;  // which makes the items
  CRef m_ref;
};

}  // namespace XSI
