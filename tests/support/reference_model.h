// A plain model of the kelvane command, written from its rules apart from the plug-in, on
// std::u16string and recursion: given the scene before a run, the selected object, the user's
// answer and the faults the host fired, it gives the exact scene after the run. The fault sweep
// and fuzz_command compare the host's scene with it after every run.
//
// The rules it follows:
// - Nothing changes unless the first selected object is a chain root (type "root") and the
//   user confirms the dialog.
// - A run completes unless the host raises, or refuses an operation the result depends on: a
//   rename, creating or showing the dialog, or the duplication. A run that does not complete
//   leaves the scene as it was.
// - A complete run adds, as the last child of the root's parent, a mirrored copy of the chain
//   (x negated, types, order and custom properties kept) whose names are the sources' names
//   with the side token flipped, each copy in the order children first, then each child's
//   descendants, the root last: a copy whose own name holds the second token exchanges the two
//   tokens (for it and the copies after it); then every first token becomes the second. A token
//   counts only where it stands as one: "L_" with no ASCII letter before it, "Left" with no
//   lowercase ASCII letter after it, judged in the source's name.
// - The host refuses an empty name: a copy whose name would become empty stops the run.
// - What the log says was left behind when the host refused to undo a run is allowed on top.
#pragma once

#include <xsihost/host.h>
#include <xsihost/text.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kelvane_model {

struct Node {
  std::uint64_t id = 0;  // the host's id; 0 in a model's result for an object the run made
  bool isProperty = false;
  std::u16string type;
  std::u16string name;
  std::optional<xsihost::Position> position;
  std::vector<Node> properties;
  std::vector<Node> children;
};

// ---- Reading the host's scene ----

// The whole scene, from the scene root, read in one walk in scene order: each entry goes under
// the last object met one level up.
inline Node Capture() {
  const XSI::CRef sceneRoot = xsihost::SceneRoot();
  const xsihost::ObjectInfo info = xsihost::Describe(sceneRoot);
  Node root;
  root.id = xsihost::ObjectId(sceneRoot);
  root.type = xsihost::Units(info.type);
  root.name = xsihost::Units(info.name);
  root.position = info.position;
  std::vector<Node*> owners{&root};  // owners[d]: what an entry at depth d goes under
  xsihost::VisitScene([&](const xsihost::SceneEntry& entry) {
    Node node;
    node.id = xsihost::ObjectId(entry.ref);
    node.isProperty = entry.isProperty;
    node.type = xsihost::Units(*entry.type);
    node.name = xsihost::Units(*entry.name);
    if (entry.position != nullptr)
      node.position = *entry.position;
    Node* owner = owners[static_cast<std::size_t>(entry.depth)];
    if (entry.isProperty) {
      owner->properties.push_back(std::move(node));
      return;
    }
    owner->children.push_back(std::move(node));
    owners.resize(static_cast<std::size_t>(entry.depth) + 1);
    owners.push_back(&owner->children.back());
  });
  return root;
}

// The ids of a scene's objects, sorted: a set that costs one allocation.
struct Ids {
  std::vector<std::uint64_t> sorted;
  std::size_t count(std::uint64_t id) const {
    return std::binary_search(sorted.begin(), sorted.end(), id) ? 1 : 0;
  }
};

inline void AddIds(const Node& node, std::vector<std::uint64_t>& ids) {
  ids.push_back(node.id);
  for (const Node& p : node.properties)
    AddIds(p, ids);
  for (const Node& c : node.children)
    AddIds(c, ids);
}

inline Ids CollectIds(const Node& node) {
  Ids ids;
  AddIds(node, ids.sorted);
  std::sort(ids.sorted.begin(), ids.sorted.end());
  return ids;
}

inline std::string Print(const Node& node, int depth = 0) {
  std::string text = std::string(2 * static_cast<size_t>(depth), ' ') +
                     xsihost::ToUtf8(xsihost::FromUnits(node.type)) + " '" +
                     xsihost::ToUtf8(xsihost::FromUnits(node.name)) + "'";
  if (node.position) {
    text += " " + std::to_string(node.position->x) + " " + std::to_string(node.position->y) + " " +
            std::to_string(node.position->z);
  }
  text += node.id == 0 ? " (new)\n" : " #" + std::to_string(node.id) + "\n";
  for (const Node& p : node.properties)
    text += Print(p, depth + 1);
  for (const Node& c : node.children)
    text += Print(c, depth + 1);
  return text;
}

