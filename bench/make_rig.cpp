// Writes a generated rig as a minihost scene file, for measuring minihost on large scenes:
//   make_rig wide|deep N > rig.scene
// The rig is the one the benchmarks build in memory (rigs.h): a model "Rig" holding the chain
// root "LeftRoot" and N - 1 bones named "LeftBone1", "LeftBone2", ..., wide (levels of
// ceil(cbrt(N)) children each, at most four levels) or deep (one bone under the other).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Appends one scene line: indentation, type, name and a position on the x axis.
void Line(std::string& out, std::size_t depth, const char* type, const std::string& name, long x) {
  out.append(depth * 2, ' ');
  out += type;
  out += ' ';
  out += name;
  out += ' ' + std::to_string(x) + " 0 0\n";
}

}  // namespace

int main(int argc, char** argv) {
  const long count = argc == 3 ? std::atol(argv[2]) : 0;
  const bool deep = argc == 3 && std::strcmp(argv[1], "deep") == 0;
  if (count < 1 || (!deep && std::strcmp(argv[1], "wide") != 0)) {
    std::fprintf(stderr, "usage: make_rig wide|deep N   (N >= 1)\n");
    return 2;
  }
  // The tree in the order the benchmarks make it: bone k (k >= 1) is the k-th object made, and
  // parents[k] the number of its parent (0: the root).
  std::vector<long> parents(1, -1);
  if (deep) {
    for (long k = 1; k < count; ++k)
      parents.push_back(k - 1);
  } else {
    const long fanout = static_cast<long>(std::ceil(std::cbrt(static_cast<double>(count))));
    std::vector<long> level{0};
    for (int depth = 1; depth < 4 && static_cast<long>(parents.size()) < count; ++depth) {
      std::vector<long> next;
      for (long parent : level) {
        for (long i = 0; i < fanout && static_cast<long>(parents.size()) < count; ++i) {
          next.push_back(static_cast<long>(parents.size()));
          parents.push_back(parent);
        }
      }
      level = std::move(next);
    }
  }
  // Children lists, then the lines depth first, as the file nests them.
  std::vector<long> firstChild(parents.size(), -1), nextSibling(parents.size(), -1);
  for (long k = static_cast<long>(parents.size()) - 1; k >= 1; --k) {
    nextSibling[k] = firstChild[parents[k]];
    firstChild[parents[k]] = k;
  }
  std::string out = "model Rig\n";
  struct Pending {
    long node;
    std::size_t depth;
  };
  std::vector<Pending> pending{{0, 1}};
  while (!pending.empty()) {
    const Pending next = pending.back();
    pending.pop_back();
    if (next.node == 0)
      Line(out, next.depth, "root", "LeftRoot", 1);
    else
      Line(out, next.depth, "bone", "LeftBone" + std::to_string(next.node), next.node + 2);
    std::vector<long> children;
    for (long c = firstChild[next.node]; c != -1; c = nextSibling[c])
      children.push_back(c);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
      pending.push_back({*it, next.depth + 1});
    if (out.size() > (1 << 20)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
