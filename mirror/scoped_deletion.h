// An object that the command put into the scene and that must leave it unless the run keeps it.
#pragma once

#include <xsi_ref.h>
#include <xsi_string.h>

namespace kelvane {

// Deletes an object with the host command "DeleteObj" when asked, or when the scope ends with
// the object neither deleted nor kept (an exception unwinds, or a run gave up).
//
// `what` names the object for the user, e.g. L"the temporary property". When the host does not
// delete it, the log says so, with the object's full name, and how to mend it:
//   The host did not delete the temporary property "Rule of Rename" (DeleteObj): delete it by
//   hand.
// If the host cannot even give the full name, `otherwise` takes the place of `what` and the
// name, e.g. L"the mirrored copy of \"Rig.L_arm\"".
// A host operation that raises in Delete() passes on after that line; in the destructor it is
// dropped (a destructor must not throw).
class ScopedDeletion {
 public:
  ScopedDeletion(const XSI::CRef& object, XSI::CString what, XSI::CString otherwise);
  ScopedDeletion(const ScopedDeletion&) = delete;
  ScopedDeletion& operator=(const ScopedDeletion&) = delete;
  ~ScopedDeletion();

  // Deletes the object now. True when the host deleted it; false, logged, when it refused.
  bool Delete();
  // The object stays in the scene: the destructor leaves it alone.
  void Keep() { m_done = true; }

 private:
  void ReportLeftOver() const;

  XSI::CRef m_object;
  XSI::CString m_what;
  XSI::CString m_otherwise;
  bool m_done = false;
};

}  // namespace kelvane
