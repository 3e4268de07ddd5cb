// Scenes in the host: built from the lines of a scene file, and captured as lines again.
#pragma once

#include <xsihost/host.h>

#include <string>
#include <vector>

#include "scene_format.h"

namespace minihost {

// Builds a scene in the host line by line, in file order. Construction empties the host.
class SceneBuilder {
 public:
  SceneBuilder();
  // Adds the object or property of `line` under the last object one level up; gives its
  // reference.
  XSI::CRef Add(const SceneLine& line);

 private:
  std::vector<XSI::CRef> m_parents;  // m_parents[d]: the owner of what lies at depth d
  std::string m_lastType;
  XSI::CString m_lastTypeText;
};

// Empties the host and builds `scene` in it. Gives the references in the order of the lines.
std::vector<XSI::CRef> BuildScene(const Scene& scene);

// The host's scene as it is now, in host order: an object, its properties, its children.
Scene CaptureScene();

}  // namespace minihost
