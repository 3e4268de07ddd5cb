// Counting the host operations that a plug-in calls, and failing the ones a fault names.
#include <xsihost/host.h>
#include <xsihost/text.h>

#include <algorithm>
#include <set>
#include <string_view>

#include "backend.h"
#include "representation.h"
#include "store.h"

namespace xsihost {

namespace machinery {

namespace {

// Whether `fault` names this call: the operation with or without its class, or the host command
// it runs.
bool Matches(const Fault& fault, std::string_view operation, const XSI::CString* command) {
  if (fault.operation.empty() || fault.operation == operation)
    return true;
  const auto colons = operation.rfind("::");
  if (colons != std::string_view::npos && fault.operation == operation.substr(colons + 2))
    return true;
  if (command == nullptr)
    return false;
  // Host commands have ASCII names: compared unit by unit, with no text made.
  for (char byte : fault.operation) {
    if (static_cast<unsigned char>(byte) >= 0x80)
      return ToUtf8(*command) == fault.operation;
  }
  if (command->Length() != fault.operation.size())
    return false;
  for (XSI::ULONG i = 0; i < command->Length(); ++i) {
    if ((*command)[i] != static_cast<unsigned char>(fault.operation[i]))
      return false;
  }
  return true;
}

}  // namespace

Counting theCounting;

std::optional<FaultMode> HostMachinery::EnterArmed(const char* operation, Op op,
                                                   const XSI::CString* command) {
  State& state = Host();
  const Fault* firing = nullptr;
  // Every matching fault counts the call, also when an earlier one already fires on it.
  for (auto& [fault, seen] : state.faults) {
    if (!Matches(fault, operation, command))
      continue;
    ++seen;
    const bool fires = seen == fault.call || (fault.persistent && seen > fault.call);
    if (fires && firing == nullptr)
      firing = &fault;
  }
  if (firing == nullptr)
    return std::nullopt;
  const FaultMode mode = firing->mode;
  state.fired.push_back(
      FaultReport{true, operation, command != nullptr ? ToUtf8(*command) : std::string(), mode});
  if (mode == FaultMode::Raise)
    throw HostFault(std::string("injected fault: ") + operation + " raised");
  if (op == Op::Query)
    return std::nullopt;
  return mode;
}

}  // namespace machinery

using machinery::Host;
using machinery::State;

void RefuseCommand(const XSI::CString& name) {
  Host().refusedCommands.push_back(name);
}
void ClearRefusedCommands() {
  Host().refusedCommands.clear();
}

void AddFault(const Fault& fault) {
  Host().faults.emplace_back(fault, 0);
  machinery::theCounting.armed = true;
}

void ClearFaults() {
  State& state = Host();
  machinery::theCounting = machinery::Counting();
  state.faults.clear();
  state.fired.clear();
}

void ArmFault(std::uint64_t k, FaultMode mode) {
  ArmFaultOn("", k, mode);
}

void ArmFaultOn(const std::string& operation, std::uint64_t k, FaultMode mode) {
  ClearFaults();
  AddFault(Fault{operation, k, false, mode});
}

void DisarmFault() {
  ClearFaults();
}

std::vector<std::string> FaultTargets() {
  // Every operation the SDK face counts, and the host commands.
  static const char* const operations[] = {
      "Application::ExecuteCommand",
      "Application::GetActiveSceneRoot",
      "Application::GetSelection",
      "Application::LogMessage",
      "CRef::IsValid",
      "Command::EnableReturnValue",
      "Command::PutDescription",
      "Context::GetAttribute",
      "Context::GetSource",
      "Context::PutAttribute",
      "CustomProperty::AddParameter",
      "Menu::AddCommandItem",
      "PPGLayout::AddEnumControl",
      "PluginRegistrar::PutAuthor",
      "PluginRegistrar::PutEmail",
      "PluginRegistrar::PutURL",
      "PluginRegistrar::PutVersion",
      "PluginRegistrar::RegisterCommand",
      "PluginRegistrar::RegisterMenu",
      "ProjectItem::GetPPGLayout",
      "ProjectItem::GetParameterValue",
      "SIObject::GetFullName",
      "SIObject::GetName",
      "SIObject::GetType",
      "SIObject::IsValid",
      "SIObject::PutName",
      "SceneItem::AddProperty",
      "Selection::GetCount",
      "Selection::operator[]",
      "X3DObject::GetChildren",
  };
  std::set<std::string> targets{"DuplicateSymmetry", "DeleteObj", "InspectObj"};
  for (const std::string operation : operations) {
    targets.insert(operation);
    targets.insert(operation.substr(operation.rfind("::") + 2));
  }
  return {targets.begin(), targets.end()};
}

bool IsFaultTarget(const std::string& operation) {
  const std::vector<std::string> targets = FaultTargets();
  return std::binary_search(targets.begin(), targets.end(), operation);
}

std::uint64_t OperationCount() {
  return machinery::theCounting.operations;
}
void ResetOperationCount() {
  machinery::theCounting.operations = 0;
}
FaultReport LastFault() {
  const auto& fired = Host().fired;
  return fired.empty() ? FaultReport() : fired.back();
}
std::vector<FaultReport> FiredFaults() {
  return Host().fired;
}

}  // namespace xsihost
