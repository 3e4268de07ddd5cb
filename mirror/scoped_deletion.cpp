#include "scoped_deletion.h"

#include <utility>

#include "report.h"

namespace kelvane {

using namespace XSI;

ScopedDeletion::ScopedDeletion(const CRef& object, CString what)
    : m_object(object), m_what(std::move(what)) {}

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
  Report(L"The host did not delete " + m_what + L" " + Quoted(SIObject(m_object).GetFullName()) +
         L" (DeleteObj): delete it by hand.");
}

}  // namespace kelvane
