// A front view of the scene as an SVG picture.
#pragma once

#include <xsihost/host.h>

#include <cstdint>
#include <string>
#include <vector>

namespace minihost {

// Draws every scene object that has a position, seen from the front (x to the right, y up):
// a line from each object to its nearest ancestor with a position, each object labelled with
// its name, the objects not in `before` in a second colour, the mirror plane x = 0 dashed,
// all scaled to fit.
// `before` holds the xsihost::ObjectId of the objects that were there before the run, sorted
// (minihost::SceneIds()); `ran`
// says whether the run went through (the legend speaks of what the run made only then).
std::string DrawSvg(const std::vector<std::uint64_t>& before, bool ran = true);

}  // namespace minihost