// ---- The rules ----

// Every occurrence of `from` replaced by `to`, searching again from the start after each
// replacement. Needs: `to` does not contain `from`.
inline std::u16string ReplaceAll(std::u16string text, const std::u16string& from,
                                 const std::u16string& to) {
  if (from.empty())
    return text;
  for (auto at = text.find(from); at != std::u16string::npos; at = text.find(from))
    text.replace(at, from.size(), to);
  return text;
}

// Whether `token` stands as a token at `at` of `name` (the name as the user knows it): a token
// ending in "_" where no ASCII letter comes before it, any other where no lowercase ASCII letter
// comes after it.
inline bool CountsAt(const std::u16string& name, const std::u16string& token, std::size_t at) {
  if (token.empty() || name.compare(at, token.size(), token) != 0)
    return false;
  const auto letter = [](char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
  };
  if (token.back() == u'_')
    return at == 0 || !letter(name[at - 1]);
  const std::size_t end = at + token.size();
  return end == name.size() || !(name[end] >= u'a' && name[end] <= u'z');
}

inline bool HoldsToken(const std::u16string& name, const std::u16string& token) {
  for (std::size_t at = 0; at < name.size(); ++at) {
    if (CountsAt(name, token, at))
      return true;
  }
  return false;
}

// Every occurrence of `from` that counts as a token replaced by `to`, left to right.
inline std::u16string ReplaceTokens(const std::u16string& name, const std::u16string& from,
                                    const std::u16string& to) {
  std::u16string out;
  for (std::size_t at = 0; at < name.size();) {
    if (CountsAt(name, from, at)) {
      out += to;
      at += from.size();
    } else {
      out += name[at++];
    }
  }
  return out;
}

// Whether a run whose host fired these faults completes.
inline bool Completes(const std::vector<xsihost::FaultReport>& faults) {
  for (const xsihost::FaultReport& fault : faults) {
    if (fault.mode == xsihost::FaultMode::Raise)
      return false;
    const std::string method = fault.operation.substr(fault.operation.rfind(':') + 1);
    if (method == "PutName" || method == "AddProperty" || method == "AddParameter" ||
        method == "AddEnumControl")
      return false;
    if (method == "ExecuteCommand" &&
        (fault.command == "DuplicateSymmetry" || fault.command == "InspectObj"))
      return false;
  }
  return true;
}

inline const Node* FindNode(const Node& node, std::uint64_t id, const Node** parent = nullptr) {
  for (const Node& c : node.children) {
    if (c.id == id) {
      if (parent != nullptr)
        *parent = &node;
      return &c;
    }
    if (const Node* found = FindNode(c, id, parent))
      return found;
  }
  return nullptr;
}

inline Node* FindNode(Node& node, std::uint64_t id) {
  return const_cast<Node*>(FindNode(static_cast<const Node&>(node), id));
}

// Full names as the host makes them: the enclosing models below the scene root, each followed
// by ".", then the own name. Calls `visit(node, fullName)` for every object in scene order.
template <typename Visit>
void VisitFullNames(const Node& node, const std::u16string& models, Visit& visit) {
  for (const Node& c : node.children) {
    visit(c, models + c.name);
    VisitFullNames(c, c.type == u"model" ? models + c.name + u"." : models, visit);
  }
}

// The descendants of `node` in the command's order: its children, then each child's
// descendants in turn.
inline void Descendants(Node& node, std::vector<Node*>& out) {
  for (Node& c : node.children)
    out.push_back(&c);
  for (Node& c : node.children)
    Descendants(c, out);
}

inline Node MirroredCopy(const Node& source, const std::u16string& appended) {
  Node copy = source;
  copy.id = 0;
  copy.name += appended;
  if (copy.position)
    copy.position->x = -copy.position->x;
  for (Node& p : copy.properties) {
    p = Node{0, true, p.type, p.name, p.position, {}, {}};
  }
  for (size_t i = 0; i < copy.children.size(); ++i)
    copy.children[i] = MirroredCopy(source.children[i], appended);
  return copy;
}

