#include "notes.h"

#include <xsihost/text.h>

#include <unordered_map>

#include "printable.h"
#include "suggest.h"

namespace minihost {

std::string NoteWithoutRoot(const std::string& fileName, const std::vector<std::string>& types) {
  for (const std::string& type : types) {
    if (type == "root")
      return "";
  }
  const std::vector<std::string> closest = Closest("root", types, 1);
  return "note: " + Printable(fileName) + " has no object of type \"root\" to select, so the " +
         "command will say \"Select Root\"" +
         (closest.empty() ? "" : " (is \"" + Excerpt(closest.front()) + "\" meant to be root?)");
}

std::string NoteUnusedSelection(const std::vector<std::string>& selected) {
  if (selected.size() < 2)
    return "";
  std::string others;
  for (std::size_t i = 1; i < selected.size() && i < 4; ++i)
    others += (i == 1 ? "" : ", ") + Excerpt(selected[i]);
  if (selected.size() > 4)
    others += ", ...";
  return "note: the command mirrors the first selected object, " + Excerpt(selected.front()) +
         ", alone; it does not use " + others;
}

TextFilter OwnNames() {
  TextFilter names(xsihost::ObjectCount());
  std::string own;
  xsihost::VisitScene([&](const xsihost::SceneEntry& entry) {
    own.clear();
    xsihost::AppendUtf8(*entry.name, own);
    names.Add(own);
  });
  return names;
}

std::string NoteKeptNames(const std::vector<std::uint64_t>& before,
                          const TextFilter& ownNamesBefore) {
  // An object can have another's full name only if it has its own name: the own names sift
  // out nearly every object before a full name is made for it. First the new objects whose
  // own name an old one may have, in scene order; then the old objects whose own name one of
  // those has confirm which full names really were there.
  std::string own;
  const auto ownNameIn = [&own](const xsihost::SceneEntry& entry, const TextFilter& names) {
    own.clear();
    xsihost::AppendUtf8(*entry.name, own);
    return names.MayHold(own);
  };
  std::size_t made = 0;
  std::vector<std::string> candidates;
  std::unordered_map<std::string, bool> confirmed;
  VisitFullNames(
      [&](const xsihost::SceneEntry& entry) {
        const bool isNew = !entry.isProperty && !IsIn(before, xsihost::ObjectId(entry.ref));
        made += isNew ? 1 : 0;
        return isNew && ownNameIn(entry, ownNamesBefore);
      },
      [&](const xsihost::SceneEntry&, const std::string& fullName) {
        candidates.push_back(fullName);
        confirmed.emplace(fullName, false);
      });
  if (candidates.empty())
    return "";
  TextFilter candidateOwnNames(candidates.size());
  for (const std::string& name : candidates)
    candidateOwnNames.Add(std::string_view(name).substr(name.rfind('.') + 1));
  VisitFullNames(
      [&](const xsihost::SceneEntry& entry) {
        return !entry.isProperty && ownNameIn(entry, candidateOwnNames) &&
               IsIn(before, xsihost::ObjectId(entry.ref));
      },
      [&](const xsihost::SceneEntry&, const std::string& fullName) {
        const auto it = confirmed.find(fullName);
        if (it != confirmed.end())
          it->second = true;
      });
  std::vector<std::string> kept;
  for (const std::string& name : candidates) {
    if (confirmed[name])
      kept.push_back(name);
  }
  if (kept.empty())
    return "";
  if (kept.size() == made) {
    return "note: the rule flipped no name: every new object has the full name of an object "
           "that was there before (does the chain use the other rule?)";
  }
  std::string names;
  for (std::size_t i = 0; i < kept.size() && i < 3; ++i)
    names += (i == 0 ? "" : ", ") + Excerpt(kept[i]);
  return "note: " + std::to_string(kept.size()) + " of the " + std::to_string(made) +
         " new objects kept the full name of an object that was there before (no side token "
         "in it to flip), so --select cannot tell them apart: " +
         names + (kept.size() > 3 ? ", ..." : "");
}

}  // namespace minihost
