#include "string_replacer.h"

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <memory>
#include <utility>

#include "wide_text.h"

namespace kelvane {

using XSI::CString;
using XSI::LONG;

StringReplacer::StringReplacer(CString text) : m_text(std::move(text)) {}

LONG StringReplacer::Find(CString pattern) const {
  return FindFrom(WideText(m_text), WideText(pattern), 0);
}

CString StringReplacer::ReplaceFirst(CString from, CString to) const {
  if (from.Length() > m_text.Length())
    return m_text;
  const WideText text(m_text);
  const WideText pattern(from);
  const LONG p = FindFrom(text, pattern, 0);
  if (p == -1)
    return m_text;
  const auto at = static_cast<std::size_t>(p);
  const WideText replacement(to);
  WideText result;
  result.Append(text.Data(), at);
  result.Append(replacement.Data(), replacement.Size());
  const std::size_t after = at + pattern.Size();
  result.Append(text.Data() + after, text.Size() - after);
  return result.ToString();
}

CString StringReplacer::ReplaceAll(CString from, CString to) const {
  WideText text(m_text);
  return ReplaceAllIn(m_text, text, WideText(from), to);
}

}  // namespace kelvane
