// SPDX-License-Identifier: MIT
// The field solver: boundary elements on the conductor outline with the structure's own Green's
// function, so the open top of the microstrip and the unbounded sides need no box.
//
// The unknown is the charge density on the strip, constant on each straight panel, with the
// potential matched at the panel midpoints (collocation). The kernel is split into the log of
// the distance, integrated over a panel in closed form, and a smooth rest taken by
// Gauss-Legendre quadrature of an order chosen from how far the rest's nearest singularity lies
// (its Bernstein ellipse). Panels are graded as a power of the distance toward edges and
// corners, where the charge is singular (r^-1/2 at a thin edge, r^-1/3 at a right-angled corner
// in one medium). Where a thick strip's lower corner meets a substrate of high er the charge
// tends to r^-1/2 as at a thin edge (the dielectric's half plane sees the interface as a
// magnetic wall), and in a thin strip that holds only within the thickness t of the corner: so
// each corner is graded once more on the scale t, as a power inside it and logarithmically
// beyond (Meixner's corner exponents; Van Bladel, Singular Electromagnetic Fields and Sources,
// ch. 3). Left-right symmetry,
// and top-bottom symmetry of the thick stripline, halve the unknowns. The dense system is
// solved by LU (Eigen).
//
// Green's functions, in units of 2 pi eps0 phi / q:
// - stripline, grounded planes y = 0 and y = b: ln |sinh(pi (z - conj z0) / 2b) /
//   sinh(pi (z - z0) / 2b)| (the image series of a line charge between planes in closed form,
//   e.g. Collin, Field Theory of Guided Waves, ch. 4).
// - microstrip, both points in air above a grounded slab of height h, K = (er-1)/(er+1):
//   -ln r0 + K ln r0' + (1 - K^2) sum_{n>=1} (-K)^(n-1) ln r_n, from expanding the slab's
//   reflection coefficient -(K + e^-2kh)/(1 + K e^-2kh) in powers of e^-2kh (Silvester,
//   "TEM wave properties of microstrip transmission lines", Proc. IEE 115, 1968). r0' is the
//   distance to the mirror image in the interface and r_n to (x0, 2h - y0 - 2nh). Inside the
//   slab: (1 - K) sum_{m>=0} (-K)^m [-ln |z - (z0 + 2imh)| + ln |z - (conj z0 - 2imh)|].
// The image series converges slowly as er grows; its tail beyond a few terms is summed by the
// alternating-geometric analogue of Euler-Maclaurin (Boole) summation, whose coefficients are
// the polylogarithms Li_-j(-K), closed forms in the Eulerian numbers.
//
// The answer is solved on a mesh and on the mesh with every panel cut in three. The coarse
// collocation points are the midpoints of the middle thirds, so the coarse system is a subset
// of the fine one and nothing is integrated twice. The fine result is Richardson-extrapolated
// and the difference of the two meshes gives the error estimate.
#include "model/field_solver.h"

#include <Eigen/Dense>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <optional>
#include <vector>

#include "model/line_models.h"
#include "published/exact_constants.h"

