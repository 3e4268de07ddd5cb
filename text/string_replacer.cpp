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
  const WideText pattern(from);
  const LONG first = FindFrom(text, pattern, 0);
  if (first == -1)
    return m_text;
  const WideText replacement(to);
  const std::size_t length = pattern.Size();
  if (replacement.Size() >= length) {
    // One pass: copy up to each occurrence, put `to` in, go on after the occurrence.
    WideText result;
    std::size_t done = 0;
    for (LONG p = first; p != -1; p = FindFrom(text, pattern, done)) {
      const auto at = static_cast<std::size_t>(p);
      result.Append(text.Data() + done, at - done);
      result.Append(replacement.Data(), replacement.Size());
      done = at + length;
    }
    result.Append(text.Data() + done, text.Size() - done);
    return result.ToString();
  }
  // Replace the first occurrence until none is left, in place. The text before a replaced
  // occurrence held no occurrence, so the next one cannot start earlier than the pattern's
  // length - 1 units before it: the search resumes there, which finds exactly what a search
  // from the start would find.
  for (LONG p = first; p != -1;) {
    const auto at = static_cast<std::size_t>(p);
    text.ReplaceShorter(at, length, replacement.Data(), replacement.Size());
    p = FindFrom(text, pattern, at + 1 > length ? at + 1 - length : 0);
  }
  return text.ToString();
}

}  // namespace kelvane
