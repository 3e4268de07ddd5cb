// Selection: the host's current selection.
#pragma once

#include <xsi_decl.h>
#include <xsi_ref.h>

namespace XSI {

// A live view of the host's selection: every read answers for the selection as it is now.
//   Selection selection = Application().GetSelection();
//   CRef first = selection[0];   // invalid (its type empty) when nothing is selected
class XSISDKAPI Selection {
 public:
  Selection();
  // The item at `index`; an invalid reference when there is none.
  CRef operator[](LONG index) const;
  LONG GetCount() const;
};

}  // namespace XSI
