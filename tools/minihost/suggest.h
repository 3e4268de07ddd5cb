// Suggestions for a name the user mistyped.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace minihost {

// Edits (insertions, deletions, substitutions of bytes) that turn `a` into `b`.
std::size_t EditDistance(const std::string& a, const std::string& b);

// Up to `most` of `names` closest to `typed`, closest first (in the order given among equals),
// compared without case: those that differ from it in case alone when there are any, otherwise
// those within a third of its length in edits (at least 2). None for a name over 256 bytes,
// which is no slip of the keyboard.
//   Closest("putname", {"PutName", "GetName"}, 3) gives {"PutName"};
//   Closest("GetNme", {"PutName", "GetName"}, 3) gives {"GetName", "PutName"}.
std::vector<std::string> Closest(const std::string& typed, const std::vector<std::string>& names,
                                 std::size_t most);

// "; did you mean A, B?" for the suggestions, or "" when there are none.
std::string DidYouMean(const std::vector<std::string>& suggestions);

}  // namespace minihost
