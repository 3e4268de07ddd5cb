// Small operations on host objects that the symmetric copy is built from.
#pragma once

#include <xsi_ref.h>
#include <xsi_status.h>
#include <xsi_string.h>
#include <xsi_value.h>

#include "wide_text.h"

namespace kelvane {

// Every object below `object`, without `object` itself: its direct children first, then the
// whole list of the first child, then that of the second child, and so on. Nothing is
// filtered. Example: a root with children A and B, A with A1 and A2, A1 with A1x, B with B1,
// gives A, B, A1, A2, A1x, B1. Takes time linear in the size of the hierarchy and keeps its own
// stack, so a chain thousands of levels deep is fine. An invalid object gives an empty array.
XSI::CRefArray CollectDescendants(XSI::CRef object);

// Renames `object` (a value holding its reference) to its own name followed by `suffix`.
// True when the host renamed it; when it refused, false and the log says so:
//   The host refused to rename "L_arm" to "L_armrename_temp_suffix" (PutName).
// `oldName`, when given, receives the name read before the renaming, whatever the host did
// with the rename, so that a caller who must put it back needs no read of its own.
bool AppendToName(XSI::CValue object, XSI::CString suffix, XSI::CString* oldName = nullptr);

// Renames `object`, whose own name is `name`, to `newName`. True when the host renamed it; when
// it refused, false and the log says so:
//   The host refused to rename "L_arm" to "R_arm" (PutName).
bool Rename(const XSI::CValue& object, const XSI::CString& name, const XSI::CString& newName);

// Renames `object` to its own name with every occurrence of `from` replaced by `to`. The name
// is written back even when nothing was replaced. `to` may contain `from`. True when the host
// renamed it; a refusal is logged as by AppendToName and gives false.
bool ReplaceInName(XSI::CValue object, XSI::CString from, XSI::CString to);

// ReplaceInName with `from` already taken apart into wide characters, for a caller that takes
// the same text out of many names: the same reading, replacement and writing back.
bool ReplaceInName(const XSI::CValue& object, const WideText& from, const XSI::CString& to);

// Runs the host command `name` with exactly these eight arguments and gives its return value
// (empty when the command sets none). The command's status goes to `status` when given.
XSI::CValue RunHostCommand(XSI::CString name, XSI::CValue a1, XSI::CValue a2, XSI::CValue a3,
                           XSI::CValue a4, XSI::CValue a5, XSI::CValue a6, XSI::CValue a7,
                           XSI::CValue a8, XSI::CStatus* status = nullptr);

}  // namespace kelvane
