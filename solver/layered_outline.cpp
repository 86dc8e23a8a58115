// SPDX-License-Identifier: MIT
// The mesh of a layered cross-section. The unknowns are the charge on the conductors and the
// bound (polarisation) charge on every boundary between two permittivities, in vacuum with the
// ground planes (Harrington, Field Computation by Moment Methods, ch. 2; Wei, Harrington, Mautz
// and Sarkar, "Multiconductor transmission lines in multilayered dielectric media", IEEE Trans.
// MTT-32, 1984). The boundaries reach outward without end: they are cut at a far distance,
// graded as one panel per e-fold of distance beyond the structure, where the charge left out
// changes the figures far below the estimate (with a plane the bound charge falls as a dipole's
// field, 1/x^2; between two planes as exp(-pi x / b)). Panels are graded toward every conductor
// edge and corner and every corner of the coat, as solver/mesh.h grades the strip's.
#include "solver/layered_outline.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "solver/mesh.h"

namespace mq::field_solver::detail {

namespace {

// The far cut: 1e4 times the structure's size from the centre with a plane below or none (a
// dipole's bound charge beyond it moves C by about (size / reach)^2), 12 b past the outermost
// edge between two planes (e^(-12 pi)).
constexpr double kFarReach = 1e4;
constexpr double kScreenedReach = 12;
// The usual panel, in units of the finest scale, away from edges.
constexpr double kSpacing = 8;
// The panels' grading toward an edge, as distance^q. The bound charge's equation is of the second
// kind, and collocation with constant panels errs there as the first panel's length to the power
// nu, the potential's exponent at the corner (r^nu: 0.56 for a square corner on a boundary with
// er 4.3, 1/2 as er grows; Van Bladel, Singular Electromagnetic Fields and Sources, ch. 3): so at
// a conductor's corner on a boundary the grading is steep enough that the error falls as the
// square of the panel size, q nu >= 2, and a thin conductor's corner has a zone of its own on
// the scale of its thickness, where that singularity holds. Elsewhere the strip's usual grading.
constexpr double kCornerPanels = 5;
constexpr double kCornerGrading = 4;
// The charge changes ever more slowly away from the corners: farther than three usual panels
// from a graded end, the panels grow in proportion to the distance.
constexpr double kTaper = 3;
// Beyond the structure the charge on a boundary or a wide ground varies smoothly with the log of
// the distance.
constexpr double kReachPerEfold = 1;

struct Piece {
  GradedSegment segment;
  PanelRole role;
};

// The geometry of a trace in the cross-section's units.
struct Shape {
  double bottomLeft, bottomRight, topLeft, topRight, bottom, top;
  bool flush;  // its upper face lies on the next boundary
};

class Builder {
 public:
  explicit Builder(const Stack& s) : s_(s), levels_(Levels(s)) {
    scale_ = FinestScale();
    near_ = Extent() + levels_.back();
    far_ = FarCut();
    for (const Trace& t : s_.traces) {
      shapes_.push_back(ShapeOf(t));
    }
  }

  std::vector<Piece> Pieces() {
    for (std::size_t i = 0; i < s_.traces.size(); ++i) {
      AddTrace(static_cast<int>(i));
    }
    for (std::size_t k = 0; k < levels_.size(); ++k) {
      AddInterface(static_cast<int>(k));
    }
    if (s_.coat) {
      AddCoat();
    }
    return std::move(pieces_);
  }

 private:
  int Top() const { return static_cast<int>(s_.layers.size()); }

  double Above(int level) const {
    if (level < Top()) {
      return s_.layers[level].permittivity;
    }
    return s_.coat ? s_.coat->permittivity : 1;
  }

  double Below(int level) const { return level > 0 ? s_.layers[level - 1].permittivity : 1; }

  double Extent() const {
    double extent = levels_.back();
    for (const Trace& t : s_.traces) {
      // A wide ground's extent is its inner edge.
      extent = std::max(extent, t.centre + (t.wide ? -0.5 : 0.5) * std::max(t.width, t.topWidth));
    }
    return extent;
  }

  double FarCut() const {
    return s_.grounds == Grounds::kBoth ? Extent() + kScreenedReach * levels_.back()
                                        : kFarReach * Extent();
  }

