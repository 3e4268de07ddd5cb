// The symmetric copy: the heart of the kelvane command.
#pragma once

#include <xsi/sdk.h>

namespace kelvane {

// Duplicates the hierarchy of the first selected object as a mirror image with the host's
// "DuplicateSymmetry" command, and renames every object of the copy so that the side token in
// its name is exchanged for the other one.
//
// Needs: the first selected object is a skeleton chain root (the caller checks).
// `fromToken` and `toToken` are the two side tokens, e.g. "L_" and "R_". Before each copy is
// renamed its own name is tested: if it holds `toToken`, the two tokens are exchanged (and stay
// exchanged for the next copies); then every `fromToken` becomes `toToken`. So a name holding
// one of the tokens always gets the other; a name holding both follows the current direction.
//
// Promises: the source objects end with exactly the names they had, also when a host operation
// raises in the middle (the names are put back while the exception passes on). If the host made
// no copy (the selection afterwards is empty or still the source root), nothing is renamed and
// "No mirrored copy was made" is logged.
void BuildSymmetricCopy(XSI::CString fromToken, XSI::CString toToken);

}  // namespace kelvane
