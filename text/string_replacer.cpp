#include "string_replacer.h"

#include <string>
#include <utility>

namespace kelvane {

using XSI::CString;
using XSI::LONG;
using XSI::ULONG;

namespace {

// First index at or after `start` where `pattern` occurs in `text`, or -1.
LONG FindFrom(const CString& text, const CString& pattern, ULONG start) {
  const ULONG textLength = text.Length();
  const ULONG patternLength = pattern.Length();
  if (patternLength == 0 || textLength == 0 || patternLength > textLength)
    return -1;
  for (ULONG i = start; i < textLength; ++i) {
    if (textLength - i < patternLength)
      break;  // too few code units left for a match
    if (text[i] != pattern[0])
      continue;
    ULONG matched = 1;
    while (matched < patternLength && text[i + matched] == pattern[matched])
      ++matched;
    if (matched == patternLength)
      return static_cast<LONG>(i);
  }
  return -1;
}

// The code units [begin, end) of `text` as a string of their own. Each unit goes through a
// wide character of the same value, which the host string turns back into that one unit.
CString Slice(const CString& text, ULONG begin, ULONG end) {
  std::wstring units;
  units.reserve(end - begin);
  for (ULONG i = begin; i < end; ++i)
    units.push_back(static_cast<wchar_t>(text[i]));
  return CString(units.c_str());
}

}  // namespace

StringReplacer::StringReplacer(CString text) : m_text(std::move(text)) {}

LONG StringReplacer::Find(CString pattern) const {
  return FindFrom(m_text, pattern, 0);
}

CString StringReplacer::ReplaceFirst(CString from, CString to) const {
  if (from.Length() > m_text.Length())
    return m_text;
  const LONG p = Find(from);
  if (p == -1)
    return m_text;
  const ULONG at = static_cast<ULONG>(p);
  return Slice(m_text, 0, at) + to + Slice(m_text, at + from.Length(), m_text.Length());
}

CString StringReplacer::ReplaceAll(CString from, CString to) const {
  const ULONG fromLength = from.Length();
  const LONG first = FindFrom(m_text, from, 0);
  if (first == -1)
    return m_text;
  if (to.Length() >= fromLength) {
    // One pass: copy up to each occurrence, put `to` in, go on after the occurrence.
    CString result;
    ULONG done = 0;
    for (LONG p = first; p != -1; p = FindFrom(m_text, from, static_cast<ULONG>(p) + fromLength)) {
      result = result + Slice(m_text, done, static_cast<ULONG>(p)) + to;
      done = static_cast<ULONG>(p) + fromLength;
    }
    return result + Slice(m_text, done, m_text.Length());
  }
  // Replace the first occurrence until none is left. The text before a replaced occurrence held
  // no occurrence, so the next one cannot start earlier than fromLength - 1 units before it: the
  // search resumes there, which finds exactly what a search from the start would find.
  CString result = m_text;
  for (LONG p = first; p != -1;) {
    const ULONG at = static_cast<ULONG>(p);
    result = Slice(result, 0, at) + to + Slice(result, at + fromLength, result.Length());
    const ULONG resume = at + 1 > fromLength ? at + 1 - fromLength : 0;
    p = FindFrom(result, from, resume);
  }
  return result;
}

}  // namespace kelvane
