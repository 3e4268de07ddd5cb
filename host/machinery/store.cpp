#include "store.h"

#include <algorithm>
#include <new>

#include "representation.h"
#include "small_stack.h"

namespace xsihost::machinery {

using XSI::Representation;

namespace {

bool HasDetails(Kind kind) {
  return kind != Kind::SceneObject && kind != Kind::Free;
}

}  // namespace

State* theHost = nullptr;

State& MakeHost() {
  theHost = new State();
  // Type 0 is none; then the host's own types, which objects outside the scene carry too.
  theHost->types.emplace_back();
  for (const wchar_t* type : {L"model", L"customparamset", L"Parameter", L"Command", L"Menu",
                              L"PluginRegistrar", L"Context"}) {
    TypeNumber(type);
  }
  theHost->fixedTypes = theHost->types.size();
  return *theHost;
}

void ForgetSceneTypes() {
  State& state = Host();
  // A few hundred types are kept from scene to scene; a table grown past that starts again.
  if (state.types.size() < state.fixedTypes + 512)
    return;
  for (std::size_t number = state.fixedTypes; number < state.types.size(); ++number)
    state.typeNumbers.erase(state.types[number]);
  state.types.resize(state.fixedTypes);
  state.lastTypeNumber = 0;
}

void State::AddBlock() {
  // The first block holds a small scene; large pages pay only for the blocks of a large one.
  // Records are made in it as they are first handed out, so that untouched ones cost nothing.
  blocks.push_back(static_cast<Object*>(TakeLargePiece(!blocks.empty())));
}

Slot SceneRootSlot() {
  State& state = Host();
  if (state.sceneRoot == kNone) {
    Object& root = Create(Kind::SceneObject);
    root.type = TypeNumber(L"model");
    root.name = L"Scene_Root";
    state.sceneRoot = root.self;
  }
  return state.sceneRoot;
}

Object& Create(Kind kind) {
  State& state = Host();
  Slot slot = state.freeSlot;
  std::uint32_t generation = 1;
  if (slot != kNone) {
    // A free record keeps its generation, which its removal raised.
    state.freeSlot = state.At(slot).next;
    generation = state.At(slot).generation;
  } else {
    if (state.slots % State::kBlock == 0)
      state.AddBlock();
    slot = state.slots++;
    new (&state.At(slot)) Object();  // the first use of this record
  }
  Object& o = state.At(slot);
  o = Object();
  o.self = slot;
  o.generation = generation;
  o.kind = kind;
  ++state.live;
  return o;
}

void Append(Object& owner, Object& child) {
  State& state = Host();
  const Slot slot = SlotOf(child);
  child.parent = SlotOf(owner);
  child.next = kNone;
  if (owner.lastChild == kNone)
    owner.firstChild = slot;
  else
    state.At(owner.lastChild).next = slot;
  owner.lastChild = slot;
}

namespace {

// Returns a slot to the free list; references to its object are invalid from now on.
void Free(Slot slot) {
  State& state = Host();
  Object& o = state.At(slot);
  if (HasDetails(o.kind))
    state.details.erase(slot);
  o.name = XSI::CString();
  o.kind = Kind::Free;
  ++o.generation;
  o.next = state.freeSlot;
  state.freeSlot = slot;
  --state.live;
}

}  // namespace

void Remove(Object& object) {
  State& state = Host();
  const Slot slot = SlotOf(object);
  if (object.parent != kNone) {
    // Unlink from the owner's list: find the one before it.
    Object& owner = state.At(object.parent);
    Slot before = kNone;
    for (Slot s = owner.firstChild; s != slot; s = state.At(s).next)
      before = s;
    if (before == kNone)
      owner.firstChild = object.next;
    else
      state.At(before).next = object.next;
    if (owner.lastChild == slot)
      owner.lastChild = before;
  }
  // Free the whole subtree without recursion: chains can be thousands of levels deep.
  SmallStack<Slot> pending;
  pending.push_back(slot);
  while (!pending.empty()) {
    const Slot next = pending.back();
    pending.pop_back();
    for (Slot s = state.At(next).firstChild; s != kNone; s = state.At(s).next)
      pending.push_back(s);
    Free(next);
  }
  auto& selection = state.selection;
  selection.erase(std::remove_if(selection.begin(), selection.end(),
                                 [](std::uint64_t h) { return Find(h) == nullptr; }),
                  selection.end());
}

Details& DetailsOf(const Object& object) {
  return Host().details[SlotOf(object)];
}

const XSI::CString& TypeText(const Object& object) {
  return Host().types[object.type];
}

std::size_t State::TextHash::operator()(const XSI::CString& text) const {
  std::size_t hash = 14695981039346656037u;  // FNV-1a over the code units
  for (XSI::ULONG i = 0; i < text.Length(); ++i)
    hash = (hash ^ text[i]) * 1099511628211u;
  return hash;
}

std::uint32_t TypeNumber(const XSI::CString& type) {
  State& state = Host();
  // Objects come in runs of one type: the last one asked for is checked first.
  if (state.lastTypeNumber != 0 && state.types[state.lastTypeNumber] == type)
    return state.lastTypeNumber;
  const auto found = state.typeNumbers.find(type);
  if (found != state.typeNumbers.end())
    return state.lastTypeNumber = found->second;
  const auto number = static_cast<std::uint32_t>(state.types.size());
  state.types.push_back(type);
  state.typeNumbers.emplace(type, number);
  return state.lastTypeNumber = number;
}

bool IsModel(const Object& object) {
  return object.kind == Kind::SceneObject && object.type == kModelType;
}

XSI::CString FullName(const Object& object) {
  State& state = Host();
  if (object.kind == Kind::Property || object.kind == Kind::Parameter) {
    // A property is known by its owner's full name; the scene root's own ones by their name.
    if (object.parent != kNone && object.parent != state.sceneRoot)
      return FullName(state.At(object.parent)) + L"." + object.name;
    return object.name;
  }
  // The names of the models enclosing the object below the scene root, innermost first, then
  // joined outermost first with ".", and the own name last.
  SmallStack<const XSI::CString*, 16> names;
  names.push_back(&object.name);
  for (Slot m = object.parent; m != kNone && m != state.sceneRoot; m = state.At(m).parent) {
    if (IsModel(state.At(m)))
      names.push_back(&state.At(m).name);
  }
  if (names.size() == 1)
    return object.name;
  std::reverse(names.begin(), names.end());
  return Representation::Join(names.begin(), names.size(), u'.');
}

}  // namespace xsihost::machinery
