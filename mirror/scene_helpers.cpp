#include "scene_helpers.h"

#include <xsi_application.h>
#include <xsi_siobject.h>
#include <xsi_x3dobject.h>

#include <vector>

#include "report.h"
#include "string_replacer.h"

namespace kelvane {

using namespace XSI;

CRefArray CollectDescendants(CRef object) {
  // Each node taken from the stack contributes its direct children; its children then go on the
  // stack in reverse, so that the first child's whole list comes before the second child's.
  CRefArray descendants;
  std::vector<CRef> pending{object};
  while (!pending.empty()) {
    const CRef node = pending.back();
    pending.pop_back();
    const CRefArray children = X3DObject(node).GetChildren();
    const LONG count = children.GetCount();
    for (LONG i = 0; i < count; ++i)
      descendants.Add(children[i]);
    for (LONG i = count - 1; i >= 0; --i)
      pending.push_back(children[i]);
  }
  return descendants;
}

bool Rename(const CValue& object, const CString& name, const CString& newName) {
  if (SIObject(object).PutName(newName).Succeeded())
    return true;
  Report(L"The host refused to rename " + Quoted(name) + L" to " + Quoted(newName) +
         L" (PutName).");
  return false;
}

bool AppendToName(CValue object, CString suffix, CString* oldName) {
  const CString name = X3DObject(object).GetName();
  if (oldName != nullptr)
    *oldName = name;
  return Rename(object, name, name + suffix);
}

bool ReplaceInName(CValue object, CString from, CString to) {
  const CString name = X3DObject(object).GetName();
  return Rename(object, name, StringReplacer(name).ReplaceAll(from, to));
}

bool ReplaceInName(const CValue& object, const WideText& from, const CString& to) {
  const CString name = X3DObject(object).GetName();
  WideText units(name);
  return Rename(object, name, ReplaceAllIn(name, units, from, to));
}

CValue RunHostCommand(CString name, CValue a1, CValue a2, CValue a3, CValue a4, CValue a5,
                      CValue a6, CValue a7, CValue a8, CStatus* status) {
  CValueArray arguments;
  arguments.Add(a1);
  arguments.Add(a2);
  arguments.Add(a3);
  arguments.Add(a4);
  arguments.Add(a5);
  arguments.Add(a6);
  arguments.Add(a7);
  arguments.Add(a8);
  CValue result;
  const CStatus done = Application().ExecuteCommand(name, arguments, result);
  if (status != nullptr)
    *status = done;
  return result;
}

}  // namespace kelvane
