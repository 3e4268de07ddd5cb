// PPGLayout: the layout of a property page.
#pragma once

#include <xsi_decl.h>
#include <xsi_ppgitem.h>
#include <xsi_ref.h>
#include <xsi_string.h>
#include <xsi_value.h>

namespace XSI {

// The layout of a property page, as ProjectItem::GetPPGLayout gives it.
class XSISDKAPI PPGLayout {
 public:
  PPGLayout();
  // Whether the layout belongs to an object that exists.
  bool IsValid() const;
  // Adds an enumeration control; `items` alternates item labels and item values. Gives an
  // invalid PPGItem when the layout belongs to no object.
  //   CValueArray items(4);  // L"Left,Right", LONG(4), L"L_,R_", LONG(6)
  //   layout.AddEnumControl(L"EnumCtrl", items, L"Choice", siControlCombo);
  PPGItem AddEnumControl(const CString& scriptName, const CValueArray& items, const CString& label,
                         const CValue& style = CValue());

 private:
  friend class ProjectItem;  // which hands out the layouts
  CRef m_ref;
};

}  // namespace XSI
