#include "svg.h"

#include <xsihost/text.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "scene_format.h"
#include "scene_walk.h"

namespace minihost {

namespace {

constexpr double kWidth = 800, kHeight = 600;
constexpr double kTitleBottom = 30;  // the legend's line; nothing else goes above it
constexpr double kLabelHeight = 16, kCharacterWidth = 7.5;
constexpr std::size_t kMostCharacters = 40;
const char* const kBlue = "#1f5fbf";
const char* const kOrange = "#d9480f";

struct Dot {
  xsihost::Position at;
  std::string name;
  bool created;
  std::optional<xsihost::Position> ancestor;
};

// What the picture shows of the scene: every object with a position, and how many objects of
// any kind the run made.
struct Drawn {
  std::vector<Dot> dots;
  std::size_t made = 0;
};

Drawn Collect(const std::vector<std::uint64_t>& before) {
  Drawn drawn;
  struct Pending {
    XSI::CRef ref;
    std::optional<xsihost::Position> ancestor;
  };
  std::vector<Pending> pending;
  const xsihost::ObjectInfo root = xsihost::Describe(xsihost::SceneRoot());
  for (auto it = root.children.rbegin(); it != root.children.rend(); ++it)
    pending.push_back({*it, std::nullopt});
  while (!pending.empty()) {
    const Pending next = pending.back();
    pending.pop_back();
    const xsihost::ObjectInfo info = xsihost::Describe(next.ref);
    const bool created = !IsIn(before, xsihost::ObjectId(next.ref));
    drawn.made += created ? 1 : 0;
    auto ancestor = next.ancestor;
    if (info.position) {
      drawn.dots.push_back({*info.position, xsihost::ToUtf8(info.name), created, next.ancestor});
      ancestor = info.position;
    }
    for (auto it = info.children.rbegin(); it != info.children.rend(); ++it)
      pending.push_back({*it, ancestor});
  }
  return drawn;
}

// From scene coordinates to the picture's: every dot and the mirror plane in view, scaled to
// fit between the margins.
class Frame {
 public:
  explicit Frame(const std::vector<Dot>& dots) {
    double minX = 0, maxX = 0, minY = 0, maxY = 0;  // the mirror plane is always in view
    bool first = true;
    for (const Dot& d : dots) {
      minX = std::min(minX, d.at.x);
      maxX = std::max(maxX, d.at.x);
      minY = first ? d.at.y : std::min(minY, d.at.y);
      maxY = first ? d.at.y : std::max(maxY, d.at.y);
      first = false;
    }
    // Spans are taken of half the coordinates: the span of two coordinates near the largest
    // double would not be finite, and the picture would be made of "nan".
    const double marginX = 140, marginTop = 70, marginBottom = 40;
    const double spanX = std::max(maxX / 2 - minX / 2, 1e-300);
    const double spanY = std::max(maxY / 2 - minY / 2, 1e-300);
    m_scale =
        std::min((kWidth - 2 * marginX) / spanX, (kHeight - marginTop - marginBottom) / spanY);
    m_offsetX = (kWidth - m_scale * spanX) / 2;
    m_offsetY = marginBottom + (kHeight - marginTop - marginBottom - m_scale * spanY) / 2;
    m_minX = minX;
    m_minY = minY;
  }
  double X(double x) const { return m_offsetX + (x / 2 - m_minX / 2) * m_scale; }
  double Y(double y) const { return kHeight - m_offsetY - (y / 2 - m_minY / 2) * m_scale; }

 private:
  double m_scale, m_offsetX, m_offsetY, m_minX, m_minY;
};

struct Box {
  double left, top, right, bottom;
};

// Which parts of the picture are taken, in cells of 2 by 2 pixels (finer than the 3 pixels
// between a dot and its label): the legend, the plane's
// label, every dot and every label placed. A box is free when none of the cells it touches is
// taken, so two free boxes never overlap; finding that out costs the box's own cells, whatever
// the size of the scene.
class Occupancy {
 public:
  Occupancy() : m_taken(kColumns * kRows, false) {}
  void Take(const Box& box) {
    ForCells(box, [&](std::size_t cell) {
      m_taken[cell] = true;
      return true;
    });
  }
  // Whether `box` lies inside the picture on no taken cell (the legend's band is taken).
  bool Free(const Box& box) const {
    if (box.left < 0 || box.right > kWidth || box.bottom > kHeight)
      return false;
    return ForCells(box, [&](std::size_t cell) { return !m_taken[cell]; });
  }

