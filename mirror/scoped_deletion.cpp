#include "scoped_deletion.h"

#include <xsi_application.h>
#include <xsi_siobject.h>
#include <xsi_value.h>

#include <utility>

#include "report.h"

namespace kelvane {

using namespace XSI;

ScopedDeletion::ScopedDeletion(const CRef& object, CString what, CString otherwise)
    : m_object(object), m_what(std::move(what)), m_otherwise(std::move(otherwise)) {}

ScopedDeletion::~ScopedDeletion() {
  if (m_done)
    return;
  try {
    Delete();
  } catch (...) {
    try {
      ReportLeftOver();
    } catch (...) {  // NOLINT(bugprone-empty-catch): the exception already unwinding is the news
    }
  }
}

bool ScopedDeletion::Delete() {
  CValueArray arguments(1);
  arguments[0] = m_object;
  CValue unused;
  const CStatus status = Application().ExecuteCommand(L"DeleteObj", arguments, unused);
  m_done = true;
  if (status.Succeeded())
    return true;
  ReportLeftOver();
  return false;
}

void ScopedDeletion::ReportLeftOver() const {
  const CString howToMend = L" (DeleteObj): delete it by hand.";
  try {
    const CString name = SIObject(m_object).GetFullName();
    Report(L"The host did not delete " + m_what + L" " + Quoted(name) + howToMend);
  } catch (...) {
    ReportQuietly(L"The host did not delete " + m_otherwise + howToMend);
    throw;
  }
}

}  // namespace kelvane