  // The smallest length of the cross-section: the graded zone at each edge and corner.
  double FinestScale() const {
    double scale = HUGE_VAL;
    const auto take = [&scale](double v) {
      if (v > 0) {
        scale = std::min(scale, v);
      }
    };
    for (const StackLayer& l : s_.layers) {
      take(l.thickness);
    }
    for (const Trace& t : s_.traces) {
      if (!t.wide) {
        take(t.width);
        take(t.topWidth);
      }
      take(2 * (t.centre - 0.5 * t.width));
      if (t.level < Top()) {
        take(s_.layers[t.level].thickness - t.thickness);
      }
      for (const Trace& other : s_.traces) {
        if (other.level == t.level && other.centre > t.centre) {
          take(other.centre - 0.5 * other.width - t.centre - 0.5 * t.width);
        }
      }
    }
    if (s_.coat) {
      take(s_.coat->overSubstrate);
      take(s_.coat->overTrace);
    }
    return scale;
  }

  Shape ShapeOf(const Trace& t) const {
    const double bottom = levels_[t.level];
    const bool flush = t.level < Top() && std::fabs(t.thickness - s_.layers[t.level].thickness) <=
                                              1e-12 * s_.layers[t.level].thickness;
    const double right = t.wide ? far_ : t.centre + 0.5 * t.width;
    const double topRight = t.wide ? far_ : t.centre + 0.5 * t.topWidth;
    return {t.centre - 0.5 * t.width, right, t.centre - 0.5 * t.topWidth, topRight, bottom,
            bottom + t.thickness,     flush};
  }

  // `thin`: the thickness of the conductor whose corner the segment meets, or 0; `boundary`:
  // whether that corner lies on a boundary between two permittivities. A segment `reaching` the
  // far cut is meshed as usual up to the structure's reach and graded as one panel per e-fold of
  // distance beyond.
  void Add(Point from, Point to, bool gradeFrom, bool gradeTo, double thin, bool boundary,
           PanelRole role, bool reaching = false) {
    if (Distance(to.x - from.x, to.y - from.y) <= 0) {
      return;
    }
    if (!reaching) {
      if (const auto x = Overhead(from, to, role)) {
        const Point cut{*x, from.y};
        Add(from, cut, gradeFrom, true, thin, boundary, role);
        Add(cut, to, true, gradeTo, thin, boundary, role);
        return;
      }
      GradedSegment segment{from, to,        gradeFrom, gradeTo, scale_, kSpacing * scale_,
                            thin, s_.density};
      segment.taper = kTaper * segment.spacing;
      if (boundary) {
        segment.grading = segment.cornerGrading = kCornerGrading;
        segment.cornerPanels = kCornerPanels;
      }
      pieces_.push_back({segment, role});
      return;
    }
    const bool outward = to.x > from.x;
    const Point near = outward ? from : to, far = outward ? to : from;
    const Point split{std::max(near.x, near_), near.y};
    if (split.x > near.x) {
      outward ? Add(near, split, gradeFrom, false, thin, boundary, role)
              : Add(split, near, false, gradeTo, thin, boundary, role);
    }
    GradedSegment segment{outward ? split : far,
                          outward ? far : split,
                          outward,
                          !outward,
                          scale_,
                          HUGE_VAL,
                          0,
                          s_.density};
    segment.perEfold = kReachPerEfold;
    pieces_.push_back({segment, role});
  }

  // Where a level stretch of a boundary passes over or under a conductor's corner at a
  // distance: the first such point strictly inside it. The bound charge changes fastest there,
  // over that distance, so the stretch is cut there and graded toward the cut. A stretch on the
  // level of a face (the boundary a trace stands on) and the coat's surface around a trace are
  // graded from the corners they meet.
  std::optional<double> Overhead(Point from, Point to, const PanelRole& role) const {
    if (role.role != Role::kInterface || from.y != to.y || coatFollowsTraces_) {
      return std::nullopt;
    }
    const double low = std::min(from.x, to.x), high = std::max(from.x, to.x);
    const double margin = 1e-9 * scale_;
    for (const Shape& g : shapes_) {
      if (std::min(std::fabs(from.y - g.bottom), std::fabs(from.y - g.top)) == 0) {
        continue;
      }
      for (const double x : {g.bottomLeft, g.bottomRight, g.topLeft, g.topRight}) {
        if (x > low + margin && x < high - margin) {
          return x;
        }
      }
    }
    return std::nullopt;
  }

