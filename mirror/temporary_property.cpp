#include "temporary_property.h"

namespace kelvane {

using namespace XSI;

namespace {

void DeleteFromScene(const CRef& property) {
  CValueArray arguments(1);
  arguments[0] = property;
  CValue unused;
  Application().ExecuteCommand(L"DeleteObj", arguments, unused);
}

}  // namespace

TemporaryProperty::TemporaryProperty(const CRef& property) : m_property(property) {}

TemporaryProperty::~TemporaryProperty() {
  if (m_deleted)
    return;
  try {
    DeleteFromScene(m_property);
  } catch (...) {  // NOLINT(bugprone-empty-catch): the exception already unwinding is the news
  }
}

void TemporaryProperty::Delete() {
  DeleteFromScene(m_property);
  m_deleted = true;
}

}  // namespace kelvane