namespace mq::field_solver {

namespace {

constexpr double kPi = std::numbers::pi;
using exact::kEta0;

struct Point {
  double x = 0;
  double y = 0;
};

Point Between(Point a, Point b, double f) {
  return {a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)};
}

// The length of (dx, dy); std::hypot guards against overflow that lengths here never reach.
double Distance(double dx, double dy) {
  return std::sqrt(dx * dx + dy * dy);
}

// The integral of ln |p - q| over q on the straight panel a-b, in closed form.
double LogIntegral(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length = Distance(dx, dy);
  const double tx = dx / length, ty = dy / length;
  const double along = (p.x - a.x) * tx + (p.y - a.y) * ty;
  const double across = (p.y - a.y) * tx - (p.x - a.x) * ty;
  const double s1 = -along, s2 = length - along;
  const auto primitive = [across](double s) {
    const double r2 = s * s + across * across;
    return r2 > 0 ? 0.5 * s * std::log(r2) : 0.0;
  };
  // The angle the panel subtends; atan2 keeps it right when p lies on the panel's line.
  const double angle = std::atan2(across * length, s1 * s2 + across * across);
  return primitive(s2) - primitive(s1) - length + across * angle;
}

constexpr int kMaxGaussOrder = 24;  // for the references' tighter quadrature
constexpr int kUsualMaxGaussOrder = 12;
constexpr double kQuadratureDigits = 8.1;  // ln(1e7) / 2: Gauss rules good to about 1e-7
constexpr double kQuadratureError = 1e-7;  // the least error claimed
struct GaussRule {
  std::array<double, kMaxGaussOrder> node{};  // on [-1, 1]
  std::array<double, kMaxGaussOrder> weight{};
};

GaussRule MakeGaussRule(int order) {
  GaussRule rule;
  for (int i = 0; i < order; ++i) {
    double x = std::cos(kPi * (i + 0.75) / (order + 0.5));
    double derivative = 1;
    for (int iteration = 0; iteration < 100; ++iteration) {
      double p0 = 1, p1 = x;
      for (int n = 2; n <= order; ++n) {
        const double p2 = ((2 * n - 1) * x * p1 - (n - 1) * p0) / n;
        p0 = p1;
        p1 = p2;
      }
      derivative = order * (x * p1 - p0) / (x * x - 1);
      const double step = p1 / derivative;
      x -= step;
      if (std::fabs(step) < 1e-16) {
        break;
      }
    }
    rule.node[i] = x;
    rule.weight[i] = 2 / ((1 - x * x) * derivative * derivative);
  }
  return rule;
}

const GaussRule& Gauss(int order) {
  static const auto rules = [] {
    std::array<GaussRule, kMaxGaussOrder + 1> all;
    for (int order = 1; order <= kMaxGaussOrder; ++order) {
      all[order] = MakeGaussRule(order);
    }
    return all;
  }();
  return rules[order];
}

// The Gauss order that integrates over the panel a-b, to about exp(-2 digits), a function
// analytic but for a singularity at `singular` (a point in the plane): the error falls as
// rho^-2n with rho the Bernstein ellipse through the singularity. Its foci are the panel's ends,
// so its semi-major axis is half the sum of the singularity's distances to them.
int GaussOrder(Point singular, Point a, Point b, double digits) {
  const double half = 0.5 * Distance(b.x - a.x, b.y - a.y);
  const double axis = 0.5 *
                      (Distance(singular.x - a.x, singular.y - a.y) +
                       Distance(singular.x - b.x, singular.y - b.y)) /
                      half;
  const double rho = axis + std::sqrt(std::max(0.0, axis * axis - 1));
  // The least order n with rho >= exp(digits / n), without a logarithm for each panel pair.
  static const auto kLeastRho = [] {
    std::array<double, kMaxGaussOrder + 1> least{};
    for (int order = 1; order <= kMaxGaussOrder; ++order) {
      least[order] = std::exp(kQuadratureDigits / order);
    }
    return least;
  }();
  int order = 1;
  if (digits != kQuadratureDigits) {
    while (order < kMaxGaussOrder && rho < std::exp(digits / order)) {
      ++order;
    }
    return order;
  }
  while (order < kUsualMaxGaussOrder && rho < kLeastRho[order]) {
    ++order;
  }
  return order;
}

// Re sum_{n>=1} (-K)^(n-1) ln(n + a + i s) for a >= 0: the image series of the microstrip.
class ImageSeries {
 public:
  explicit ImageSeries(double k);
  double operator()(double a, double s) const;

