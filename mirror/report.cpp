#include "report.h"

#include <xsi_application.h>
#include <xsi_decl.h>
namespace kelvane {

using namespace XSI;

const wchar_t* const kNoCopyMade = L"No mirrored copy was made.";

void Report(const CString& message) {
  Application().LogMessage(message, siInfoMsg);
}

void ReportQuietly(const CString& message) noexcept {
  try {
    Report(message);
  } catch (...) {  // NOLINT(bugprone-empty-catch): the exception already unwinding is the news
  }
}

CString Quoted(const CString& name) {
  return L"\"" + name + L"\"";
}

}  // namespace kelvane