struct Run {
  std::uint64_t selected = 0;     // the first selected object; 0 for nothing
  std::optional<XSI::LONG> rule;  // the confirmed rule value (4: "Left,Right"); none: cancelled
  std::vector<xsihost::FaultReport> faults;
};

struct Prediction {
  Node scene;
  bool completes = false;  // the run made its copy
  bool ambiguous = false;  // another object had the chain root's suffixed full name: the host
                           // may duplicate that one, which this model does not follow
};

// Whether "DuplicateSymmetry" may copy another object than the chain rooted at `selected`:
// while it runs, the chain carries the suffix, and the host copies the first object with the
// root's suffixed full name, which should be the root.
inline bool CopiesAnother(const Node& before, std::uint64_t selected) {
  const std::u16string suffix = u"rename_temp_suffix";
  Node suffixed = before;
  Node* chain = FindNode(suffixed, selected);
  if (chain == nullptr)
    return false;
  std::vector<Node*> sources{chain};
  Descendants(*chain, sources);
  for (Node* s : sources)
    s->name += suffix;
  std::u16string target;
  std::uint64_t first = 0;
  auto findTarget = [&](const Node& n, const std::u16string& fullName) {
    if (n.id == selected)
      target = fullName;
  };
  VisitFullNames(suffixed, u"", findTarget);
  auto firstWithTarget = [&](const Node& n, const std::u16string& fullName) {
    if (first == 0 && !n.isProperty && fullName == target)
      first = n.id;
  };
  VisitFullNames(suffixed, u"", firstWithTarget);
  return first != selected;
}

inline Prediction Predict(const Node& before, const Run& run) {
  Prediction prediction{before, false, false};
  const Node* parent = nullptr;
  const Node* root = FindNode(before, run.selected, &parent);
  if (root == nullptr || root->isProperty || root->type != u"root" || !run.rule ||
      !Completes(run.faults)) {
    return prediction;
  }
  const std::u16string suffix = u"rename_temp_suffix";
  std::u16string from = *run.rule == 4 ? u"Left" : u"L_";
  std::u16string to = *run.rule == 4 ? u"Right" : u"R_";

  if (CopiesAnother(before, run.selected)) {
    prediction.ambiguous = true;
    return prediction;
  }

  const std::u16string appended = suffix + u"1";
  Node copy = MirroredCopy(*root, appended);
  std::vector<Node*> copies;
  Descendants(copy, copies);
  copies.push_back(&copy);
  for (Node* c : copies) {
    // The tokens count in the name the user knows: the source's, without what the run appended.
    const std::u16string known = c->name.substr(0, c->name.size() - appended.size());
    if (HoldsToken(known, to))
      std::swap(from, to);
    c->name = ReplaceAll(ReplaceTokens(known, from, to) + appended, appended, u"");
    if (c->name.empty())
      return prediction;  // the host refuses an empty name: the run is undone
  }
  Node* copyParent = parent == &before ? &prediction.scene : FindNode(prediction.scene, parent->id);
  copyParent->children.push_back(std::move(copy));
  prediction.completes = true;
  return prediction;
}

// ---- Comparing with what the log says was left ----

struct LeftOvers {
  using Rename = std::pair<std::u16string, std::u16string>;  // (name now, name before)
  std::vector<Rename> names;                                 // what the log says
  std::vector<Rename> allowedNames;    // what a log that may lack lines allows besides
  std::vector<std::u16string> copies;  // full names of copies
  int properties = 0;                  // "Rule of Rename" left
  bool unknownCopy = false;  // a copy of the chain may be left: the host failed to find it
};

