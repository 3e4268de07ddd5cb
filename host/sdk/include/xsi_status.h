// CStatus: the result code of host operations and of plug-in entry points.
#pragma once

#include <xsi_decl.h>

namespace XSI {

class XSISDKAPI CStatus {
 public:
  enum Code : LONG {
    OK = 0,
    False = 1,
    Fail = 2,
    InvalidArgument = 3,
    AccessDenied = 4,
  };

  CStatus(Code code = OK);  // NOLINT: a code converts implicitly, as in the host SDK
  Code GetCode() const;
  // True for OK and False: the operation did what it was asked.
  bool Succeeded() const;
  bool operator==(Code code) const;
  bool operator!=(Code code) const;

 private:
  Code m_code;
};

}  // namespace XSI
