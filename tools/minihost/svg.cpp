#include "svg.h"

#include <xsihost/text.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "scene_file.h"

namespace minihost {

namespace {

struct Dot {
  xsihost::Position at;
  std::string name;
  bool created;
  std::optional<xsihost::Position> ancestor;
};

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

}  // namespace

std::string DrawSvg(const std::set<std::uint64_t>& before) {
  std::vector<Dot> dots;
  struct Pending {
    XSI::CRef ref;
    std::optional<xsihost::Position> ancestor;
  };
  std::vector<Pending> pending;
  const xsihost::ObjectInfo root = xsihost::Describe(xsihost::SceneRoot());
  for (auto it = root.children.rbegin(); it != root.children.rend(); ++it) {
    pending.push_back({*it, std::nullopt});
  }
  while (!pending.empty()) {
    Pending next = pending.back();
    pending.pop_back();
    const xsihost::ObjectInfo info = xsihost::Describe(next.ref);
    auto ancestor = next.ancestor;
    if (info.position) {
      dots.push_back({*info.position, xsihost::ToUtf8(info.name),
                      before.count(xsihost::ObjectId(next.ref)) == 0, next.ancestor});
      ancestor = info.position;
    }
    for (auto it = info.children.rbegin(); it != info.children.rend(); ++it) {
      pending.push_back({*it, ancestor});
    }
  }

  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  bool first = true;
  for (const Dot& d : dots) {
    minX = first ? d.at.x : std::min(minX, d.at.x);
    maxX = first ? d.at.x : std::max(maxX, d.at.x);
    minY = first ? d.at.y : std::min(minY, d.at.y);
    maxY = first ? d.at.y : std::max(maxY, d.at.y);
    first = false;
  }
  minX = std::min(minX, 0.0);  // the mirror plane is always in view
  maxX = std::max(maxX, 0.0);
  // Wide side margins leave room for the labels beside the outermost objects.
  const double width = 800, height = 600, marginX = 140, marginY = 60;
  const double spanX = std::max(maxX - minX, 1e-9), spanY = std::max(maxY - minY, 1e-9);
  const double scale = std::min((width - 2 * marginX) / spanX, (height - 2 * marginY) / spanY);
  const double offsetX = (width - scale * spanX) / 2, offsetY = (height - scale * spanY) / 2;
  auto sx = [&](double x) { return FormatNumber(offsetX + (x - minX) * scale); };
  auto sy = [&](double y) { return FormatNumber(height - offsetY - (y - minY) * scale); };

  std::string svg;
  svg +=
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\" height=\"600\" "
      "viewBox=\"0 0 800 600\" font-family=\"sans-serif\" font-size=\"13\">\n";
  svg += "  <rect width=\"800\" height=\"600\" fill=\"white\"/>\n";
  svg +=
      "  <text x=\"10\" y=\"20\" fill=\"#444\">front view: x to the right, y up; "
      "<tspan fill=\"#1f5fbf\">before the run</tspan>, "
      "<tspan fill=\"#d9480f\">made by the run</tspan></text>\n";
  svg += "  <line x1=\"" + sx(0) + "\" y1=\"30\" x2=\"" + sx(0) +
         "\" y2=\"590\" stroke=\"#888\" "
         "stroke-dasharray=\"8 6\"/>\n";
  svg += "  <text x=\"" + sx(0) +
         "\" y=\"588\" fill=\"#888\" text-anchor=\"middle\" "
         "dy=\"-4\">x = 0</text>\n";
  for (const Dot& d : dots) {
    if (!d.ancestor)
      continue;
    svg += "  <line x1=\"" + sx(d.ancestor->x) + "\" y1=\"" + sy(d.ancestor->y) + "\" x2=\"" +
           sx(d.at.x) + "\" y2=\"" + sy(d.at.y) + "\" stroke=\"" +
           (d.created ? "#f08c5a" : "#7da7e0") + "\" stroke-width=\"3\"/>\n";
  }
  // Objects drawn at the same point get their labels stacked, not printed over each other.
  std::map<std::pair<std::string, std::string>, int> labelsAt;
  for (const Dot& d : dots) {
    const std::string colour = d.created ? "#d9480f" : "#1f5fbf";
    const bool right = d.at.x >= 0;
    const int stacked = labelsAt[{sx(d.at.x), sy(d.at.y)}]++;
    svg += "  <circle cx=\"" + sx(d.at.x) + "\" cy=\"" + sy(d.at.y) + "\" r=\"5\" fill=\"" +
           colour + "\"/>\n";
    svg += "  <text x=\"" + sx(d.at.x) + "\" y=\"" + sy(d.at.y) + "\" dx=\"" +
           (right ? "8" : "-8") + "\" dy=\"" + std::to_string(-6 + 15 * stacked) + "\" fill=\"" +
           colour + "\" text-anchor=\"" + (right ? "start" : "end") + "\">" + Escape(d.name) +
           "</text>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace minihost
