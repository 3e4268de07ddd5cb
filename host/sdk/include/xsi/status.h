// CStatus: the result code of host operations and of plug-in entry points.
#pragma once

#include <xsi/types.h>

namespace XSI {

class CStatus {
 public:
  enum Code : LONG {
    OK = 0,
    False = 1,
    Fail = 2,
    InvalidArgument = 3,
    AccessDenied = 4,
  };

  CStatus(Code code = OK) : m_code(code) {}
  Code GetCode() const { return m_code; }
  bool Succeeded() const { return m_code == OK || m_code == False; }
  bool operator==(Code code) const { return m_code == code; }
  bool operator!=(Code code) const { return m_code != code; }

 private:
  Code m_code;
};

}  // namespace XSI
