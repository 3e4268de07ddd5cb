// The whole command on fuzzed scenes, selections, answers and host faults: the user's objects
// keep their names, no temporary object stays, nothing outside the chain changes.
//
// Input: four control bytes, then a scene file. Byte 0 picks the selected object (an index into
// the scene's objects; 255: nothing selected), byte 1 the answer (cancel, "Left,Right",
// "L_,R_", or the default), bytes 2-3 the fault (mode bit and the operation number k; k = 0:
// no fault).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "kelvane.h"
#include "scene_file.h"
#include "scene_invariants.h"

namespace {

void Fail(const std::string& failures) {
  std::fprintf(stderr, "scene damaged:%s\n", failures.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4)
    return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);
  minihost::Scene scene;
  std::string error;
  if (!minihost::ParseScene(text, "fuzz", scene, error) || scene.size() > 200)
    return 0;
  const std::vector<XSI::CRef> refs = minihost::BuildScene(scene);

  XSI::CRef selected;
  if (data[0] != 255 && !refs.empty())
    selected = refs[data[0] % refs.size()];
  xsihost::Select({selected});
  switch (data[1] % 4) {
    case 0:
      xsihost::SetDialogResponder(
          [](const xsihost::DialogRequest&) { return xsihost::DialogAnswer::Cancel; });
      break;
    case 1:
    case 2: {
      const XSI::LONG value = data[1] % 4 == 1 ? 4 : 6;
      xsihost::SetDialogResponder([value](const xsihost::DialogRequest& request) {
        xsihost::SetParameterValue(request.property, L"EnumCtrl", value);
        return xsihost::DialogAnswer::Confirm;
      });
      break;
    }
    default:
      break;  // no responder: the default is confirmed
  }

  const bool isRoot = xsihost::ToUtf8(xsihost::Describe(selected).type) == "root" &&
                      !xsihost::Describe(selected).isProperty;
  const std::set<std::uint64_t> chain =
      isRoot ? kelvane_test::ChainOf(selected) : std::set<std::uint64_t>{};
  const kelvane_test::Snapshot before = kelvane_test::Take();

  kelvane_test::RunOutcome run;
  const unsigned k = data[3];
  run.faulted = k != 0;
  run.mode = (data[2] & 1) != 0 ? xsihost::FaultMode::Refuse : xsihost::FaultMode::Raise;
  if (run.faulted)
    xsihost::ArmFault(k, run.mode);

  XSI::CRef context = xsihost::CreateContext(XSI::CRef());
  run.ran = true;
  try {
    kelvane_Execute(context);
  } catch (const xsihost::HostFault&) {
    run.raised = true;
  }
  xsihost::Destroy(context);
  if (run.faulted && !xsihost::LastFault().fired)
    run.faulted = false;  // fewer than k operations

  const std::string failures = kelvane_test::CheckIntact(before, chain, run);
  if (!failures.empty())
    Fail(failures);
  if (!isRoot && xsihost::SceneOrder().size() != before.objects.size()) {
    Fail("\n  the command changed a scene without a selected root");
  }
  return 0;
}
