// The host's state: every object it knows, the selection, the log, the dialog responder and
// the fault injection. One instance per process, inside the sicppsdk library. Private to the
// machinery.
//
// Objects live in fixed blocks of records, found by slot; a record stays where it is for as
// long as the object lives, so a reference to a record survives the creation of others. Each
// slot carries a generation that grows when its object is removed: a reference names a slot
// and a generation, and one to a removed object never finds the slot's next occupant.
// Children, properties, parameters and menu items hang off their owner in one linked list.
#pragma once

#include <xsi_decl.h>
#include <xsi_ref.h>
#include <xsi_status.h>
#include <xsi_string.h>
#include <xsi_value.h>
#include <xsihost/host.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "large_memory.h"
#include "representation.h"

namespace xsihost::machinery {

using Slot = std::uint32_t;
constexpr Slot kNone = 0xFFFFFFFFu;

enum class Kind : std::uint8_t {
  Free,
  SceneObject,
  Property,
  Parameter,
  Context,
  Command,
  Menu,
  MenuItem,
  Registrar,
};

// One object: 64 bytes, so that a million-object scene stays small.
struct alignas(64) Object {
  XSI::CString name;
  double x = 0, y = 0, z = 0;
  Slot self = kNone;  // this record's own slot
  Slot parent = kNone;
  Slot firstChild = kNone;  // children, then properties or parameters, in one list
  Slot lastChild = kNone;
  Slot next = kNone;  // the next in the owner's list; the next free slot for a free one
  std::uint32_t generation = 1;
  std::uint32_t type = 0;  // in the table of types
  Kind kind = Kind::Free;
  bool hasPosition = false;
};

static_assert(sizeof(Object) == 64, "records are kept at 64 bytes");

// What only properties, parameters and plug-in bookkeeping need, kept apart from the records.
struct Details {
  // Property: its page.
  std::vector<DialogControl> controls;
  // Parameter.
  XSI::CString scriptName;
  XSI::CValue value;
  XSI::LONG dataType = 0;
  XSI::LONG capabilities = 0;
  XSI::CString description;
  // Context.
  std::uint64_t source = 0;
  std::vector<std::pair<XSI::CString, XSI::CValue>> attributes;
  // Command.
  bool returnValueEnabled = false;
  // Menu.
  XSI::LONG anchor = 0;
  bool displayName = false;
  bool dynamic = false;
  std::vector<MenuItemInfo> items;
  // Registrar.
  XSI::CString author;
  XSI::CString email;
  XSI::CString url;
  XSI::LONG major = 0;
  XSI::LONG minor = 0;
};

struct State {
  // Blocks of records, each one large piece of memory (large_memory.h); never given back, as
  // the state itself.
  static constexpr Slot kBlock = static_cast<Slot>(kLargePiece / sizeof(Object));
  std::vector<Object*> blocks;
  Slot slots = 0;         // slots handed out so far
  Slot freeSlot = kNone;  // first of the free list
  std::size_t live = 0;
  std::unordered_map<Slot, Details> details;
  // Types by number; each distinct type's text is kept once and shared by every object.
  std::vector<XSI::CString> types;
  struct TextHash {
    std::size_t operator()(const XSI::CString& text) const;
  };
  std::unordered_map<XSI::CString, std::uint32_t, TextHash> typeNumbers;
  std::uint32_t lastTypeNumber = 0;
  std::size_t fixedTypes = 0;  // the host's own types, first in the table, kept for ever

  Slot sceneRoot = kNone;
  std::vector<std::uint64_t> selection;
  std::vector<LogEntry> log;
  std::function<void(const LogEntry&)> logListener;
  DialogResponder responder;
  std::vector<XSI::CString> refusedCommands;
  XSI::CString copyNumber = L"1";

  // The armed faults (the count of operations is machinery.h's theCounting), each with the number
  // of matching calls it has seen.
  std::vector<std::pair<Fault, std::uint64_t>> faults;
  std::vector<FaultReport> fired;
  std::vector<CommandCall> commandCalls;

  Object& At(Slot slot) { return blocks[slot / kBlock][slot % kBlock]; }
  // Adds a block of free records.
  void AddBlock();
};

// The one host state, made on first use and never destroyed: plug-in libraries may still hold
// references while the process exits.
State& MakeHost();
extern State* theHost;
inline State& Host() {
  return theHost != nullptr ? *theHost : MakeHost();
}
// The scene root's slot; the first call makes the scene root, a model named "Scene_Root".
Slot SceneRootSlot();

// The handle inside a reference: the generation above the slot.
inline std::uint64_t HandleOf(Slot slot, std::uint32_t generation) {
  return (std::uint64_t{generation} << 32) | slot;
}
// The object a reference names, or nullptr (invalid, removed, or not of `kind`). Inline, as
// every SDK call on an object starts here.
inline Object* Find(std::uint64_t handle) {
  State& state = Host();
  const auto slot = static_cast<Slot>(handle & 0xFFFFFFFFu);
  if (slot >= state.slots)
    return nullptr;
  Object& o = state.At(slot);
  return o.kind != Kind::Free && o.generation == (handle >> 32) ? &o : nullptr;
}
inline Object* Find(const XSI::CRef& ref) {
  return Find(XSI::Representation::Handle(ref));
}
inline Object* FindKind(const XSI::CRef& ref, Kind kind) {
  Object* object = Find(ref);
  return object != nullptr && object->kind == kind ? object : nullptr;
}
inline Slot SlotOf(const Object& object) {
  return object.self;
}
// A reference to the object in `slot`: a slot and its generation. The empty reference for kNone.
inline XSI::CRef RefOf(Slot slot) {
  if (slot == kNone)
    return XSI::CRef();
  return XSI::Representation::MakeRef(HandleOf(slot, Host().At(slot).generation));
}
inline XSI::CRef RefOf(const Object& object) {
  return XSI::Representation::MakeRef(HandleOf(object.self, object.generation));
}
// A new object of `kind`, not yet in any list.
Object& Create(Kind kind);
// Makes `child` the last in `owner`'s list.
void Append(Object& owner, Object& child);
// Removes an object and everything under it, takes it out of its owner's list and of the
// selection.
void Remove(Object& object);
Details& DetailsOf(const Object& object);
const XSI::CString& TypeText(const Object& object);
std::uint32_t TypeNumber(const XSI::CString& type);
// The number of "model", the first of the host's own types.
constexpr std::uint32_t kModelType = 1;
// Empties the table of the types that only scene objects carried, when there are none and the
// table has grown large: the types of one scene after another do not pile up for ever.
void ForgetSceneTypes();
XSI::CString FullName(const Object& object);
bool IsModel(const Object& object);
// Calls `visit` on each object in `owner`'s list, in order.
template <typename Visit>
void ForEachInList(const Object& owner, Visit visit) {
  State& state = Host();
  for (Slot s = owner.firstChild; s != kNone;) {
    Object& o = state.At(s);
    s = o.next;  // read first: `visit` may not remove, but keeps no iterator
    visit(o);
  }
}

// Selects, alone, the scene object that follows the first selected one in scene order (the
// first of the scene after the last); leaves the selection as it is when there is no other.
void SelectNextObject();

// The host commands.
XSI::CStatus RunCommand(const XSI::CString& name, const XSI::CValueArray& arguments,
                        XSI::CValue& result);

}  // namespace xsihost::machinery
