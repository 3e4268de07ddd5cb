#include "source_names.h"

#include <xsi_siobject.h>
#include <xsi_value.h>

#include "report.h"
#include "scene_helpers.h"

namespace kelvane {

using namespace XSI;

SourceNames::SourceNames(const CRefArray& objects)
    : m_objects(objects), m_state(static_cast<std::size_t>(objects.GetCount()), Name::Old) {
  m_names.reserve(m_state.size());
}

SourceNames::~SourceNames() {
  if (m_restored)
    return;
  for (std::size_t i = 0; i < m_state.size(); ++i) {
    if (m_state[i] != Name::Suffixed)
      continue;
    try {
      PutBack(i);
    } catch (...) {
      ReportQuietly(NotPutBack(i));
    }
  }
}

bool SourceNames::AppendSuffix(const CString& suffix) {
  m_suffix = suffix;
  for (std::size_t i = 0; i < m_state.size(); ++i) {
    m_names.emplace_back();
    if (!AppendToName(CValue(m_objects[static_cast<LONG>(i)]), suffix, &m_names.back()))
      return false;
    m_state[i] = Name::Suffixed;
  }
  return true;
}

bool SourceNames::Restore() {
  bool all = true;
  for (std::size_t i = 0; i < m_state.size(); ++i) {
    if (m_state[i] == Name::Suffixed)
      PutBack(i);
    all = all && m_state[i] != Name::Refused;
  }
  m_restored = true;
  return all;
}

const CString& SourceNames::OldName(std::size_t index) const {
  return m_names[index];
}

bool SourceNames::PutBack(std::size_t index) {
  const bool back =
      SIObject(m_objects[static_cast<LONG>(index)]).PutName(OldName(index)).Succeeded();
  m_state[index] = back ? Name::Back : Name::Refused;
  if (!back)
    Report(NotPutBack(index));
  return back;
}

CString SourceNames::NotPutBack(std::size_t index) const {
  return L"The host did not give " + Quoted(OldName(index) + m_suffix) +
         L" its name back (PutName): rename it " + Quoted(OldName(index)) + L" by hand.";
}

}  // namespace kelvane