 private:
  static constexpr int kTailTerms = 24;
  static constexpr double kTailReach = 8;  // |n + a + i s| from which the tail expansion holds
  double k_;
  std::array<double, kTailTerms + 1> tail_{};
  // reach_[j]: |N + zeta|^2 beyond which terms after the j-th are below 1e-14.
  std::array<double, kTailTerms + 1> reach_{};
};

ImageSeries::ImageSeries(double k) : k_(k) {
  // sum_{m>=0} z^m f(N + m) = sum_j f^(j)(N)/j! Li_-j(z); with f = ln(N + zeta) the j-th term
  // is (-1)^(j-1) Li_-j(z) / (j (N + zeta)^j). Li_-j(z) = z A_j(z) / (1 - z)^(j+1), A_j the
  // Eulerian polynomial.
  const double z = -k;
  tail_[0] = 1 / (1 - z);
  std::vector<double> eulerian = {1};  // A_1
  for (int j = 1; j <= kTailTerms; ++j) {
    if (j > 1) {
      std::vector<double> next(j, 0.0);
      for (int m = 0; m < j; ++m) {
        next[m] = (m + 1) * (m < j - 1 ? eulerian[m] : 0) + (j - m) * (m > 0 ? eulerian[m - 1] : 0);
      }
      eulerian = std::move(next);
    }
    double polynomial = 0;
    for (auto it = eulerian.rbegin(); it != eulerian.rend(); ++it) {
      polynomial = polynomial * z + *it;
    }
    const double polylog = z * polynomial / std::pow(1 - z, j + 1);
    tail_[j] = (j % 2 == 1 ? 1 : -1) * polylog / j;
  }
  for (int j = 0; j < kTailTerms; ++j) {
    double radius = 0;
    for (int later = j + 1; later <= kTailTerms; ++later) {
      radius = std::max(radius, std::pow(std::fabs(tail_[later]) / 1e-11, 1.0 / later));
    }
    reach_[j] = radius * radius;
  }
}

double ImageSeries::operator()(double a, double s) const {
  const double reach = std::sqrt(std::max(0.0, kTailReach * kTailReach - s * s));
  // Far off (a point of the picture a long way out) every term is in the tail.
  const int first = static_cast<int>(std::max(1.0, std::ceil(reach - a)));
  double sum = 0, weight = 1;
  for (int n = 1; n < first; ++n) {
    sum += weight * 0.5 * std::log((n + a) * (n + a) + s * s);
    weight *= -k_;
  }
  if (std::fabs(weight) < 1e-17) {
    return sum;
  }
  const double re = first + a, norm = re * re + s * s;
  const std::complex<double> w(re / norm, -s / norm);
  // Farther out fewer terms reach the same accuracy.
  int terms = kTailTerms;
  while (terms > 1 && norm > reach_[terms - 1]) {
    --terms;
  }
  std::complex<double> poly = 0;
  for (int j = terms; j >= 1; --j) {
    poly = (poly + tail_[j]) * w;
  }
  return sum + weight * (tail_[0] * 0.5 * std::log(norm) + poly.real());
}

}  // namespace

enum class Shape { kMicrostrip, kStripline, kCoax };

struct Panel {
  Point a, b, mid;
  double length = 0;
};

struct Field {
  Shape shape = Shape::kCoax;
  // Lengths are solved in units of h (b), so no square of a length typed near the ends of a
  // double overflows; `unit` is that length as typed.
  double unit = 1;
  double height = 0;  // h of the microstrip, b of the stripline, outer radius of the coax
  double inner = 0;   // inner radius of the coax
  double width = 0;
  double thickness = 0;
  double leftOut = 0;  // relative effect of a thickness solved as zero
  double k = 0;        // (er - 1)/(er + 1) of the microstrip's substrate
  double density = 1;  // panels per usual panel: above 1 only for the tests' references
  double digits = kQuadratureDigits;
  bool quarter = false;  // the thick stripline: top-bottom symmetry too
  // A pair's strip is centred at x = offset; its mirror image in x = 0, the other strip, carries
  // the same charge (even mode, sign 1) or the opposite (odd mode, sign -1). A single strip is
  // its own mirror: offset 0, sign 1.
  double offset = 0;
  double sign = 1;
  std::vector<Panel> panels;  // the fine mesh of the half (or quarter) outline
  std::vector<double> charges;
  ImageSeries series{0};
};

