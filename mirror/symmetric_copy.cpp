#include "symmetric_copy.h"

#include <xsi_application.h>
#include <xsi_ref.h>
#include <xsi_selection.h>
#include <xsi_siobject.h>
#include <xsi_status.h>
#include <xsi_value.h>

#include <cstddef>
#include <optional>
#include <utility>

#include "report.h"
#include "scene_helpers.h"
#include "scoped_deletion.h"
#include "side_token.h"
#include "source_names.h"
#include "string_replacer.h"
#include "wide_text.h"

namespace kelvane {

using namespace XSI;

namespace {

const CString kCopy = L"the mirrored copy";

// The hierarchy of `root` in the order of CollectDescendants, with the root itself last.
CRefArray HierarchyOf(const CRef& root) {
  CRefArray objects = CollectDescendants(root);
  objects.Add(root);
  return objects;
}

bool IsOneOf(const CRef& object, const CRefArray& objects) {
  const LONG count = objects.GetCount();
  for (LONG i = 0; i < count; ++i) {
    if (objects[i] == object)
      return true;
  }
  return false;
}

// What "DuplicateSymmetry" left selected, if it is the copy of the source root: an object that
// is none of the sources, named after the suffixed root. Anything else the host left selected
// (the source root, another object, nothing) is no copy, and renaming it would rename the
// user's own objects; then the reference is invalid.
CRef SelectedCopy(const Selection& selection, const CRefArray& sources,
                  const CString& suffixedRoot) {
  const CRef candidate = selection[0];
  if (IsOneOf(candidate, sources) ||
      StringReplacer(SIObject(candidate).GetName()).Find(suffixedRoot) != 0) {
    return CRef();
  }
  return candidate;
}

// After the host raised while the copy was looked for: looks once more and deletes the copy it
// finds, so that it leaves the scene with the rest of the run. Raises nothing.
void DeleteCopyAfterRaise(const Selection& selection, const CRefArray& sources,
                          const CString& suffixedRoot, const CString& rootName) noexcept {
  try {
    const CRef copy = SelectedCopy(selection, sources, suffixedRoot);
    if (SIObject(copy).IsValid()) {
      // Leaving this scope deletes it, or logs that the host would not.
      ScopedDeletion leftOver(copy, kCopy, kCopy + L" of " + Quoted(rootName));
    }
  } catch (...) {
    ReportQuietly(L"The host failed before the mirrored copy of " + Quoted(rootName) +
                  L" could be found: if there is one, delete it by hand.");
  }
}

}  // namespace

bool BuildSymmetricCopy(CString fromToken, CString toToken) {
  // While the host duplicates, every source carries this suffix: the "1" that the host appends
  // to each copy then lands on the suffix and leaves with it.
  const CString suffix = L"rename_temp_suffix";
  Application app;
  Selection selection = app.GetSelection();
  const CRef sourceRoot = selection[0];
  const CRefArray sources = HierarchyOf(sourceRoot);

  // The user knows the chain by the root's name without the suffix.
  const CString rootName = SIObject(sourceRoot).GetFullName();
  // The copy, once there is one, leaves the scene again unless every step below succeeds.
  std::optional<ScopedDeletion> copy;
  CRef copyRoot;
  {
    SourceNames sourceNames(sources);
    if (!sourceNames.AppendSuffix(suffix)) {
      sourceNames.Restore();
      Report(kNoCopyMade);
      return false;
    }
    const CString target = SIObject(sourceRoot).GetFullName();
    CStatus duplicated;
    RunHostCommand(L"DuplicateSymmetry", L"B:" + target, true, LONG(1), LONG(1), LONG(0), LONG(0),
                   LONG(0), true, &duplicated);
    const CString suffixedRoot =
        sourceNames.OldName(static_cast<size_t>(sources.GetCount() - 1)) + suffix;
    bool madeCopy = false;
    try {
      copyRoot = SelectedCopy(selection, sources, suffixedRoot);
      madeCopy = SIObject(copyRoot).IsValid();
    } catch (...) {
      DeleteCopyAfterRaise(selection, sources, suffixedRoot, rootName);
      throw;
    }
    if (madeCopy)
      copy.emplace(copyRoot, kCopy, kCopy + L" of " + Quoted(rootName));
    const bool restored = sourceNames.Restore();

    if (!duplicated.Succeeded()) {
      Report(L"The host refused to duplicate " + Quoted(rootName) + L" (DuplicateSymmetry).");
    } else if (!madeCopy) {
      Report(L"DuplicateSymmetry left no mirrored copy of " + Quoted(rootName) + L" selected.");
    }
    if (!duplicated.Succeeded() || !madeCopy || !restored) {
      if (!copy || copy->Delete())
        Report(kNoCopyMade);
      return false;
    }
  }

  // The tokens are taken apart once for the whole copy; the two trade places whenever a copy's
  // name holds the second, and stay traded for the copies after it.
  const SideToken first(fromToken);
  const SideToken second(toToken);
  const SideToken* from = &first;
  const SideToken* to = &second;
  const WideText suffixUnits(suffix);
  const WideText hostSuffix(suffix + L"1");  // taken apart once for the whole copy
  const CRefArray copies = HierarchyOf(copyRoot);
  const LONG count = copies.GetCount();
  for (LONG i = 0; i < count; ++i) {
    const CValue object(copies[i]);
    const CString name = SIObject(copies[i]).GetName();
    const WideText units(name);
    // Tokens are judged in the name the user knows, without what the run appended.
    const std::size_t known = KnownLength(units, suffixUnits);
    if (to->CountsIn(units, known))
      std::swap(from, to);
    if (!Rename(object, name, from->ReplacedIn(units, known, *to)) ||
        !ReplaceInName(object, hostSuffix, CString())) {
      if (copy->Delete())
        Report(kNoCopyMade);
      return false;
    }
  }
  copy->Keep();
  return true;
}

}  // namespace kelvane
