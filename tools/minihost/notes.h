// What minihost tells the user on standard error beside the host's log: the surprises a run
// can hold that the plug-in does not speak of.
#pragma once

#include <xsihost/host.h>

#include <cstdint>
#include <string>
#include <vector>

#include "scene_walk.h"

namespace minihost {

// Before the run: a scene whose objects have no type "root" gives "Select Root". Names the
// type closest to "root" when one differs from it by case or a slip ("Root", "roots"). ""
// when the scene has a root or when the user selected something.
std::string NoteWithoutRoot(const std::string& fileName, const std::vector<std::string>& types);

// Before the run: the command looks at the first selected object only. "" for one or none.
std::string NoteUnusedSelection(const std::vector<std::string>& selected);

// Before the run: the own names of the scene's objects, for NoteKeptNames. One pass, no full
// names made.
TextFilter OwnNames();

// After the run: new objects whose full name an object had before (`before` and
// `ownNamesBefore`, taken before the run): every one ("the rule flipped no name"), or how many
// and the first three. "" when none has. Full names are made only for the objects whose own name
// may be another's: on a run that flipped the names, hardly any.
std::string NoteKeptNames(const std::vector<std::uint64_t>& before,
                          const TextFilter& ownNamesBefore);

}  // namespace minihost
