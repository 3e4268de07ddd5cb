// The symmetric copy: the heart of the kelvane command.
#pragma once

#include <xsi_string.h>

namespace kelvane {

// Duplicates the hierarchy of the first selected object as a mirror image with the host's
// "DuplicateSymmetry" command, and renames every object of the copy so that the side token in
// its name is exchanged for the other one.
//
// Needs: the first selected object is a skeleton chain root (the caller checks).
// `fromToken` and `toToken` are the two side tokens, e.g. "L_" and "R_". A token counts only
// where it stands as a token of the name (side_token.h: the "L_" inside "CTRL_" and the "Left"
// of "Lefty" do not). Before each copy is renamed its own name is tested: if `toToken` counts
// in it, the two tokens are exchanged (and stay exchanged for the next copies); then every
// `fromToken` that counts becomes `toToken`. So a name holding one of the tokens always gets the
// other; a name holding both follows the current direction: "CTRL_R_foot" becomes "CTRL_L_foot",
// "L_R_x" with "L_" and "R_" becomes "L_L_x".
//
// Promises all or nothing. It gives true when the whole copy is made and renamed. Otherwise it
// gives false and leaves the scene as it was: the sources with exactly their names, no copy.
// That happens when the host refuses a rename or the duplication, or when the duplication
// leaves no copy of this chain selected (the copy's root must be none of the sources, and its
// name must begin with the source root's name followed by the temporary suffix). The log names
// what the host refused and closes with "No mirrored copy was made.". Where the host refuses
// the undoing too, the log says what was left and how to mend it by hand.
// A host operation that raises passes on, after the same undoing.
bool BuildSymmetricCopy(XSI::CString fromToken, XSI::CString toToken);

}  // namespace kelvane
