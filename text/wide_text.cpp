#include "wide_text.h"

namespace kelvane {

using XSI::CString;
using XSI::LONG;

CString ReplaceAllIn(const CString& original, WideText& text, const WideText& pattern,
                     const CString& to) {
  const LONG first = FindFrom(text, pattern, 0);
  if (first == -1)
    return original;
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