// Reads the log lines that say what the host did not undo.
inline LeftOvers ReadLeftOvers() {
  LeftOvers left;
  const std::string nameStart = "The host did not give \"";
  const std::string nameMiddle = "\" its name back (PutName): rename it \"";
  const std::string nameEnd = "\" by hand.";
  const std::string copyStart = "The host did not delete the mirrored copy \"";
  const std::string deleteEnd = "\" (DeleteObj): delete it by hand.";
  const std::string unknownCopy = "\" could be found: if there is one, delete it by hand.";
  const std::string property =
      "The host did not delete the temporary property \"Rule of Rename\" (DeleteObj): delete it "
      "by hand.";
  auto between = [](const std::string& text, const std::string& start, const std::string& end,
                    std::string& inner) {
    if (text.size() < start.size() + end.size() || text.compare(0, start.size(), start) != 0 ||
        text.compare(text.size() - end.size(), end.size(), end) != 0)
      return false;
    inner = text.substr(start.size(), text.size() - start.size() - end.size());
    return true;
  };
  for (const xsihost::LogEntry& entry : xsihost::Log()) {
    const std::string text = xsihost::ToUtf8(entry.message);
    std::string inner;
    if (text == property) {
      ++left.properties;
    } else if (text.find("The host did not delete the mirrored copy of \"") == 0) {
      left.unknownCopy = true;
    } else if (text.size() > unknownCopy.size() &&
               text.compare(text.size() - unknownCopy.size(), unknownCopy.size(), unknownCopy) ==
                   0) {
      left.unknownCopy = true;
    } else if (between(text, copyStart, deleteEnd, inner)) {
      left.copies.push_back(xsihost::Units(xsihost::Str(inner)));
    } else if (between(text, nameStart, nameEnd, inner)) {
      const auto middle = inner.find(nameMiddle);
      if (middle != std::string::npos) {
        left.names.emplace_back(
            xsihost::Units(xsihost::Str(inner.substr(0, middle))),
            xsihost::Units(xsihost::Str(inner.substr(middle + nameMiddle.size()))));
      }
    }
  }
  return left;
}

inline bool RemoveNewCopy(Node& node, const std::u16string& models, const std::u16string& fullName,
                          const Ids& old) {
  for (size_t i = 0; i < node.children.size(); ++i) {
    Node& c = node.children[i];
    if (old.count(c.id) == 0 && models + c.name == fullName) {
      node.children.erase(node.children.begin() + static_cast<std::ptrdiff_t>(i));
      return true;
    }
    if (RemoveNewCopy(c, c.type == u"model" ? models + c.name + u"." : models, fullName, old))
      return true;
  }
  return false;
}

// `path`: the expected nodes from the top down to `expected`'s parent, for naming a failure.
inline void Diff(const Node& expected, const Node& actual, const Ids& old, LeftOvers& left,
                 std::vector<const Node*>& path, std::string& failures) {
  auto fail = [&](const std::string& what) {
    std::string where;
    for (const Node* n : path)
      where += xsihost::ToUtf8(xsihost::FromUnits(n->name)) + "/";
    where += xsihost::ToUtf8(xsihost::FromUnits(expected.name));
    failures += "\n  " + where + ": " + what;
  };
  if (expected.id != 0 ? actual.id != expected.id : old.count(actual.id) != 0)
    fail("another object (#" + std::to_string(actual.id) + ")");
  if (expected.type != actual.type || expected.isProperty != actual.isProperty)
    fail("type differs");
  if (expected.name != actual.name) {
    const auto rename = std::make_pair(actual.name, expected.name);
    auto said = std::find(left.names.begin(), left.names.end(), rename);
    auto allowed = std::find(left.allowedNames.begin(), left.allowedNames.end(), rename);
    if (said != left.names.end()) {
      left.names.erase(said);
    } else if (allowed != left.allowedNames.end()) {
      left.allowedNames.erase(allowed);
    } else {
      fail("named '" + xsihost::ToUtf8(xsihost::FromUnits(actual.name)) + "', expected '" +
           xsihost::ToUtf8(xsihost::FromUnits(expected.name)) + "'");
    }
  }
  const bool samePosition = expected.position.has_value() == actual.position.has_value() &&
                            (!expected.position || (expected.position->x == actual.position->x &&
                                                    expected.position->y == actual.position->y &&
                                                    expected.position->z == actual.position->z));
  if (!samePosition)
    fail("position differs");
  if (expected.properties.size() != actual.properties.size() ||
      expected.children.size() != actual.children.size()) {
    fail("holds " + std::to_string(actual.properties.size()) + " properties and " +
         std::to_string(actual.children.size()) + " children, expected " +
         std::to_string(expected.properties.size()) + " and " +
         std::to_string(expected.children.size()));
    return;
  }
  path.push_back(&expected);
  for (size_t i = 0; i < expected.properties.size(); ++i)
    Diff(expected.properties[i], actual.properties[i], old, left, path, failures);
  for (size_t i = 0; i < expected.children.size(); ++i)
    Diff(expected.children[i], actual.children[i], old, left, path, failures);
  path.pop_back();
}

