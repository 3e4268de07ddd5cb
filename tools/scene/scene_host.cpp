#include "scene_host.h"

#include <xsihost/text.h>

namespace minihost {

SceneBuilder::SceneBuilder() {
  xsihost::Reset();
  m_parents.push_back(xsihost::SceneRoot());
}

XSI::CRef SceneBuilder::Add(const SceneLine& line) {
  m_parents.resize(static_cast<size_t>(line.depth) + 1);
  const XSI::CRef& owner = m_parents.back();
  if (!line.isProperty && line.type != m_lastType) {
    // A scene has a handful of types, most often one line after the other.
    m_lastType = line.type;
    m_lastTypeText = xsihost::Str(line.type);
  }
  XSI::CRef ref = line.isProperty ? xsihost::AddCustomProperty(owner, xsihost::Str(line.name))
                                  : xsihost::AddObject(owner, m_lastTypeText,
                                                       xsihost::Str(line.name), line.position);
  m_parents.push_back(ref);
  return ref;
}

std::vector<XSI::CRef> BuildScene(const Scene& scene) {
  SceneBuilder builder;
  std::vector<XSI::CRef> refs;
  refs.reserve(scene.size());
  for (const SceneLine& line : scene)
    refs.push_back(builder.Add(line));
  return refs;
}

Scene CaptureScene() {
  Scene scene;
  xsihost::VisitScene([&](const xsihost::SceneEntry& entry) {
    SceneLine line;
    line.depth = entry.depth;
    line.isProperty = entry.isProperty;
    line.type = entry.isProperty ? "property" : xsihost::ToUtf8(*entry.type);
    line.name = xsihost::ToUtf8(*entry.name);
    if (entry.position != nullptr)
      line.position = *entry.position;
    scene.push_back(std::move(line));
  });
  return scene;
}

}  // namespace minihost
