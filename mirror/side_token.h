// A side token ("L_", "R_", "Left", "Right") as it counts in an object's name: only where it
// stands as a token of the name, not inside a word.
#pragma once

#include <xsi_string.h>

#include <cstddef>

#include "wide_text.h"

namespace kelvane {

// A token ending in "_" ("L_", "R_") is a prefix: it counts where the code unit before it is not
// an ASCII letter (the start of the name, "_", ".", ":", a digit, a space, a non-ASCII letter).
// Any other token ("Left", "Right") is a word: it counts where the code unit after it is not a
// lowercase ASCII letter (the end of the name, an uppercase letter, a digit, "_", ...).
//
//   SideToken left(L"L_");      // in "CTRL_L_arm" only the second "L_" counts
//   SideToken word(L"Left");    // counts in "LeftArm", "upperLeftArm", "Left2", "HandLeft";
//                               // not in "Lefty", "Leftover"
//
// A name is judged as the user knows it: only its first `known` units, so that what the run
// appended for itself (the temporary suffix and the host's number) is no neighbour. An
// occurrence that does not count, and everything from `known` on, is left exactly as it is.
// Matching is exact and case-sensitive. An empty token counts nowhere.
class SideToken {
 public:
  explicit SideToken(const XSI::CString& token);
  SideToken(const SideToken&) = delete;
  SideToken& operator=(const SideToken&) = delete;

  // Whether the token counts somewhere in the first `known` units of `name` (known <= size).
  bool CountsIn(const WideText& name, std::size_t known) const;
  // `name` with every occurrence that counts in its first `known` units replaced by `other`.
  // Example: L"L_" in "L_arm_CTRL_x" with "R_" gives "R_arm_CTRL_x".
  XSI::CString ReplacedIn(const WideText& name, std::size_t known, const SideToken& other) const;

 private:
  // Where the token next counts at or after `start` in name[0, known), or `known` when nowhere.
  std::size_t Next(const WideText& name, std::size_t known, std::size_t start) const;

  WideText m_units;
  bool m_prefix;  // ends in "_": judged by the unit before it; otherwise by the unit after it
};

// How many units of `name` the user knows it by: all but a trailing `suffix` followed by the
// digits a host appends to a copy ("HandLeftrename_temp_suffix1" is known by "HandLeft"). A name
// without that tail is known whole.
std::size_t KnownLength(const WideText& name, const WideText& suffix);

}  // namespace kelvane
