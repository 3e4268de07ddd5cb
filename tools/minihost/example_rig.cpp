#include "example_rig.h"

namespace minihost {

const char* const kExampleRig =
    R"(# minihost's built-in example: a left arm chain, named with "Left".
model Rig
  null Hips 0 10 0
    null Chest 0 13.5 0
      null Head 0 16.5 0
      root LeftShoulder 1.2 14.5 0
        bone LeftUpperArm 2 14.2 0
          bone LeftForeArm 4.6 12.6 0
            bone LeftHand 6.8 11 0
        eff LeftHandEff 7.9 10.2 0
)";

}  // namespace minihost
