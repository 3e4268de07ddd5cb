// The scene parser never crashes, and every scene it accepts prints and parses back to the same
// scene, also after a trip through the host.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scene_format.h"
#include "scene_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  minihost::Scene scene;
  std::string error;
  if (!minihost::ParseScene(text, "fuzz", scene, error)) {
    if (error.rfind("fuzz:", 0) != 0)
      std::abort();  // every error names the file and line
    return 0;
  }
  const std::string printed = minihost::PrintScene(scene);
  minihost::Scene again;
  if (!minihost::ParseScene(printed, "printed", again, error))
    std::abort();
  if (!(again == scene))
    std::abort();
  if (minihost::PrintScene(again) != printed)
    std::abort();

  // Through the host: what it holds prints as a scene that parses back to itself.
  minihost::BuildScene(scene);
  const minihost::Scene captured = minihost::CaptureScene();
  if (captured.size() != scene.size())
    std::abort();
  minihost::Scene reread;
  if (!minihost::ParseScene(minihost::PrintScene(captured), "captured", reread, error)) {
    std::abort();
  }
  if (!(reread == captured))
    std::abort();
  return 0;
}