  // Whether the trace's lower corners, and its upper ones, lie on a boundary between two
  // permittivities.
  bool LowerOnBoundary(int i) const {
    return Below(s_.traces[i].level) != Above(s_.traces[i].level);
  }
  bool UpperOnBoundary(int i) const {
    const int level = s_.traces[i].level;
    return shapes_[i].flush && Above(level) != Above(level + 1);
  }

  PanelRole Conductor(int trace, double outside) const {
    return {Role::kConductor, trace, outside};
  }

  void AddTrace(int i) {
    const Trace& t = s_.traces[i];
    const Shape& g = shapes_[i];
    const double thin = t.thickness;
    const bool edge = !t.wide;  // a wide ground's far end is no edge
    if (t.thickness == 0) {
      const double below = Below(t.level), above = Above(t.level);
      PanelRole sheet{Role::kConductor, i, 0.5 * (below + above), above - below};
      Add({std::max(0.0, g.bottomLeft), g.bottom}, {g.bottomRight, g.bottom}, t.centre > 0, edge, 0,
          false, sheet, t.wide);
      return;
    }
    const double side = Above(t.level), top = g.flush ? Above(t.level + 1) : side;
    const double below = Below(t.level);
    // A thin trace's upper corners lie within its thickness of the lower ones: where either pair
    // lies on a boundary, all are graded as such. The sides, no longer than the thickness, have
    // no corner zone of their own.
    const bool corners = LowerOnBoundary(i) || UpperOnBoundary(i);
    if (t.centre == 0) {
      Add({0, g.top}, {g.topRight, g.top}, false, true, thin, corners, Conductor(i, top));
      Add({g.topRight, g.top}, {g.bottomRight, g.bottom}, true, true, 0, corners,
          Conductor(i, side));
      Add({g.bottomRight, g.bottom}, {0, g.bottom}, true, false, thin, corners,
          Conductor(i, below));
      return;
    }
    Add({g.topLeft, g.top}, {g.topRight, g.top}, true, edge, thin, corners, Conductor(i, top),
        t.wide);
    if (edge) {
      Add({g.topRight, g.top}, {g.bottomRight, g.bottom}, true, true, 0, corners,
          Conductor(i, side));
    }
    Add({g.bottomRight, g.bottom}, {g.bottomLeft, g.bottom}, edge, true, thin, corners,
        Conductor(i, below), t.wide);
    Add({g.bottomLeft, g.bottom}, {g.topLeft, g.top}, true, true, 0, corners, Conductor(i, side));
  }

  // The stretches of boundary `level` that no trace's face covers.
  void AddInterface(int level) {
    const bool plane = (level == 0 && s_.grounds != Grounds::kNone) ||
                       (level == Top() && s_.grounds == Grounds::kBoth);
    const double below = Below(level), above = Above(level);
    if (plane || below == above) {
      return;
    }
    std::vector<std::pair<double, double>> covered;
    double thin = 0;
    for (std::size_t i = 0; i < shapes_.size(); ++i) {
      const Shape& g = shapes_[i];
      if (s_.traces[i].level == level) {
        covered.emplace_back(g.bottomLeft, g.bottomRight);
      } else if (g.flush && s_.traces[i].level + 1 == level) {
        covered.emplace_back(g.topLeft, g.topRight);
      } else {
        continue;
      }
      thin = std::max(thin, s_.traces[i].thickness);
    }
    std::sort(covered.begin(), covered.end());
    const PanelRole role{Role::kInterface, -1, 1, 0, (below - above) / (below + above)};
    const double y = levels_[level];
    double x = 0;
    for (const auto& [left, right] : covered) {
      if (left > x) {
        Add({x, y}, {left, y}, x > 0, true, thin, thin > 0, role);
      }
      x = std::max(x, right);
    }
    if (x < far_) {
      Add({x, y}, {far_, y}, x > 0, false, thin, thin > 0, role, true);
    }
  }

  // The coat's outer surface over one trace: its corners where the faces offset by the coat's
  // thickness meet the coat's level over the substrate and over the trace.
  struct Bump {
    double bottomLeft, topLeft, topRight, bottomRight, height;
  };

