#include "symmetric_copy.h"

#include <utility>

#include "scene_helpers.h"
#include "source_names.h"
#include "string_replacer.h"

namespace kelvane {

using namespace XSI;

namespace {

// The hierarchy of `root` in the order of CollectDescendants, with the root itself last.
CRefArray HierarchyOf(const CRef& root) {
  CRefArray objects = CollectDescendants(root);
  objects.Add(root);
  return objects;
}

}  // namespace

void BuildSymmetricCopy(CString fromToken, CString toToken) {
  // While the host duplicates, every source carries this suffix: the "1" that the host appends
  // to each copy then lands on the suffix and leaves with it.
  const CString suffix = L"rename_temp_suffix";
  Application app;
  Selection selection = app.GetSelection();
  const CRef sourceRoot = selection[0];
  const CRefArray sources = HierarchyOf(sourceRoot);

  {
    SourceNames sourceNames(sources);
    const LONG count = sources.GetCount();
    for (LONG i = 0; i < count; ++i)
      AppendToName(CValue(sources[i]), suffix);
    RunHostCommand(L"DuplicateSymmetry", L"B:" + SIObject(selection[0]).GetFullName(), true,
                   LONG(1), LONG(1), LONG(0), LONG(0), LONG(0), true);
    sourceNames.Restore();
  }

  // The host leaves the copy's root selected. If it did not (the command failed), renaming
  // whatever is selected would rename the user's own objects.
  const CRef copyRoot = selection[0];
  if (!SIObject(copyRoot).IsValid() || copyRoot == sourceRoot) {
    app.LogMessage(L"No mirrored copy was made", siInfoMsg);
    return;
  }

  const CString hostSuffix = suffix + L"1";
  const CRefArray copies = HierarchyOf(copyRoot);
  const LONG count = copies.GetCount();
  for (LONG i = 0; i < count; ++i) {
    const CValue copy(copies[i]);
    if (StringReplacer(SIObject(copies[i]).GetName()).Find(toToken) != -1) {
      std::swap(fromToken, toToken);
    }
    ReplaceInName(copy, fromToken, toToken);
    ReplaceInName(copy, hostSuffix, L"");
  }
}

}  // namespace kelvane