// Removes every new child of `node` whose own name holds `text`, with all below it.
inline void RemoveNewNamed(Node& node, const std::u16string& text, const Ids& old) {
  auto& children = node.children;
  children.erase(std::remove_if(children.begin(), children.end(),
                                [&](const Node& c) {
                                  return old.count(c.id) == 0 &&
                                         c.name.find(text) != std::u16string::npos;
                                }),
                 children.end());
}

// Compares the host's scene now with `expected`, allowing only what the log says was left
// behind. `before` is the scene before the run, whose ids are the old objects, and `run` what
// the run was given. When the host refused or raised on a log message (`logTrusted` false), the
// log may lack a line; then whatever the command would have reported is allowed too: the
// dialog's property, a copy of the chain beside it whose root is still named with the suffix,
// sources still named with it. (The copy's root is renamed last, so a copy that stays after a
// run that did not complete still has the suffix in its root's name.) What the log says was
// left must be there. Gives the failures as text, with both scenes; empty when the scene is as
// expected.
inline std::string Compare(const Node& expected, const Node& before, const Run& run,
                           bool logTrusted = true) {
  const Ids old = CollectIds(before);
  Node actual = Capture();
  LeftOvers left = ReadLeftOvers();
  const std::u16string suffix = u"rename_temp_suffix";
  const Node* rootParent = nullptr;
  const Node* root = FindNode(before, run.selected, &rootParent);
  if (root != nullptr && (left.unknownCopy || !logTrusted)) {
    // A copy is made beside its source, as the last child of the root's parent.
    Node* parent = rootParent == &before ? &actual : FindNode(actual, rootParent->id);
    if (parent != nullptr)
      RemoveNewNamed(*parent, suffix, old);
  }
  std::string failures;
  auto untrue = [&](const std::string& what) {
    failures += "\n  the log says " + what + " was left, but it is not";
  };
  for (const std::u16string& copy : left.copies) {
    if (!RemoveNewCopy(actual, u"", copy, old))
      untrue("the copy '" + xsihost::ToUtf8(xsihost::FromUnits(copy)) + "'");
  }
  auto removeProperty = [&] {
    auto& props = actual.properties;
    auto it = std::find_if(props.begin(), props.end(), [&](const Node& p) {
      return p.name == u"Rule of Rename" && old.count(p.id) == 0;
    });
    if (it == props.end())
      return false;
    props.erase(it);
    return true;
  };
  for (int i = 0; i < left.properties; ++i) {
    if (!removeProperty())
      untrue("the property \"Rule of Rename\"");
  }
  if (root != nullptr && !logTrusted) {
    std::vector<const Node*> chain{root};
    for (size_t i = 0; i < chain.size(); ++i) {
      for (const Node& c : chain[i]->children)
        chain.push_back(&c);
    }
    for (const Node* source : chain)
      left.allowedNames.emplace_back(source->name + suffix, source->name);
    removeProperty();
  }
  std::vector<const Node*> path;
  Diff(expected, actual, old, left, path, failures);
  for (const auto& [now, was] : left.names) {
    untrue("'" + xsihost::ToUtf8(xsihost::FromUnits(was)) + "' named '" +
           xsihost::ToUtf8(xsihost::FromUnits(now)) + "'");
  }
  if (failures.empty())
    return "";
  return failures + "\nexpected:\n" + Print(expected) + "actual:\n" + Print(Capture());
}

}  // namespace kelvane_model