  // The coat over trace i, whose faces the coat follows at its thickness over the trace, meeting
  // its level `base` over the substrate; none where that level buries the trace.
  std::optional<Bump> BumpOver(int i, double base) const {
    const Trace& t = s_.traces[i];
    const Shape& g = shapes_[i];
    const double c = s_.coat->overTrace, height = g.top + c;
    if (t.level != Top() || height <= base) {
      return std::nullopt;
    }
    // The right face's direction, upward, and its outward normal.
    const double run = 0.5 * (t.topWidth - t.width), length = Distance(run, t.thickness);
    const double dx = t.thickness > 0 ? run / length : 0;
    const double dy = t.thickness > 0 ? t.thickness / length : 1;
    const double nx = dy, ny = -dx;
    const auto at = [&](double y) {
      return t.centre + 0.5 * t.width + c * nx + (y - g.bottom - c * ny) / dy * dx;
    };
    const double right = at(base), topRight = at(height);
    return Bump{2 * t.centre - right, 2 * t.centre - topRight, t.wide ? far_ : topRight,
                t.wide ? far_ : right, height};
  }

  std::vector<Bump> Bumps(double base) const {
    std::vector<Bump> bumps;
    for (std::size_t i = 0; i < shapes_.size(); ++i) {
      if (const auto bump = BumpOver(static_cast<int>(i), base)) {
        bumps.push_back(*bump);
      }
    }
    std::sort(bumps.begin(), bumps.end(),
              [](const Bump& a, const Bump& b) { return a.bottomLeft < b.bottomLeft; });
    // Where the coats of two traces (or a trace and its mirror) meet, the gap between them fills.
    std::vector<Bump> merged;
    for (const Bump& b : bumps) {
      if (!merged.empty() && b.bottomLeft <= merged.back().bottomRight) {
        merged.back().topRight = b.topRight;
        merged.back().bottomRight = b.bottomRight;
        merged.back().height = std::max(merged.back().height, b.height);
      } else {
        merged.push_back(b);
      }
    }
    return merged;
  }

  void AddCoat() {
    const double base = levels_.back() + s_.coat->overSubstrate;
    std::vector<Point> outline;
    for (const Bump& b : Bumps(base)) {
      if (b.bottomLeft > 0) {
        outline.push_back({b.bottomLeft, base});
        outline.push_back({b.topLeft, b.height});
      } else {
        outline.push_back({0, b.height});
      }
      outline.push_back({b.topRight, b.height});
      outline.push_back({b.bottomRight, base});
    }
    if (outline.empty() || outline.front().x > 0) {
      outline.insert(outline.begin(), {0, base});
    }
    if (outline.back().x < far_) {
      outline.push_back({far_, base});
    }
    coatFollowsTraces_ = outline.size() > 2;
    const double e = s_.coat->permittivity;
    const PanelRole role{Role::kInterface, -1, 1, 0, (e - 1) / (e + 1)};
    for (std::size_t i = 1; i < outline.size(); ++i) {
      const bool reaching = outline[i].x >= far_;
      Add(outline[i - 1], outline[i], i > 1 || reaching, !reaching, 0, false, role, reaching);
    }
  }

  const Stack& s_;
  std::vector<double> levels_;
  std::vector<Shape> shapes_;
  double scale_ = 1, near_ = 1, far_ = 1;
  bool coatFollowsTraces_ = false;
  std::vector<Piece> pieces_;
};

}  // namespace

std::vector<double> Levels(const Stack& s) {
  std::vector<double> levels = {0};
  for (const StackLayer& l : s.layers) {
    levels.push_back(levels.back() + l.thickness);
  }
  return levels;
}

Layout MeshStack(const Stack& s, double digits) {
  Layout layout;
  layout.enclosure = MakeEnclosure(s.grounds, Levels(s).back(), digits);
  for (const Piece& piece : Builder(s).Pieces()) {
    const std::size_t before = layout.panels.size();
    AddGradedPanels(piece.segment, layout.panels);
    layout.roles.insert(layout.roles.end(), layout.panels.size() - before, piece.role);
  }
  return layout;
}

}  // namespace mq::field_solver::detail
