// CStatus: a result code.
#include <xsi_status.h>

namespace XSI {

CStatus::CStatus(Code code) : m_code(code) {}
CStatus::Code CStatus::GetCode() const {
  return m_code;
}
bool CStatus::Succeeded() const {
  return m_code == OK || m_code == False;
}
bool CStatus::operator==(Code code) const {
  return m_code == code;
}
bool CStatus::operator!=(Code code) const {
  return m_code != code;
}

}  // namespace XSI
