// The host the SDK's classes work on: bound by the host library when it loads.
#include <stdexcept>

#include "machinery.h"
#include "representation.h"

namespace {

xsihost::machinery::Machinery* theMachinery = nullptr;

}  // namespace

namespace xsihost::machinery {

Machinery& Bound() {
  if (theMachinery == nullptr)
    throw std::logic_error("the XSI SDK library is used without a host");
  return *theMachinery;
}

}  // namespace xsihost::machinery

void XSI::Representation::BindMachinery(xsihost::machinery::Machinery& machinery) {
  theMachinery = &machinery;
}