namespace {

int CopyCount(const Field& f) {
  return f.quarter ? 4 : 2;
}

bool IsPair(const Field& f) {
  return f.offset > 0;
}

// The charge of copy c against the panel's own: the pair's mirror takes the mode's sign.
double CopySign(const Field& f, int c) {
  return (c & 1) != 0 ? f.sign : 1;
}

// Copy c of a panel under the symmetries: c & 1 mirrors in x = 0, c & 2 in y = b/2.
Panel Copy(const Field& f, const Panel& p, int c) {
  Panel q = p;
  for (Point* point : {&q.a, &q.b, &q.mid}) {
    if (c & 1) {
      point->x = -point->x;
    }
    if (c & 2) {
      point->y = f.height - point->y;
    }
  }
  return q;
}

struct Influence {
  double vacuum = 0;
  double dielectric = 0;
};

// Of unit density on panel a-b at p, p and the panel in air above the substrate.
Influence MicrostripInfluence(const Field& f, bool dielectric, Point p, const Panel& q) {
  const double h = f.height, k = f.k;
  const double direct = -LogIntegral(p, q.a, q.b);
  Influence result{direct, direct};
  if (dielectric) {
    const bool onInterface = q.a.y == h && q.b.y == h;
    const double mirrored =
        onInterface ? -direct : LogIntegral(p, {q.a.x, 2 * h - q.a.y}, {q.b.x, 2 * h - q.b.y});
    result.dielectric += k * mirrored;
  }
  const int order = GaussOrder({p.x, -p.y}, q.a, q.b, f.digits);
  const GaussRule& rule = Gauss(order);
  const double lnTwoH = std::log(2 * h);
  for (int i = 0; i < order; ++i) {
    const Point s = Between(q.a, q.b, 0.5 * (1 + rule.node[i]));
    const double w = 0.5 * q.length * rule.weight[i];
    const double dx = p.x - s.x, sumY = p.y + s.y;
    result.vacuum += w * 0.5 * std::log(dx * dx + sumY * sumY);
    if (dielectric) {
      const double images = f.series((sumY - 2 * h) / (2 * h), dx / (2 * h));
      result.dielectric += w * ((1 - k) * lnTwoH + (1 - k * k) * images);
    }
  }
  return result;
}

// The stripline kernel less -ln r: 1/2 ln N - 1/2 ln(D / r^2), written with half-angle sines so
// that nothing cancels near the source.
double StriplineSmooth(double b, Point p, Point s) {
  const double dx = p.x - s.x, dy = p.y - s.y;
  const double c = kPi / (2 * b);
  const double sh = std::sinh(c * dx);
  const double numerator = sh * sh + std::pow(std::sin(c * (p.y + s.y)), 2);
  const double r2 = dx * dx + dy * dy;
  const double ratio = r2 > 0 ? (sh * sh + std::pow(std::sin(c * dy), 2)) / r2 : c * c;
  return 0.5 * std::log(numerator / ratio);
}

constexpr double kScreenedBeyond = 9;

double StriplineInfluence(const Field& f, Point p, const Panel& q) {
  const double b = f.height;
  // The planes screen the strip's charge as exp(-pi |dx| / b): beyond 9 b, by e^-28, it is
  // below rounding.
  const double gap = std::max(std::min(q.a.x, q.b.x) - p.x, p.x - std::max(q.a.x, q.b.x));
  if (gap > kScreenedBeyond * b) {
    return 0;
  }
  double result = -LogIntegral(p, q.a, q.b);
  const int order = std::max(GaussOrder({p.x, -p.y}, q.a, q.b, f.digits),
                             GaussOrder({p.x, 2 * b - p.y}, q.a, q.b, f.digits));
  const GaussRule& rule = Gauss(order);
  for (int i = 0; i < order; ++i) {
    const Point s = Between(q.a, q.b, 0.5 * (1 + rule.node[i]));
    result += 0.5 * q.length * rule.weight[i] * StriplineSmooth(b, p, s);
  }
  return result;
}

// Of unit density on panel a-b at p inside the substrate (0 <= y < h), the panel above it.
double SlabInfluence(const Field& f, Point p, const Panel& q) {
  const double h = f.height, k = f.k;
  double result = -LogIntegral(p, q.a, q.b);
  const int order = GaussOrder({p.x, -p.y}, q.a, q.b, f.digits);
  const GaussRule& rule = Gauss(order);
  for (int i = 0; i < order; ++i) {
    const Point s = Between(q.a, q.b, 0.5 * (1 + rule.node[i]));
    const double dx = p.x - s.x, sumY = p.y + s.y;
    const double series =
        f.series(sumY / (2 * h), dx / (2 * h)) - f.series((s.y - p.y) / (2 * h), dx / (2 * h));
    result +=
        0.5 * q.length * rule.weight[i] * (0.5 * std::log(dx * dx + sumY * sumY) - k * series);
  }
  return (1 - k) * result;
}

// --- The mesh -----------------------------------------------------------------------------

// Panels per segment, at the coarse level: within `scale` of a singular end about
// kEdgePanels, graded as distance^kGrading; within the thickness of a thick strip's corner
// kCornerPanels more, graded alike, and one per e-fold of distance beyond it; and one per
// kSpacing * scale along the rest.
constexpr double kEdgePanels = 5;
constexpr double kGrading = 2;
constexpr double kFarGrading = 3;
constexpr double kCornerPanels = 0.7;
constexpr double kSpacing = 8;
constexpr int kRefinement = 3;  // fine panels per coarse panel

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
};

// Panels within x (in units of the graded zone) of a singular end, 1 at the zone's edge: a power
// of x inside the zone, perEfold per e-fold beyond it.
double Graded(double x, double perEfold) {
  return x <= 1 ? std::pow(x, 1 / kGrading) : 1 + perEfold * std::log(x);
}

double EdgeCount(const Grid& g, double distance) {
  double count = kEdgePanels * Graded(distance / g.scale, 1 / kFarGrading);
  if (g.zone < g.scale) {
    count += kEdgePanels * Graded(std::min(distance, g.scale) / g.zone, 1 / kFarGrading);
  }
  if (g.thin > 0) {
    count += kCornerPanels * Graded(std::min(distance, g.scale) / g.thin, 1 / kCornerPanels);
  }
  return g.density * count;
}

