#include "svg.h"

#include <xsihost/text.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "scene_file.h"
#include "scene_walk.h"

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

std::size_t CharacterCount(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// `name` cut to its first `most` characters and "...", when it is longer.
std::string ShortLabel(const std::string& name, std::size_t most) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if ((static_cast<unsigned char>(name[i]) & 0xC0) != 0x80 && characters++ == most)
      return name.substr(0, i) + "...";
  }
  return name;
}

}  // namespace

std::string DrawSvg(const std::vector<std::uint64_t>& before, bool ran) {
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
                      !IsIn(before, xsihost::ObjectId(next.ref)), next.ancestor});
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
  // Spans are taken of half the coordinates: the span of two coordinates near the largest
  // double would not be finite, and the picture would be made of "nan".
  const double width = 800, height = 600, marginX = 140, marginTop = 70, marginBottom = 40;
  const double spanX = std::max(maxX / 2 - minX / 2, 1e-300);
  const double spanY = std::max(maxY / 2 - minY / 2, 1e-300);
  const double scale =
      std::min((width - 2 * marginX) / spanX, (height - marginTop - marginBottom) / spanY);
  const double offsetX = (width - scale * spanX) / 2;
  const double offsetY = marginBottom + (height - marginTop - marginBottom - scale * spanY) / 2;
  auto px = [&](double x) { return offsetX + (x / 2 - minX / 2) * scale; };
  auto py = [&](double y) { return height - offsetY - (y / 2 - minY / 2) * scale; };
  auto num = [](double v) { return FormatNumber(std::round(v * 10) / 10); };

  bool madeAny = false;
  for (const Dot& d : dots)
    madeAny = madeAny || d.created;
  std::string svg;
  svg +=
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\" height=\"600\" "
      "viewBox=\"0 0 800 600\" font-family=\"sans-serif\" font-size=\"13\">\n";
  svg += "  <rect width=\"800\" height=\"600\" fill=\"white\"/>\n";
  svg += "  <text x=\"10\" y=\"20\" fill=\"#444\">front view: x to the right, y up; ";
  svg += "<tspan fill=\"#1f5fbf\">before the run</tspan>, ";
  svg += ran && madeAny ? "<tspan fill=\"#d9480f\">made by the run</tspan>"
                        : "<tspan fill=\"#444\">the run made nothing</tspan>";
  svg += "</text>\n";
  const double plane = px(0);
  svg += "  <line x1=\"" + num(plane) + "\" y1=\"30\" x2=\"" + num(plane) +
         "\" y2=\"590\" stroke=\"#888\" stroke-dasharray=\"8 6\"/>\n";
  // The plane's label stands beside the line, not on it.
  svg += "  <text x=\"" + num(plane + 5) + "\" y=\"44\" fill=\"#888\">x = 0</text>\n";
  for (const Dot& d : dots) {
    if (!d.ancestor)
      continue;
    svg += "  <line x1=\"" + num(px(d.ancestor->x)) + "\" y1=\"" + num(py(d.ancestor->y)) +
           "\" x2=\"" + num(px(d.at.x)) + "\" y2=\"" + num(py(d.at.y)) + "\" stroke=\"" +
           (d.created ? "#f08c5a" : "#7da7e0") + "\" stroke-width=\"3\"/>\n";
  }

  // Labels are placed one by one where they overlap no label placed before and no dot: beside
  // the dot, on the side away from the mirror plane, or moved up or down from there in steps.
  struct Box {
    double left, top, right, bottom;
    bool Overlaps(const Box& o) const {
      return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
  };
  std::vector<Box> taken;
  taken.push_back({plane, 30, plane + 50, 48});  // the plane's own label
  for (const Dot& d : dots)
    taken.push_back({px(d.at.x) - 5, py(d.at.y) - 5, px(d.at.x) + 5, py(d.at.y) + 5});
  const std::size_t kMostCharacters = 40;
  for (const Dot& d : dots) {
    const std::string colour = d.created ? "#d9480f" : "#1f5fbf";
    const double x = px(d.at.x), y = py(d.at.y);
    const std::string shown = ShortLabel(d.name, kMostCharacters);
    const double labelWidth = 7.5 * static_cast<double>(CharacterCount(shown)) + 2;
    // Each step tries the side away from the plane first, then the other side.
    bool right = d.at.x >= 0;
    Box box{};
    double dy = 0;
    for (int step = 0; step < 80; ++step) {
      dy = (step / 2 % 2 == 0 ? 1 : -1) * 15.0 * ((step / 2 + 1) / 2);
      right = (d.at.x >= 0) == (step % 2 == 0);
      const double left = right ? x + 8 : x - 8 - labelWidth;
      box = Box{left, y + dy - 16, left + labelWidth, y + dy};
      if (std::none_of(taken.begin(), taken.end(), [&](const Box& t) { return t.Overlaps(box); }))
        break;
    }
    taken.push_back(box);
    svg +=
        "  <circle cx=\"" + num(x) + "\" cy=\"" + num(y) + "\" r=\"5\" fill=\"" + colour + "\"/>\n";
    if (dy != 0) {
      // A label moved away from its dot is tied to it by a thin line.
      svg += "  <line x1=\"" + num(x) + "\" y1=\"" + num(y) + "\" x2=\"" +
             num(right ? box.left - 2 : box.right + 2) + "\" y2=\"" + num(box.bottom - 8) +
             "\" stroke=\"" + colour + "\" stroke-width=\"0.8\"/>\n";
    }
    svg += "  <text x=\"" + num(right ? box.left : box.right) + "\" y=\"" + num(box.bottom - 4) +
           "\" fill=\"" + colour + "\" text-anchor=\"" + (right ? "start" : "end") + "\">";
    if (shown.size() != d.name.size())
      svg += "<title>" + Escape(d.name) + "</title>";  // the whole name, as a tooltip
    svg += Escape(shown) + "</text>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace minihost
