// The whole command on fuzzed scenes, selections, answers and host faults. After every run the
// scene must be exactly what the reference model of the command says: the mirrored copy for a
// run that completes, the scene as it was for one that does not, plus only what the log says
// the host would not undo.
//
// Input: four control bytes, then a scene file. Byte 0 picks the selected object (an index into
// the scene's objects; 255: nothing selected), byte 1 the answer (cancel, "Left,Right",
// "L_,R_", or the default). Byte 3 is the operation number k of a fault (0: no fault), byte 2
// says how it fails: bit 0 refuse (else raise); bit 1 persistent (that call and every later
// one); bits 2-3 which operations count (every one, PutName, ExecuteCommand, GetName); bit 4 a
// second fault of the other mode, on the operation (bits 5-7) + 1 calls later.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "kelvane.h"
#include "reference_model.h"
#include "scene_format.h"
#include "scene_host.h"
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
  // The scene goes into the host as it is read; a scene of more than 200 lines is passed over.
  std::vector<XSI::CRef> refs;
  std::string error;
  bool built = false;
  {
    minihost::SceneBuilder builder;
    built = minihost::ParseScene(
        text, "fuzz",
        [&](const minihost::SceneLine& line) {
          if (refs.size() <= 200)
            refs.push_back(builder.Add(line));
        },
        error);
  }
  if (!built || refs.size() > 200) {
    xsihost::Reset();
    return 0;
  }

  XSI::CRef selected;
  if (data[0] != 255 && !refs.empty())
    selected = refs[data[0] % refs.size()];
  xsihost::Select({selected});
  std::optional<XSI::LONG> rule;
  switch (data[1] % 4) {
    case 0:
      xsihost::SetDialogResponder(
          [](const xsihost::DialogRequest&) { return xsihost::DialogAnswer::Cancel; });
      break;
    case 1:
    case 2: {
      const XSI::LONG value = data[1] % 4 == 1 ? 4 : 6;
      rule = value;
      xsihost::SetDialogResponder([value](const xsihost::DialogRequest& request) {
        xsihost::SetParameterValue(request.property, L"EnumCtrl", value);
        return xsihost::DialogAnswer::Confirm;
      });
      break;
    }
    default:
      rule = 4;  // no responder: the default item is confirmed
      break;
  }

  const bool isRoot = xsihost::ToUtf8(xsihost::Describe(selected).type) == "root" &&
                      !xsihost::Describe(selected).isProperty;
  const std::set<std::uint64_t> chain =
      isRoot ? kelvane_test::ChainOf(selected) : std::set<std::uint64_t>{};
  const kelvane_model::Node before = kelvane_model::Capture();
  // The intactness check stands in for the model only where the model cannot say which object
  // the host copies; its snapshot is taken only then.
  const std::optional<kelvane_test::Snapshot> snapshot =
      isRoot && kelvane_model::CopiesAnother(before, xsihost::ObjectId(selected))
          ? std::optional<kelvane_test::Snapshot>(kelvane_test::Take())
          : std::nullopt;

  const std::uint64_t k = data[3];
  const unsigned how = data[2];
  const char* const kinds[] = {"", "PutName", "ExecuteCommand", "GetName"};
  const auto mode = (how & 1) != 0 ? xsihost::FaultMode::Refuse : xsihost::FaultMode::Raise;
  const auto other = (how & 1) != 0 ? xsihost::FaultMode::Raise : xsihost::FaultMode::Refuse;
  xsihost::ClearFaults();
  if (k != 0) {
    xsihost::AddFault({kinds[(how >> 2) & 3], k, (how & 2) != 0, mode});
    if ((how & 16) != 0)
      xsihost::AddFault({kinds[(how >> 2) & 3], k + 1 + (how >> 5), false, other});
  }

  XSI::CRef context = xsihost::CreateContext(XSI::CRef());
  bool raised = false;
  try {
    kelvane_Execute(context);
  } catch (const xsihost::HostFault&) {
    raised = true;
  }
  xsihost::Destroy(context);
  const std::vector<xsihost::FaultReport> fired = xsihost::FiredFaults();
  xsihost::ClearFaults();

  bool raise = false;
  bool logFaulted = false;
  for (const xsihost::FaultReport& f : fired) {
    raise = raise || f.mode == xsihost::FaultMode::Raise;
    logFaulted = logFaulted || f.operation == "Application::LogMessage";
  }
  if (raised != raise)
    Fail(raised ? "\n  a run raised without a raising host" : "\n  a host raise was swallowed");

  const kelvane_model::Run run{xsihost::ObjectId(selected), rule, fired};
  const kelvane_model::Prediction prediction = kelvane_model::Predict(before, run);
  if (prediction.ambiguous) {
    // The host may have copied another object of the same full name: check only that the
    // user's objects are intact.
    kelvane_test::RunOutcome outcome{k != 0 && !fired.empty(), mode, true, raised};
    if (!snapshot)
      Fail("\n  the model found the copy ambiguous only after the run");
    const std::string failures = kelvane_test::CheckIntact(*snapshot, chain, outcome);
    if (!failures.empty())
      Fail(failures);
  } else {
    const std::string failures = kelvane_model::Compare(prediction.scene, before, run, !logFaulted);
    if (!failures.empty())
      Fail(failures);
  }
  // The scene goes with the run: what it allocated is freed within it, so libFuzzer's leak
  // check has nothing to chase (it runs an input again whenever more was allocated than freed),
  // and whatever the host still holds after a Reset is a real leak.
  xsihost::Reset();
  return 0;
}