 private:
  static constexpr double kCell = 2;
  static constexpr std::size_t kColumns = static_cast<std::size_t>(kWidth / kCell);
  static constexpr std::size_t kRows = static_cast<std::size_t>(kHeight / kCell);
  // The cell index of `at` (rounded down or, for an end, up), kept inside the picture.
  static std::size_t Cell(double at, std::size_t count) {
    const double index = at / kCell;
    return index < 0 ? 0 : std::min(static_cast<std::size_t>(index), count);
  }
  static std::size_t End(double at, std::size_t count) {
    const double index = std::ceil(at / kCell);
    return index < 1 ? 1 : std::min(static_cast<std::size_t>(index), count);
  }
  // Calls `visit` on each cell the box covers, until it gives false; whether none did.
  template <typename Visit>
  bool ForCells(const Box& box, Visit visit) const {
    const std::size_t rowEnd = End(box.bottom, kRows), columnEnd = End(box.right, kColumns);
    for (std::size_t row = std::min(Cell(box.top, kRows), rowEnd - 1); row < rowEnd; ++row) {
      for (std::size_t column = std::min(Cell(box.left, kColumns), columnEnd - 1);
           column < columnEnd; ++column) {
        if (!visit(row * kColumns + column))
          return false;
      }
    }
    return true;
  }
  std::vector<bool> m_taken;
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

std::string Number(double v) {
  return FormatNumber(std::round(v * 10) / 10);
}

// A label placed for a dot: its box, and on which side of the dot it reads.
struct Label {
  Box box;
  bool right;
};

// The first free place for a label `width` wide near the dot at (x, y): beside it on the side
// away from the mirror plane, then on the other side, then moved up or down in steps of 15
// pixels, at most 60. None when every place is taken or outside the picture.
std::optional<Label> Place(const Occupancy& taken, double x, double y, double width,
                           bool awayIsRight) {
  constexpr int kSteps = 18;
  for (int step = 0; step < kSteps; ++step) {
    const double dy = (step / 2 % 2 == 0 ? 1 : -1) * 15.0 * ((step / 2 + 1) / 2);
    const bool right = awayIsRight == (step % 2 == 0);
    const double left = right ? x + 8 : x - 8 - width;
    const Box box{left, y + dy - kLabelHeight, left + width, y + dy};
    if (taken.Free(box))
      return Label{box, right};
  }
  return std::nullopt;
}

std::string Legend(bool madeSome, std::size_t made, std::size_t unlabelled) {
  std::string text = "  <text x=\"10\" y=\"20\" fill=\"#444\">front view: x to the right, y up; ";
  text += std::string("<tspan fill=\"") + kBlue + "\">before the run</tspan>, ";
  text += madeSome ? std::string("<tspan fill=\"") + kOrange +
                         "\">made by the run: " + std::to_string(made) +
                         (made == 1 ? " object" : " objects") + "</tspan>"
                   : "<tspan fill=\"#444\">the run made nothing</tspan>";
  if (unlabelled > 0) {
    text +=
        "; " + std::to_string(unlabelled) + (unlabelled == 1 ? " label" : " labels") + " left out";
  }
  return text + "</text>\n";
}

// A dot with its label, if it has a place: tied to the dot by a thin line when moved off its
// row, with the whole name as a tooltip when shortened.
std::string DotAndLabel(const Dot& d, double x, double y, const std::optional<Label>& label,
                        const std::string& shown) {
  const char* colour = d.created ? kOrange : kBlue;
  std::string svg = "  <circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) + "\" r=\"5\" fill=\"" +
                    colour + "\"/>\n";
  if (!label)
    return svg;
  const Box& box = label->box;
  if (box.bottom != y) {
    svg += "  <line x1=\"" + Number(x) + "\" y1=\"" + Number(y) + "\" x2=\"" +
           Number(label->right ? box.left - 2 : box.right + 2) + "\" y2=\"" +
           Number(box.bottom - 8) + "\" stroke=\"" + colour + "\" stroke-width=\"0.8\"/>\n";
  }
  svg += "  <text x=\"" + Number(label->right ? box.left : box.right) + "\" y=\"" +
         Number(box.bottom - 4) + "\" fill=\"" + colour + "\" text-anchor=\"" +
         (label->right ? "start" : "end") + "\">";
  if (shown.size() != d.name.size())
    svg += "<title>" + Escape(d.name) + "</title>";
  return svg + Escape(shown) + "</text>\n";
}

}  // namespace

std::string DrawSvg(const std::vector<std::uint64_t>& before, bool ran) {
  const Drawn drawn = Collect(before);
  const Frame frame(drawn.dots);
  const double plane = frame.X(0);

  Occupancy taken;
  taken.Take({0, 0, kWidth, kTitleBottom});
  const Box planeLabel{plane, kTitleBottom, plane + 50, 48};
  taken.Take(planeLabel);
  for (const Dot& d : drawn.dots) {
    const double x = frame.X(d.at.x), y = frame.Y(d.at.y);
    taken.Take({x - 5, y - 5, x + 5, y + 5});
  }
  // Labels first, so that the legend can say how many found no place.
  std::string marks;
  std::size_t unlabelled = 0;
  for (const Dot& d : drawn.dots) {
    const double x = frame.X(d.at.x), y = frame.Y(d.at.y);
    const std::string shown = ShortLabel(d.name, kMostCharacters);
    const double width = kCharacterWidth * static_cast<double>(CharacterCount(shown)) + 2;
    const std::optional<Label> label = Place(taken, x, y, width, d.at.x >= 0);
    if (label)
      taken.Take(label->box);
    else
      ++unlabelled;
    marks += DotAndLabel(d, x, y, label, shown);
  }

  std::string svg =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\" height=\"600\" "
      "viewBox=\"0 0 800 600\" font-family=\"sans-serif\" font-size=\"13\">\n"
      "  <rect width=\"800\" height=\"600\" fill=\"white\"/>\n";
  svg += Legend(ran && drawn.made > 0, drawn.made, unlabelled);
  svg += "  <line x1=\"" + Number(plane) + "\" y1=\"30\" x2=\"" + Number(plane) +
         "\" y2=\"590\" stroke=\"#888\" stroke-dasharray=\"8 6\"/>\n";
  // The plane's label stands beside the line, not on it.
  svg += "  <text x=\"" + Number(plane + 5) + "\" y=\"44\" fill=\"#888\">x = 0</text>\n";
  for (const Dot& d : drawn.dots) {
    if (!d.ancestor)
      continue;
    svg += "  <line x1=\"" + Number(frame.X(d.ancestor->x)) + "\" y1=\"" +
           Number(frame.Y(d.ancestor->y)) + "\" x2=\"" + Number(frame.X(d.at.x)) + "\" y2=\"" +
           Number(frame.Y(d.at.y)) + "\" stroke=\"" + (d.created ? "#f08c5a" : "#7da7e0") +
           "\" stroke-width=\"3\"/>\n";
  }
  return svg + marks + "</svg>\n";
}

}  // namespace minihost
