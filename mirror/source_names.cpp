#include "source_names.h"

namespace kelvane {

using namespace XSI;

SourceNames::SourceNames(const CRefArray& objects) : m_objects(objects) {
  const LONG count = m_objects.GetCount();
  m_names.reserve(static_cast<size_t>(count));
  for (LONG i = 0; i < count; ++i)
    m_names.push_back(SIObject(m_objects[i]).GetName());
}

SourceNames::~SourceNames() {
  if (m_restored)
    return;
  for (size_t i = 0; i < m_names.size(); ++i) {
    try {
      SIObject(m_objects[static_cast<LONG>(i)]).PutName(m_names[i]);
    } catch (...) {  // NOLINT(bugprone-empty-catch): the exception already unwinding is the news
    }
  }
}

void SourceNames::Restore() {
  for (size_t i = 0; i < m_names.size(); ++i) {
    SIObject(m_objects[static_cast<LONG>(i)]).PutName(m_names[i]);
  }
  m_restored = true;
}

}  // namespace kelvane
