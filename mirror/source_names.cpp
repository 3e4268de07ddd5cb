#include "source_names.h"

#include "report.h"
#include "scene_helpers.h"

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
  for (LONG i = 0; i < m_suffixed; ++i) {
    try {
      PutBack(i);
    } catch (...) {
      try {
        ReportNotPutBack(i);
      } catch (...) {  // NOLINT(bugprone-empty-catch): the exception already unwinding is the news
      }
    }
  }
}

bool SourceNames::AppendSuffix(const CString& suffix) {
  m_suffix = suffix;
  const LONG count = m_objects.GetCount();
  for (; m_suffixed < count; ++m_suffixed) {
    if (!AppendToName(CValue(m_objects[m_suffixed]), suffix))
      return false;
  }
  return true;
}

bool SourceNames::Restore() {
  bool all = true;
  for (LONG i = 0; i < m_suffixed; ++i) {
    if (!PutBack(i))
      all = false;
  }
  m_restored = true;
  return all;
}

const CString& SourceNames::OldName(LONG index) const {
  return m_names[static_cast<size_t>(index)];
}

bool SourceNames::PutBack(LONG index) {
  if (SIObject(m_objects[index]).PutName(OldName(index)).Succeeded())
    return true;
  ReportNotPutBack(index);
  return false;
}

void SourceNames::ReportNotPutBack(LONG index) const {
  Report(L"The host did not give " + Quoted(OldName(index) + m_suffix) +
         L" its name back (PutName): rename it " + Quoted(OldName(index)) + L" by hand.");
}

}  // namespace kelvane
