// The rig minihost runs on when it is given no scene file.
#pragma once

namespace minihost {

// A small character: hips, chest and head on the centre line, and a left arm chain named with
// "Left" (root 'LeftShoulder' down to the hand), every object with a position.
extern const char* const kExampleRig;

}  // namespace minihost