// The number of panels from the segment's start to arc length s: increasing, so it can be
// inverted by a bracketing search to place the nodes.
double Cumulative(const Grid& g, double s) {
  double count = g.density * s / g.spacing;
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

// Appends the segment's fine panels, kRefinement to each coarse one.
void AddPanels(const Segment& seg, double scale, const Field& f, std::vector<Panel>& panels) {
  const double length = Distance(seg.to.x - seg.from.x, seg.to.y - seg.from.y);
  const Grid g{length,    std::min(scale, length), kSpacing * scale, f.thickness,
               f.density, seg.gradeFrom,           seg.gradeTo,      seg.zone};
  const double total = Cumulative(g, length);
  const int coarse = std::max(1, static_cast<int>(std::ceil(total - 1e-9)));
  const int fine = kRefinement * coarse;
  Point start = seg.from;
  for (int i = 1; i <= fine; ++i) {
    const Point end =
        i == fine ? seg.to : Between(seg.from, seg.to, ArcLengthAt(g, total * i / fine) / length);
    const Point mid = Between(seg.from, seg.to, ArcLengthAt(g, total * (i - 0.5) / fine) / length);
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

std::vector<Panel> Mesh(const Field& f) {
  const double scale = f.shape == Shape::kMicrostrip ? f.height : 0.5 * (f.height - f.thickness);
  std::vector<Panel> panels;
  for (const Segment& seg : Outline(f)) {
    AddPanels(seg, scale, f, panels);
  }
  return panels;
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

void SetThickness(Field& f, double ratio) {
  const double gap = f.shape == Shape::kMicrostrip ? 1 : 0.5 * (1 - ratio);
  const double smaller = std::min(f.width, gap);
  f.thickness = ratio < kThinnest * smaller && f.density == 1 ? 0 : ratio;
  f.leftOut = kThinAllowance * (ratio - f.thickness) / smaller;
}

// --- The solution -------------------------------------------------------------------------

bool Stopped(const std::atomic<bool>* stop) {
  return stop != nullptr && stop->load(std::memory_order_relaxed);
}

// Capacitance per unit length over 2 pi eps0: on the fine mesh, on the coarse one, and on the
// coarse one matched on average over each panel's thirds. The two coarse schemes err
// differently, so their changes from the fine mesh seldom both vanish by chance.
struct Capacitance {
  double fine = 0, coarse = 0, averaged = 0;
  std::vector<double> charges;  // fine
  bool stopped = false;
};

Capacitance Stop() {
  Capacitance none;
  none.stopped = true;
  return none;
}

// The charge density at unit potential; none when asked to stop, checked before each
// factorisation since the largest takes most of a slow solve's time after the assembly.
std::optional<Eigen::VectorXd> Density(const Eigen::MatrixXd& system,
                                       const std::atomic<bool>* stop) {
  if (Stopped(stop)) {
    return std::nullopt;
  }
  return system.partialPivLu().solve(Eigen::VectorXd::Ones(system.rows()));
}

Capacitance Solve(const Field& f, const Eigen::MatrixXd& fine, const std::atomic<bool>* stop) {
  const auto n = fine.rows();
  const auto m = n / kRefinement;
  Eigen::MatrixXd coarse(m, m), averaged(m, m);
  Eigen::VectorXd fineLength(n), coarseLength = Eigen::VectorXd::Zero(m);
  for (Eigen::Index j = 0; j < n; ++j) {
    fineLength(j) = f.panels[j].length;
    coarseLength(j / kRefinement) += f.panels[j].length;
  }
  // The coarse panel's charge is matched at the midpoint of its middle third: a row of the fine
  // system summed over the thirds of each coarse panel.
  for (Eigen::Index i = 0; i < m; ++i) {
    for (Eigen::Index j = 0; j < m; ++j) {
      const auto block = fine.block(kRefinement * i, kRefinement * j, kRefinement, kRefinement);
      coarse(i, j) = block.row(kRefinement / 2).sum();
      averaged(i, j) = block.sum() / kRefinement;
    }
  }
  const auto fineCharge = Density(fine, stop);
  const auto coarseCharge = Density(coarse, stop);
  const auto averagedCharge = Density(averaged, stop);
  if (!averagedCharge) {
    return Stop();
  }
  // A pair's mirror copy is the other strip: one strip's charge is half of what the copies hold.
  const int copies = IsPair(f) ? CopyCount(f) / 2 : CopyCount(f);
  return {copies * fineLength.dot(*fineCharge), copies * coarseLength.dot(*coarseCharge),
          copies * coarseLength.dot(*averagedCharge),
          std::vector<double>(fineCharge->begin(), fineCharge->end())};
}

struct Systems {
  Eigen::MatrixXd vacuum, dielectric;
  bool stopped = false;
};

// Column by column, so that a raised stop flag ends even the largest assembly within a column's
// time (well under a millisecond).
Systems Assemble(const Field& f, bool dielectric, const std::atomic<bool>* stop) {
  const auto n = static_cast<Eigen::Index>(f.panels.size());
  Systems s{Eigen::MatrixXd::Zero(n, n), Eigen::MatrixXd(dielectric ? n : 0, dielectric ? n : 0)};
  if (dielectric) {
    s.dielectric.setZero();
  }
  for (Eigen::Index j = 0; j < n; ++j) {
    if (Stopped(stop)) {
      s.stopped = true;
      return s;
    }
    for (int c = 0; c < CopyCount(f); ++c) {
      const Panel source = Copy(f, f.panels[j], c);
      for (Eigen::Index i = 0; i < n; ++i) {
        const Point p = f.panels[i].mid;
        const double sign = CopySign(f, c);
        if (f.shape == Shape::kStripline) {
          s.vacuum(i, j) += sign * StriplineInfluence(f, p, source);
          continue;
        }
        const Influence in = MicrostripInfluence(f, dielectric, p, source);
        s.vacuum(i, j) += sign * in.vacuum;
        if (dielectric) {
          s.dielectric(i, j) += sign * in.dielectric;
        }
      }
    }
  }
  return s;
}

double AirInfluence(const Field& f, Point p, const Panel& q) {
  const Influence in = MicrostripInfluence(f, f.k > 0, p, q);
  return f.k > 0 ? in.dielectric : in.vacuum;
}

bool Positive(double v) {
  return std::isfinite(v) && v > 0;
}

Answer Refused(std::string_view reason) {
  Answer answer;
  answer.reason = reason;
  return answer;
}

// Z0 = 1 / (c0 sqrt(C C0)) with C and C0 over 2 pi eps0, and 1 / (2 pi eps0 c0) = eta0 / 2 pi.
double Impedance(double c, double c0) {
  return kEta0 / (2 * kPi * std::sqrt(c * c0));
}

// The figure from the two meshes: the fine one extrapolated, as the error falls about as the
// square of the panel size, and the larger change from either coarse scheme as the estimate
// (several times the error left in the extrapolated figure).
void Report(const Capacitance& filled, const Capacitance& vacuum, Answer& answer) {
  constexpr double kGain = kRefinement * kRefinement - 1;
  const double fine = Impedance(filled.fine, vacuum.fine);
  const double coarse = Impedance(filled.coarse, vacuum.coarse);
  const double averaged = Impedance(filled.averaged, vacuum.averaged);
  answer.impedance = fine + (fine - coarse) / kGain;
  const double fineRatio = filled.fine / vacuum.fine, coarseRatio = filled.coarse / vacuum.coarse;
  answer.permittivity *= fineRatio + (fineRatio - coarseRatio) / kGain;
  answer.estimate =
      std::max({std::fabs(fine - coarse), std::fabs(fine - averaged), kQuadratureError * fine}) /
      answer.impedance;
}

Answer Finish(std::shared_ptr<Field> field, double er, const std::atomic<bool>* stop) {
  const bool dielectric = field->shape == Shape::kMicrostrip && field->k > 0;
  field->panels = Mesh(*field);
  const Systems systems = Assemble(*field, dielectric, stop);
  const Capacitance vacuum = systems.stopped ? Stop() : Solve(*field, systems.vacuum, stop);
  if (vacuum.stopped) {
    return Refused(kStopped);
  }
  Answer answer;
  // A homogeneous dielectric scales C by er: Z0 by 1/sqrt(er), the permittivity is er.
  answer.permittivity = dielectric ? 1 : er;
  if (dielectric) {
    const Capacitance filled = Solve(*field, systems.dielectric, stop);
    if (filled.stopped) {
      return Refused(kStopped);
    }
    Report(filled, vacuum, answer);
    field->charges = filled.charges;
  } else {
    Report(vacuum, vacuum, answer);
    answer.impedance /= std::sqrt(er);
    field->charges = vacuum.charges;
  }
  answer.estimate += field->leftOut;
  answer.field = std::move(field);
  return answer;
}

// --- Checks of the input ------------------------------------------------------------------

// The ratios over which the mesh and the series are known to meet the stated accuracy and time;
// the microstrip's copper may stand twice the core's height (70 um on a 50 um core).
constexpr double kMinWidthRatio = 0.01;
constexpr double kMaxWidthRatio = 100;
constexpr double kMaxMicrostripThickness = 2;
constexpr double kMaxStriplineThickness = 0.8;
constexpr double kMaxPermittivity = 1000;

std::string StripCheck(double w, double h, double t, double er, Shape shape) {
  const bool microstrip = shape == Shape::kMicrostrip;
  if (!Positive(w)) {
    return std::string(messages::kWidth);
  }
  if (!Positive(h)) {
    return std::string(messages::kHeight);
  }
  if (!std::isfinite(t) || t < 0) {
    return "Thickness must not be negative.";
  }
  if (!microstrip && t >= h) {
    return std::string(messages::kThicknessNotSmaller);
  }
  if (!Positive(er)) {
    return std::string(messages::kPermittivity);
  }
  if (er < 1) {
    return "Dielectric constant must be at least 1 for the field solver.";
  }
  if (er > kMaxPermittivity) {
    return "Dielectric constant must not exceed 1000 for the field solver.";
  }
  const std::string ratio = microstrip ? "h" : "b";
  if (!(w / h >= kMinWidthRatio && w / h <= kMaxWidthRatio)) {
    return "W/" + ratio + " must lie between 0.01 and 100 for the field solver.";
  }
  if (t / h > (microstrip ? kMaxMicrostripThickness : kMaxStriplineThickness)) {
    return "t/" + ratio + " must not exceed " + (microstrip ? "2" : "0.8") +
           " for the field solver.";
  }
  return {};
}

// Where a pair's strip lies (its centre, in units of the height) and the charge of its mirror,
// the other strip, for the mode solved; a single strip is its own mirror.
struct Mirror {
  double offset = 0;
  double sign = 1;
};

// The strip of either page, with `density` times the usual panels and quadrature to `digits`.
Answer SolveStrip(Shape shape, double width, double height, double thickness, double er,
                  const std::atomic<bool>* stop, double density, double digits,
                  Mirror mirror = {}) {
  if (std::string reason = StripCheck(width, height, thickness, er, shape); !reason.empty()) {
    return Refused(reason);
  }
  auto field = std::make_shared<Field>();
  field->shape = shape;
  field->unit = height;
  field->height = 1;
  field->width = width / height;
  field->density = density;
  field->digits = digits;
  field->offset = mirror.offset;
  field->sign = mirror.sign;
  SetThickness(*field, thickness / height);
  if (shape == Shape::kMicrostrip) {
    field->k = (er - 1) / (er + 1);
    field->series = ImageSeries(field->k);
  } else {
    field->quarter = field->thickness > 0;
  }
  return Finish(std::move(field), er, stop);
}

}  // namespace

Answer SolveMicrostrip(double width, double height, double thickness, double permittivity,
                       const std::atomic<bool>* stop) {
  return SolveStrip(Shape::kMicrostrip, width, height, thickness, permittivity, stop, 1,
                    kQuadratureDigits);
}

Answer SolveStripline(double width, double spacing, double thickness, double permittivity,
                      const std::atomic<bool>* stop) {
  return SolveStrip(Shape::kStripline, width, spacing, thickness, permittivity, stop, 1,
                    kQuadratureDigits);
}

namespace {

// The ratios over which a pair is solved as one: closer than the least spacing the gap's panels
// would outnumber the rest; farther apart than the greatest each mode is the single line's to
// within its own error.
constexpr double kMinSpacingRatio = 0.01;
constexpr double kMaxSpacingRatio = 100;

std::string SpacingCheck(double spacing, double height, const std::string& heightName) {
  if (!Positive(spacing)) {
    return "Spacing must be greater than zero.";
  }
  if (!(spacing / height >= kMinSpacingRatio)) {
    return "s/" + heightName + " must be at least 0.01 for the field solver.";
  }
  return {};
}

// Both modes of the pair, each one strip with its mirror; past the greatest spacing the single
// line's figures for both.
PairAnswer SolvePair(Shape shape, double width, double spacing, double height, double thickness,
                     double permittivity, const std::atomic<bool>* stop) {
  PairAnswer pair;
  pair.reason = StripCheck(width, height, thickness, permittivity, shape);
  if (pair.reason.empty()) {
    pair.reason = SpacingCheck(spacing, height, shape == Shape::kMicrostrip ? "h" : "b");
  }
  if (!pair.reason.empty()) {
    pair.even = pair.odd = Refused(pair.reason);
    return pair;
  }
  const auto mode = [&](double sign) {
    const Mirror mirror{spacing / height > kMaxSpacingRatio ? 0 : 0.5 * (spacing + width) / height,
                        sign};
    return SolveStrip(shape, width, height, thickness, permittivity, stop, 1, kQuadratureDigits,
                      mirror);
  };
  pair.uncoupled = spacing / height > kMaxSpacingRatio;
  pair.even = mode(1);
  pair.odd = pair.uncoupled ? pair.even : mode(-1);
  pair.reason = !pair.even.reason.empty() ? pair.even.reason : pair.odd.reason;
  return pair;
}

}  // namespace

PairAnswer SolveMicrostripPair(double width, double spacing, double height, double thickness,
                               double permittivity, const std::atomic<bool>* stop) {
  return SolvePair(Shape::kMicrostrip, width, spacing, height, thickness, permittivity, stop);
}

PairAnswer SolveStriplinePair(double width, double spacing, double planeSpacing, double thickness,
                              double permittivity, const std::atomic<bool>* stop) {
  return SolvePair(Shape::kStripline, width, spacing, planeSpacing, thickness, permittivity, stop);
}

// The tests' references, not for the program (declared by tools/field_reference alone): the
// same solve on `density` times the panels, with quadrature to about 1e-16 and every thickness
// solved as it is.
namespace reference {
Answer SolveRefined(bool microstrip, double width, double height, double thickness,
                    double permittivity, double density) {
  constexpr double kDigits = 18.5;  // ln(1e16) / 2
  return SolveStrip(microstrip ? Shape::kMicrostrip : Shape::kStripline, width, height, thickness,
                    permittivity, nullptr, density, kDigits);
}
}  // namespace reference

Answer SolveCoax(double innerDiameter, double outerDiameter, double permittivity) {
  if (!Positive(innerDiameter)) {
    return Refused(messages::kInnerDiameter);
  }
  if (!Positive(outerDiameter)) {
    return Refused(messages::kOuterDiameter);
  }
  if (innerDiameter >= outerDiameter) {
    return Refused(messages::kInnerNotSmaller);
  }
  if (!std::isfinite(outerDiameter / innerDiameter)) {
    return Refused("D/d is too large for the field solver.");
  }
  if (!Positive(permittivity)) {
    return Refused(messages::kPermittivity);
  }
  if (permittivity < 1) {
    return Refused("Dielectric constant must be at least 1 for the field solver.");
  }
  auto field = std::make_shared<Field>();
  field->inner = 0.5 * innerDiameter;
  field->height = 0.5 * outerDiameter;
  Answer answer;
  answer.impedance =
      kEta0 / (2 * kPi * std::sqrt(permittivity)) * std::log(outerDiameter / innerDiameter);
  answer.permittivity = permittivity;
  answer.field = std::move(field);
  return answer;
}

double Potential(const Answer& answer, double x, double y) {
  const Field* f = answer.field.get();
  if (f == nullptr || !answer.reason.empty()) {
    return 0;
  }
  if (f->shape == Shape::kCoax) {
    const double r = std::hypot(x, y);
    return r <= f->inner    ? 1
           : r >= f->height ? 0
                            : std::log(f->height / r) / std::log(f->height / f->inner);
  }
  x /= f->unit;
  y /= f->unit;
  // Farther off than a double's range of heights the field has fallen to nothing.
  constexpr double kFarthest = 1e150;
  if (!(std::fabs(x) < kFarthest && std::fabs(y) < kFarthest)) {
    return 0;
  }
  if (y <= 0 || (f->shape == Shape::kStripline && y >= f->height)) {
    return 0;
  }
  const Point p{x, y};
  const bool inSlab = f->shape == Shape::kMicrostrip && y < f->height;
  double sum = 0;
  for (std::size_t j = 0; j < f->panels.size(); ++j) {
    for (int c = 0; c < CopyCount(*f); ++c) {
      const Panel q = Copy(*f, f->panels[j], c);
      const double influence = f->shape == Shape::kStripline ? StriplineInfluence(*f, p, q)
                               : inSlab                      ? SlabInfluence(*f, p, q)
                                                             : AirInfluence(*f, p, q);
      sum += CopySign(*f, c) * f->charges[j] * influence;
    }
  }
  return sum;
}

}  // namespace mq::field_solver
