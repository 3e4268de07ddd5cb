// Search and replacement of text inside object names.
#pragma once

#include <xsi_decl.h>
#include <xsi_string.h>

namespace kelvane {

// Holds one text and answers where a pattern first occurs in it and what the text becomes when
// the first, or every, occurrence of a pattern is replaced. Positions are zero-based indices of
// 16-bit code units; comparison is exact and case-sensitive. No operation changes the text held.
class StringReplacer {
 public:
  explicit StringReplacer(XSI::CString text);

  // Index of the first occurrence of `pattern`, or -1. An empty pattern is never found.
  XSI::LONG Find(XSI::CString pattern) const;

  // The text with its first occurrence of `from` replaced by `to`; the text itself when `from`
  // does not occur (or is empty).
  XSI::CString ReplaceFirst(XSI::CString from, XSI::CString to) const;

  // The text with every occurrence of `from` replaced by `to`.
  // When `to` is shorter than `from`, the search starts again after each replacement, so an
  // occurrence that a replacement forms with its neighbours is replaced too ("aabb" with "ab"
  // -> "" gives ""); every pass shortens the text, so this ends. Otherwise the occurrences are
  // replaced in one left-to-right pass that does not look into what was put in: rescanning
  // would never end when `to` contains `from`, and could grow the text without bound for
  // pairs like "ab" -> "bba". For the side-token pairs ("Left"/"Right", "L_"/"R_") no new
  // occurrence can form across a replacement, so one pass gives what rescanning would.
  XSI::CString ReplaceAll(XSI::CString from, XSI::CString to) const;

 private:
  XSI::CString m_text;
};

}  // namespace kelvane
