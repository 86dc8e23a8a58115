// SPDX-License-Identifier: MIT
// The field solver's mesh. Panels are graded as a power of the distance toward edges and
// corners, where the charge is singular (r^-1/2 at a thin edge, r^-1/3 at a right-angled corner
// in one medium). Where a thick strip's lower corner meets a substrate of high er the charge
// tends to r^-1/2 as at a thin edge (the dielectric's half plane sees the interface as a
// magnetic wall), and in a thin strip that holds only within the thickness t of the corner: so
// each corner is graded once more on the scale t, as a power inside it and logarithmically
// beyond (Meixner's corner exponents; Van Bladel, Singular Electromagnetic Fields and Sources,
// ch. 3). Left-right symmetry, and top-bottom symmetry of the thick stripline, halve the
// unknowns: only that part of the outline is meshed.
#include "solver/mesh.h"

#include <algorithm>
#include <cmath>

namespace mq::field_solver::detail {

namespace {

// Panels per segment, at the coarse level: within `scale` of a singular end about
// kEdgePanels, graded as distance^kGrading; within the thickness of a thick strip's corner
// kCornerPanels more, graded alike, and one per e-fold of distance beyond it; and one per
// kSpacing * scale along the rest.
constexpr double kEdgePanels = 5;
constexpr double kGrading = 2;
constexpr double kFarGrading = 3;
constexpr double kCornerPanels = 0.7;
constexpr double kSpacing = 8;

struct Segment {
  Point from, to;
  bool gradeFrom = false, gradeTo = false;
  // The graded zone's size where it is smaller than the usual one: a pair's inner edges face
  // each other across the gap, and the odd mode's charge gathers within it.
  double zone = HUGE_VAL;
};

struct Grid {
  double length, scale, spacing, thin, density;
  bool gradeFrom, gradeTo;
  double zone = HUGE_VAL;  // a second, smaller graded zone: a pair's gap
  double grading = kGrading;
  double beyond = 1 / kFarGrading;  // panels per e-fold beyond the graded zone, over kEdgePanels
  // Within `thin` of a corner: panels, and their grading.
  double cornerPanels = kCornerPanels, cornerGrading = kGrading;
  double taper = HUGE_VAL;
};

// Panels within x (in units of the graded zone) of a singular end, 1 at the zone's edge: a power
// of x inside the zone, perEfold per e-fold beyond it.
double Graded(double x, double perEfold, double grading) {
  return x <= 1 ? std::pow(x, 1 / grading) : 1 + perEfold * std::log(x);
}

double EdgeCount(const Grid& g, double distance) {
  const double q = g.grading;
  double count = kEdgePanels * Graded(distance / g.scale, g.beyond, q);
  if (g.zone < g.scale) {
    count += kEdgePanels * Graded(std::min(distance, g.scale) / g.zone, 1 / kFarGrading, q);
  }
  if (g.thin > 0) {
    count += g.cornerPanels *
             Graded(std::min(distance, g.scale) / g.thin, 1 / g.cornerPanels, g.cornerGrading);
  }
  return g.density * count;
}

// The usual panels' length from a graded end out to distance u, the panel growing with the
// distance beyond the taper.
double Tapered(const Grid& g, double u) {
  return u <= g.taper ? u : g.taper * (1 + std::log(u / g.taper));
}

double UsualLength(const Grid& g, double s) {
  if (g.gradeFrom && g.gradeTo) {
    const double half = 0.5 * g.length;
    return s <= half ? Tapered(g, s) : 2 * Tapered(g, half) - Tapered(g, g.length - s);
  }
  if (g.gradeFrom) {
    return Tapered(g, s);
  }
  if (g.gradeTo) {
    return Tapered(g, g.length) - Tapered(g, g.length - s);
  }
  return s;
}

// The number of panels from the segment's start to arc length s: increasing, so it can be
// inverted by a bracketing search to place the nodes.
double Cumulative(const Grid& g, double s) {
  double count = g.density * UsualLength(g, s) / g.spacing;
  if (g.gradeFrom) {
    count += EdgeCount(g, s);
  }
  if (g.gradeTo) {
    count += EdgeCount(g, g.length) - EdgeCount(g, g.length - s);
  }
  return count;
}

// By the Illinois variant of regula falsi, which keeps the root bracketed as bisection does in
// far fewer steps: by bisection the mesh of a strip 100 h wide took 1.5 ms, now 0.6 ms, and it
// runs before a stop request is first read.
double ArcLengthAt(const Grid& g, double count) {
  double low = 0, high = g.length;
  double lowMiss = -count, highMiss = Cumulative(g, high) - count;
  int kept = 0;  // which end stayed last time: halving its miss stops it staying for ever
  for (int i = 0; i < 100 && high - low > 1e-15 * g.length; ++i) {
    const double s =
        std::clamp((low * highMiss - high * lowMiss) / (highMiss - lowMiss), low, high);
    const double miss = Cumulative(g, s) - count;
    if (std::fabs(miss) < 1e-12) {
      return s;
    }
    if (miss < 0) {
      low = s, lowMiss = miss;
      highMiss *= kept == 1 ? 0.5 : 1;
      kept = 1;
    } else {
      high = s, highMiss = miss;
      lowMiss *= kept == -1 ? 0.5 : 1;
      kept = -1;
    }
  }
  return 0.5 * (low + high);
}

void AddGridPanels(const Grid& g, Point from, Point to, std::vector<Panel>& panels);

// Appends the segment's fine panels, kRefinement to each coarse one.
void AddPanels(const Segment& seg, double scale, const Field& f, std::vector<Panel>& panels) {
  const double length = Distance(seg.to.x - seg.from.x, seg.to.y - seg.from.y);
  const Grid g{length,    std::min(scale, length), kSpacing * scale, f.thickness,
               f.density, seg.gradeFrom,           seg.gradeTo,      seg.zone};
  AddGridPanels(g, seg.from, seg.to, panels);
}

void AddGridPanels(const Grid& g, Point from, Point to, std::vector<Panel>& panels) {
  const double length = g.length;
  const double total = Cumulative(g, length);
  const int coarse = std::max(1, static_cast<int>(std::ceil(total - 1e-9)));
  const int fine = kRefinement * coarse;
  Point start = from;
  for (int i = 1; i <= fine; ++i) {
    const Point end = i == fine ? to : Between(from, to, ArcLengthAt(g, total * i / fine) / length);
    const Point mid = Between(from, to, ArcLengthAt(g, total * (i - 0.5) / fine) / length);
    panels.push_back({start, end, mid, Distance(end.x - start.x, end.y - start.y)});
    start = end;
  }
}

// A pair's strip has no mirror of its own: its whole outline (the upper half for the thick
// stripline), every corner graded.
std::vector<Segment> PairOutline(const Field& f) {
  const double left = f.offset - 0.5 * f.width, right = f.offset + 0.5 * f.width;
  const double centre = f.offset, t = f.thickness, gap = left;  // half the spacing
  const double base = f.shape == Shape::kMicrostrip ? f.height : 0.5 * f.height;
  const bool microstrip = f.shape == Shape::kMicrostrip;
  // Each face is cut at its middle, so each half is meshed as a single strip's half is, graded
  // toward its own edge alone; the halves at the inner edge on the scale of the gap too.
  if (t == 0) {
    return {{{left, base}, {centre, base}, true, false, gap},
            {{centre, base}, {right, base}, false, true}};
  }
  const double top = microstrip ? base + t : base + t / 2;
  std::vector<Segment> outline = {{{left, top}, {centre, top}, true, false, gap},
                                  {{centre, top}, {right, top}, false, true},
                                  {{right, top}, {right, base}, true, microstrip}};
  if (microstrip) {
    outline.push_back({{right, base}, {centre, base}, true, false});
    outline.push_back({{centre, base}, {left, base}, false, true, gap});
  }
  outline.push_back({{left, base}, {left, top}, microstrip, true, gap});
  return outline;
}

std::vector<Segment> Outline(const Field& f) {
  if (IsPair(f)) {
    return PairOutline(f);
  }
  const double half = 0.5 * f.width, t = f.thickness;
  if (f.shape == Shape::kMicrostrip) {
    const double h = f.height;
    if (t == 0) {
      return {{{0, h}, {half, h}, false, true}};
    }
    return {{{0, h + t}, {half, h + t}, false, true},
            {{half, h + t}, {half, h}, true, true},
            {{half, h}, {0, h}, true, false}};
  }
  const double mid = 0.5 * f.height;
  if (t == 0) {
    return {{{0, mid}, {half, mid}, false, true}};
  }
  return {{{0, mid + t / 2}, {half, mid + t / 2}, false, true},
          {{half, mid + t / 2}, {half, mid}, true, false}};
}

// A strip thinner than 1e-5 of its width and of its gap to ground is solved as one of zero
// thickness: its corners, so much closer than anything else, would cost more panels than the
// rest of the strip. Thickness t moves the impedance by up to 2.7 t / min(W, gap), the gap
// being h, or (b - t)/2 to each plane of the stripline (measured at t 1e-5 of them over W/h and
// W/b 0.01-100: most where W is near the gap, least on high er). The effect per t grows as
// ln(1/t) as t shrinks, but not past 4 before the effect falls below the quadrature's 1e-7, so
// four times t / min(W, gap) joins the error estimate. The references solve every thickness.
constexpr double kThinnest = 1e-5;
constexpr double kThinAllowance = 4;

}  // namespace

void SetThickness(Field& f, double ratio) {
  const double gap = f.shape == Shape::kMicrostrip ? 1 : 0.5 * (1 - ratio);
  const double smaller = std::min(f.width, gap);
  f.thickness = ratio < kThinnest * smaller && f.density == 1 ? 0 : ratio;
  f.leftOut = kThinAllowance * (ratio - f.thickness) / smaller;
}

void AddGradedPanels(const GradedSegment& s, std::vector<Panel>& panels) {
  const double length = Distance(s.to.x - s.from.x, s.to.y - s.from.y);
  const Grid g{length,         std::min(s.scale, length),
               s.spacing,      s.thin,
               s.density,      s.gradeFrom,
               s.gradeTo,      HUGE_VAL,
               s.grading,      s.perEfold / kEdgePanels,
               s.cornerPanels, s.cornerGrading,
               s.taper};
  AddGridPanels(g, s.from, s.to, panels);
}

std::vector<Panel> Mesh(const Field& f) {
  const double scale = f.shape == Shape::kMicrostrip ? f.height : 0.5 * (f.height - f.thickness);
  std::vector<Panel> panels;
  for (const Segment& seg : Outline(f)) {
    AddPanels(seg, scale, f, panels);
  }
  return panels;
}

}  // namespace mq::field_solver::detail
