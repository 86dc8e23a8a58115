// SPDX-License-Identifier: MIT
// second_route: the field solver's second route, an independent finite-volume solution of
// Laplace's equation for microstrip, stripline, coplanar waveguide and the broadside pair, run by
// hand to make the reference figures of tests/field_solver_test.cpp, tests/cross_check_test.cpp
// and tests/cross_section_test.cpp. It shares no code with solver/. Not part of the test suite.
//
// Usage:
//   second_route microstrip W h t er [options]   strip W x t on a substrate h thick, open above
//   second_route stripline W b t er [options]    strip W x t centred between planes b apart
//   second_route cpw W g h t er [options]        strip W x t between side grounds g away, each
//                                                on a substrate h thick in air (no plane)
//   second_route broadside W b t er --spacing s  two strips W x t one over the other, s apart
//                                                face to face, centred between planes b apart
// Options:
//   --spacing s    an edge-coupled pair, s between the inner edges, or the broadside pair's
//                  spacing: even and odd modes
//   --grounded     (cpw) a ground plane under the substrate, at the side grounds' potential
//   --ground-width gw  (cpw) side grounds gw wide (default: reaching the far wall)
//   --top-width wt (single microstrip or stripline with copper) a trapezoidal strip, its upper
//                  face wt wide and its lower one W, the sides leaning at most 45 degrees
//   --cover c      (microstrip) a planar cover c thick over the strip's upper face, the strip
//                  embedded in it: a layer t + c thick over the substrate
//   --cover-er e   the cover's permittivity (default: the substrate's)
//   --offset h1    (stripline) the strip off-centre, its lower face h1 over the lower plane and
//                  its upper face h2 = b - h1 - t under the upper one: no up-down symmetry
//   --above-er e   (offset stripline) the permittivity from the strip's lower face up to the
//                  upper plane (default: er, which then fills only the layer below it)
//   --mask-substrate c1, --mask-strip c2, --mask-er e
//                  (microstrip, single or pair with s > 2 c2) a solder mask c1 thick on the
//                  bare substrate and c2 over the strips' upper faces and sides, of
//                  permittivity e (default 3.5)
//   --cells N      cells across the half strip on the finest grid (default 256)
//   --levels L     grids solved, each with half the cells of the next (default 5)
//   --grading q    power of the grading toward the strip's edges and corners (default 4)
//   --box R        the microstrip's and cpw's far walls at R h (default 1e5)
//   --walls open   the far walls insulating (dV/dn = 0) instead of grounded
// Example: nice build/bin/second_route microstrip 1.9 1 0.2 4.3
//          nice build/bin/second_route stripline 0.5 0.95 0.05 4.3 --offset 0.3 --above-er 3.5
//          nice build/bin/second_route cpw 1 0.3 1 0.05 4.3 --grounded --spacing 0.5
//
// Each run prints, for every grid, C/eps0 and C0/eps0 (the whole line's), Z0 and eeff; then the
// extrapolations (R1 rows from three grids, R2 from three R1 rows), and last the figure with its
// error estimate. The tests' figures are the R2 rows of the default run (grids of 16 to 256
// cells across the half strip), 4 to 75 s each on one core (a pair twice that).
//
// Method: the five-point finite-volume scheme on a tensor-product grid, node-centred, with the
// permittivity taken per cell; on such a grid it is the Galerkin method with linear triangles.
// The capacitance is the energy of the discrete potential, so it bounds the exact one from above
// (Dirichlet's principle) and falls as the grid is refined. Left-right symmetry halves the
// domain (up-down symmetry halves the centred stripline's again); the strip's nodes are held at
// 1 V, ground at 0 V, and a zero-thickness strip (or side ground) is a line of nodes. A pair's
// half holds one strip, with dV/dn = 0 (even mode) or V = 0 (odd mode) on the centre line, and
// each mode's Z0 is that of one strip; the broadside pair's quarter holds one strip, with dV/dn =
// 0 or V = 0 on the plane halfway between the strips. Conductors and dielectrics are rectangles
// whose sides are breakpoints of the grid, so each cell has one permittivity.
//
// Trapezoid: the grid is mapped, x to x + shift(y) share(x), the shift falling linearly across
// the strip's thickness from 0 to -(W - wt) / 2 and staying there above it, the share x / (W/2)
// over the strip and 1 beyond it, so the column of the strip's edge becomes its sloped side
// exactly. Every cell stays a rectangle but those beside the side within the strip's thickness,
// which become parallelograms (and those inside the strip, all at its potential, trapezoids that
// carry no energy); each parallelogram is cut along its shorter diagonal into two linear triangles
// (each edge weighing half the cotangent of the angle facing it), so the scheme is still the
// Galerkin method with linear elements, the capacitance still an upper bound, and the map,
// smooth but for kinks along grid lines, keeps the grids nested and the error's expansion in
// the cell size: the orders observed are 2 and then about 3.7, as for the rectangle. A staircase
// would not converge at that rate. The lean of each cell is formed from its own height, so the
// tiny cells at the corners keep their precision. The trapezoidal stripline is solved over the
// whole height, as the offset stripline is.
//
// Grid: the axes are cut at the strip's edges and faces (and the substrate's top), and each
// segment is a smooth power-law map of a uniform parameter, x ~ s^q toward every edge and corner
// where the charge is singular (q = 4, steep enough that the corners' share of the error falls
// as the fourth power of the cell size), and past the strip, s^q turning geometric out to the
// far walls: R h from the centre for the microstrip and cpw (1e5 h by default; the cpw without
// a plane also R h below the substrate, its air graded toward the substrate), 10 b past the
// stripline's strip, where its field has fallen by e^(-10 pi). Each segment has cells in
// proportion to its length, from half to twice the count across the half strip (the far ones
// one and a half times); each grid has half the cells of the next, so the grids are nested.
// The tiny cells at a corner (down to 3e-11 of the half strip) are measured from the corner,
// not from the origin, the matrix's diagonal is summed in long double, and the LDL^T solution
// is refined with residuals summed edge by edge until it stops moving; at q = 4 the refinement
// moves the capacitance by about 1e-12, so round-off stays out of the figures. A steeper
// grading loses the factorization to round-off; the tool says so when that happens.
//
// Box: grounded far walls overestimate the capacitance and insulating ones (--walls open)
// underestimate it, so the exact open line lies between the two runs; at 1e5 h they differ by
// less than 3e-10 of C or C0, falling as the square of the box (a dipole's field).
//
// Extrapolation: C and C0 separately, in the cell size, Richardson with the order observed on
// three successive grids (about 2), then again on three such figures (about 4); Z0 =
// 1 / (c0 sqrt(C C0)) and eeff = C / C0 follow from the extrapolated pair.
//
// Linear algebra: Eigen's sparse LDL^T (SimplicialLDLT with its AMD ordering); the symbolic
// analysis is shared by the solves with and without the substrate.
#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "published/exact_constants.h"

namespace {

using mq::exact::kEta0;

// ---------------------------------------------------------------------------------------------
// The grid: each axis a chain of segments between the strip's edges, each mapped from a
// uniform parameter s in [0, 1] so that refining halves every cell.

enum class Grading {
  kTowardEnd,    // fine at the end; smooth across its start (a plane of symmetry or ground)
  kTowardStart,  // fine at the start; smooth across its end
  kTowardBoth,   // fine at both ends
  kOutward,      // fine at the start, then geometric out to a far wall
  kInward,       // kOutward mirrored: from a far wall in to fine at the end
};

struct Segment {
  double length;
  int eighths;  // cells per eight cells across the half strip
  Grading grading;
  double innerScale = 0;  // kOutward: the length over which it turns from power to geometric
};

// The fractions of a segment before s and after it, each computed directly, so that the tiny
// cells next to a corner keep their full precision however far they lie from the origin.
struct Split {
  double before, after;
};

// s^q / (s^q + (1 - s)^q): every derivative below the q-th vanishes at both ends.
Split GradedBothEnds(double s, double power) {
  const double rising = std::pow(s, power);
  const double falling = std::pow(1 - s, power);
  return {rising / (rising + falling), falling / (rising + falling)};
}

// The upper half of GradedBothEnds, which is odd about its middle, so the grid mirrored about
// s = 0 is as smooth there as anywhere else.
Split GradedTowardEnd(double s, double power) {
  const Split upper = GradedBothEnds(0.5 + 0.5 * s, power);
  return {upper.before - upper.after, 2 * upper.after};
}

// innerScale (e^(beta s) - 1)^q: s^q near the corner, geometric further out.
Split GradedOutward(double s, double power, const Segment& segment) {
  const double stretch = std::log1p(std::pow(segment.length / segment.innerScale, 1 / power));
  const double before = std::pow(std::expm1(stretch * s) / std::expm1(stretch), power);
  return {before, 1 - before};
}

Split MapSegment(double s, double power, const Segment& segment) {
  switch (segment.grading) {
    case Grading::kTowardEnd:
      return GradedTowardEnd(s, power);
    case Grading::kTowardStart: {
      const Split mirrored = GradedTowardEnd(1 - s, power);
      return {mirrored.after, mirrored.before};
    }
    case Grading::kTowardBoth:
      return GradedBothEnds(s, power);
    case Grading::kOutward:
      return GradedOutward(s, power, segment);
    case Grading::kInward: {
      const Split mirrored = GradedOutward(1 - s, power, segment);
      return {mirrored.after, mirrored.before};
    }
  }
  return {s, 1 - s};
}

// The width of the cell from s0 to s1, measured from the nearer end of the segment.
double CellWidth(double s0, double s1, double power, const Segment& segment) {
  const Split first = MapSegment(s0, power, segment);
  const Split last = MapSegment(s1, power, segment);
  if (s1 <= 0.5) {
    return segment.length * (last.before - first.before);
  }
  if (s0 >= 0.5) {
    return segment.length * (first.after - last.after);
  }
  return segment.length * (1 - first.before - last.after);
}

int CellsOf(const Segment& segment, int cellsAcrossHalfStrip) {
  return cellsAcrossHalfStrip * segment.eighths / 8;
}

// Only the widths of the cells enter the finite-volume scheme, not where the nodes lie.
struct Axis {
  std::vector<double> widths;
  std::vector<int> breakpoints;  // node index where each segment starts, and the last node
  int nodes() const { return int(widths.size()) + 1; }
};

Axis MakeAxis(const std::vector<Segment>& segments, int cellsAcrossHalfStrip, double power) {
  Axis axis{{}, {0}};
  for (const Segment& segment : segments) {
    const int cells = CellsOf(segment, cellsAcrossHalfStrip);
    for (int k = 0; k < cells; ++k) {
      axis.widths.push_back(CellWidth(double(k) / cells, double(k + 1) / cells, power, segment));
    }
    axis.breakpoints.push_back(int(axis.widths.size()));
  }
  return axis;
}

// ---------------------------------------------------------------------------------------------
// The structure in its half (or quarter) domain: x from the plane of symmetry, y from the lowest
// wall or plane. Conductors and dielectrics are blocks between breakpoints of the two axes.

struct Block {
  int firstX = 0, lastX = 0, firstY = 0, lastY = 0;  // breakpoints
};

enum class NodeState : signed char { kFree, kGround, kStrip, kOpposite };
using enum NodeState;

struct Conductor {
  Block block;  // nodes on its bounds included
  NodeState state = kStrip;
};

struct Dielectric {
  Block block;  // cells inside it
  double permittivity = 1;
};

// A trapezoidal strip's side, leaning from its lower face's edge to its upper face's: the grid's
// x is mapped to x + shift(y) share(x), shift falling linearly from 0 at the lower face to
// -run at the upper one and staying there above it, share x / (half the lower face) across the
// strip and 1 beyond. The strip's edge column becomes its side, the cells beside it in its
// thickness parallelograms and every other cell stays a rectangle.
struct Slant {
  int edgeX = 0, firstY = 0, lastY = 0;  // breakpoints: the lower face's edge, the faces
  double run = 0;                        // half the lower face less half the upper
};

struct Structure {
  std::vector<Segment> x, y;
  std::vector<Conductor> conductors;
  std::vector<Dielectric> dielectrics;  // later ones over earlier ones
  double permittivity = 1;              // where there are no dielectrics: the filling's
  std::optional<Slant> slant;
  bool centreLineGrounded = false;  // the odd mode of a pair
  bool farWallsGrounded = true;
  bool bottomIsGround = true;  // false: a far wall (the coplanar waveguide without a plane)
  bool topIsFarWall = true;    // false: the stripline's plane of symmetry or upper plane
  bool topGrounded = false;    // the offset stripline's upper plane, the broadside odd mode
  double copies = 2;           // how many of the domain make up the whole line
};

double Volts(NodeState state) {
  return state == kStrip ? 1.0 : state == kOpposite ? -1.0 : 0.0;
}

struct Grid {
  Axis x, y;
  std::vector<NodeState> state;  // node i + columns() * j
  // The slant's map: each row's shift and each column's share of it (empty: no slant), with the
  // shift's change across each cell row, which is the cells' lean.
  std::vector<double> shift, share, lean;
  int edgeColumn = 0;
  double halfFace = 1;  // half the lower face
  int columns() const { return x.nodes(); }
  int rows() const { return y.nodes(); }
};

NodeState StateOf(const Structure& structure, const Grid& grid, int i, int j) {
  const std::vector<int>& bx = grid.x.breakpoints;
  const std::vector<int>& by = grid.y.breakpoints;
  for (const Conductor& c : structure.conductors) {
    if (i >= bx[size_t(c.block.firstX)] && i <= bx[size_t(c.block.lastX)] &&
        j >= by[size_t(c.block.firstY)] && j <= by[size_t(c.block.lastY)]) {
      return c.state;
    }
  }
  const bool farWall = i == grid.columns() - 1 ||
                       (structure.topIsFarWall && j == grid.rows() - 1) ||
                       (!structure.bottomIsGround && j == 0);
  if ((j == 0 && structure.bottomIsGround) || (structure.topGrounded && j == grid.rows() - 1) ||
      (i == 0 && structure.centreLineGrounded) || (farWall && structure.farWallsGrounded)) {
    return kGround;
  }
  return kFree;
}

// The slant's shift at each row and share at each column, each cell row's lean summed from its
// own height so that the tiny rows at the strip's corners keep their precision.
void MapSlant(const Slant& slant, const std::vector<double>& halfStrip, Grid& grid) {
  const std::vector<double>& dy = grid.y.widths;
  const int first = grid.y.breakpoints[size_t(slant.firstY)];
  const int last = grid.y.breakpoints[size_t(slant.lastY)];
  double thickness = 0;
  for (int j = first; j < last; ++j) {
    thickness += dy[size_t(j)];
  }
  grid.lean.assign(dy.size(), 0.0);
  grid.shift.assign(size_t(grid.rows()), 0.0);
  double below = 0;
  for (int j = first; j < last; ++j) {
    grid.lean[size_t(j)] = -slant.run * dy[size_t(j)] / thickness;
    below += dy[size_t(j)];
    grid.shift[size_t(j + 1)] = j + 1 == last ? -slant.run : -slant.run * below / thickness;
  }
  for (size_t j = size_t(last) + 1; j < grid.shift.size(); ++j) {
    grid.shift[j] = -slant.run;
  }
  grid.edgeColumn = grid.x.breakpoints[size_t(slant.edgeX)];
  double across = 0;
  for (int i = 0; i < grid.edgeColumn; ++i) {
    across += halfStrip[size_t(i)];
  }
  grid.halfFace = across;
  grid.share.assign(size_t(grid.columns()), 1.0);
  double x = 0;
  for (int i = 0; i < grid.edgeColumn; ++i) {
    grid.share[size_t(i)] = x / across;
    x += halfStrip[size_t(i)];
  }
}

Grid MakeGrid(const Structure& structure, int cellsAcrossHalfStrip, double power) {
  Grid grid{MakeAxis(structure.x, cellsAcrossHalfStrip, power),
            MakeAxis(structure.y, cellsAcrossHalfStrip, power),
            {},
            {},
            {},
            {},
            0,
            1};
  grid.state.reserve(size_t(grid.columns()) * size_t(grid.rows()));
  for (int j = 0; j < grid.rows(); ++j) {
    for (int i = 0; i < grid.columns(); ++i) {
      grid.state.push_back(StateOf(structure, grid, i, j));
    }
  }
  if (structure.slant) {
    MapSlant(*structure.slant, grid.x.widths, grid);
  }
  return grid;
}

// The relative permittivity of each cell, i + (columns - 1) j, with the dielectrics or in
// vacuum.
std::vector<double> CellPermittivity(const Structure& structure, const Grid& grid, bool filled) {
  const int cellColumns = grid.columns() - 1, cellRows = grid.rows() - 1;
  std::vector<double> cells(size_t(cellColumns) * size_t(cellRows), 1.0);
  if (!filled) {
    return cells;
  }
  const std::vector<int>& bx = grid.x.breakpoints;
  const std::vector<int>& by = grid.y.breakpoints;
  for (const Dielectric& d : structure.dielectrics) {
    for (int j = by[size_t(d.block.firstY)]; j < by[size_t(d.block.lastY)]; ++j) {
      for (int i = bx[size_t(d.block.firstX)]; i < bx[size_t(d.block.lastX)]; ++i) {
        cells[size_t(i + cellColumns * j)] = d.permittivity;
      }
    }
  }
  return cells;
}

struct Vector {
  double x, y;
};

// Linear triangles: each edge of a triangle weighs half the cotangent of the angle facing it.
template <typename Visit>
void VisitTriangle(const Vector (&at)[3], const int (&node)[3], double permittivity, Visit& visit) {
  for (int k = 0; k < 3; ++k) {
    const Vector& a = at[k];
    const Vector& b = at[(k + 1) % 3];
    const Vector& c = at[(k + 2) % 3];
    const Vector u{b.x - a.x, b.y - a.y}, v{c.x - a.x, c.y - a.y};
    const double cross = std::fabs(u.x * v.y - u.y * v.x);
    visit(node[(k + 1) % 3], node[(k + 2) % 3],
          permittivity * (u.x * v.x + u.y * v.y) / (2 * cross));
  }
}

// Calls visit(a, b, weight) for every edge of every cell between nodes a and b: the flux through
// the cell's share of the dual face per volt across the edge. A rectangle gives the five-point
// scheme; a slanted cell is cut along its shorter diagonal into two linear triangles.
template <typename Visit>
void ForEachEdge(const Grid& grid, const std::vector<double>& permittivity, Visit visit) {
  const std::vector<double>& dx = grid.x.widths;
  const std::vector<double>& dy = grid.y.widths;
  const int nx = grid.columns();
  const bool slanted = !grid.shift.empty();
  for (int j = 0; j + 1 < grid.rows(); ++j) {
    for (int i = 0; i + 1 < nx; ++i) {
      const double e = permittivity[size_t(i + (nx - 1) * j)];
      const int n00 = i + nx * j, n10 = n00 + 1, n01 = n00 + nx, n11 = n01 + 1;
      const double h = dy[size_t(j)];
      if (!slanted) {
        visit(n00, n10, e * h / (2 * dx[size_t(i)]));
        visit(n01, n11, e * h / (2 * dx[size_t(i)]));
        visit(n00, n01, e * dx[size_t(i)] / (2 * h));
        visit(n10, n11, e * dx[size_t(i)] / (2 * h));
        continue;
      }
      const bool inside = i < grid.edgeColumn;
      const double lower = dx[size_t(i)] * (inside ? 1 + grid.shift[size_t(j)] / grid.halfFace : 1);
      const double upper =
          dx[size_t(i)] * (inside ? 1 + grid.shift[size_t(j + 1)] / grid.halfFace : 1);
      const double lean = grid.lean[size_t(j)];
      if (lean == 0) {
        visit(n00, n10, e * h / (2 * lower));
        visit(n01, n11, e * h / (2 * lower));
        visit(n00, n01, e * lower / (2 * h));
        visit(n10, n11, e * lower / (2 * h));
        continue;
      }
      const Vector p00{0, 0}, p10{lower, 0}, p01{lean * grid.share[size_t(i)], h};
      const Vector p11{p01.x + upper, h};
      if (lean < 0) {
        VisitTriangle({p00, p10, p11}, {n00, n10, n11}, e, visit);
        VisitTriangle({p00, p11, p01}, {n00, n11, n01}, e, visit);
      } else {
        VisitTriangle({p00, p10, p01}, {n00, n10, n01}, e, visit);
        VisitTriangle({p10, p11, p01}, {n10, n11, n01}, e, visit);
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// One solve: the potential of the free nodes, then the energy.

using SparseMatrix = Eigen::SparseMatrix<double>;
using Solver = Eigen::SimplicialLDLT<SparseMatrix>;

struct System {
  SparseMatrix matrix;  // lower triangle
  Eigen::VectorXd load;
};

std::vector<int> NumberFreeNodes(const Grid& grid, int& count) {
  std::vector<int> number(grid.state.size(), -1);
  count = 0;
  for (size_t n = 0; n < grid.state.size(); ++n) {
    if (grid.state[n] == kFree) {
      number[n] = count++;
    }
  }
  return number;
}

// The diagonal summed in long double and rounded once, so that a cell thousands of times wider
// than it is high loses as little as can be of its weaker coupling.
System Assemble(const Grid& grid, const std::vector<int>& number, int unknowns,
                const std::vector<double>& permittivity) {
  std::vector<Eigen::Triplet<double>> entries;
  entries.reserve(size_t(unknowns) * 8);
  std::vector<long double> diagonal(size_t(unknowns), 0.0L);
  System system{SparseMatrix(unknowns, unknowns), Eigen::VectorXd::Zero(unknowns)};
  ForEachEdge(grid, permittivity, [&](int a, int b, double weight) {
    const int ua = number[size_t(a)];
    const int ub = number[size_t(b)];
    if (ua >= 0) {
      diagonal[size_t(ua)] += weight;
      system.load[ua] += ub < 0 ? weight * Volts(grid.state[size_t(b)]) : 0;
    }
    if (ub >= 0) {
      diagonal[size_t(ub)] += weight;
      system.load[ub] += ua < 0 ? weight * Volts(grid.state[size_t(a)]) : 0;
    }
    if (ua >= 0 && ub >= 0) {
      entries.emplace_back(std::max(ua, ub), std::min(ua, ub), -weight);
    }
  });
  for (int u = 0; u < unknowns; ++u) {
    entries.emplace_back(u, u, double(diagonal[size_t(u)]));
  }
  system.matrix.setFromTriplets(entries.begin(), entries.end());
  return system;
}

std::vector<double> NodePotentials(const Grid& grid) {
  std::vector<double> potential(grid.state.size());
  for (size_t n = 0; n < grid.state.size(); ++n) {
    potential[n] = Volts(grid.state[n]);
  }
  return potential;
}

// The charge left on each free node, summed edge by edge from the potential differences: no
// large diagonal cancels against its neighbours, so it stays accurate where the matrix is not.
Eigen::VectorXd Residual(const Grid& grid, const std::vector<int>& number, int unknowns,
                         const std::vector<double>& permittivity,
                         const std::vector<double>& potential) {
  std::vector<long double> charge(size_t(unknowns), 0.0L);
  ForEachEdge(grid, permittivity, [&](int a, int b, double weight) {
    const long double flow = weight * (potential[size_t(b)] - potential[size_t(a)]);
    if (number[size_t(a)] >= 0) {
      charge[size_t(number[size_t(a)])] += flow;
    }
    if (number[size_t(b)] >= 0) {
      charge[size_t(number[size_t(b)])] -= flow;
    }
  });
  Eigen::VectorXd residual(unknowns);
  for (int u = 0; u < unknowns; ++u) {
    residual[u] = double(charge[size_t(u)]);
  }
  return residual;
}

// Iterative refinement: each correction solved with the same factors, until it no longer
// moves the potential.
void SolvePotential(const Grid& grid, const std::vector<int>& number, int unknowns,
                    const std::vector<double>& permittivity, const Solver& solver,
                    std::vector<double>& potential) {
  for (int round = 0; round < 10; ++round) {
    const Eigen::VectorXd correction =
        solver.solve(Residual(grid, number, unknowns, permittivity, potential));
    for (size_t n = 0; n < potential.size(); ++n) {
      potential[n] += number[n] >= 0 ? correction[number[n]] : 0;
    }
    if (correction.lpNorm<Eigen::Infinity>() < 1e-15) {
      return;
    }
  }
  std::cerr << "second_route: the refinement did not settle; the grading is too steep for "
               "double precision\n";
}

// Twice the energy at 1 V, per eps0 and for the whole line: C / eps0.
double Capacitance(const Structure& structure, const Grid& grid, Solver& solver, bool filled) {
  int unknowns = 0;
  const std::vector<int> number = NumberFreeNodes(grid, unknowns);
  const std::vector<double> permittivity = CellPermittivity(structure, grid, filled);
  const System system = Assemble(grid, number, unknowns, permittivity);
  if (solver.rows() != unknowns) {
    solver.analyzePattern(system.matrix);
  }
  solver.factorize(system.matrix);
  if (solver.info() != Eigen::Success) {
    std::cerr << "second_route: the factorization failed\n";
    std::exit(1);
  }
  std::vector<double> potential = NodePotentials(grid);
  SolvePotential(grid, number, unknowns, permittivity, solver, potential);
  long double energy = 0;
  ForEachEdge(grid, permittivity, [&](int a, int b, double weight) {
    const double drop = potential[size_t(a)] - potential[size_t(b)];
    energy += weight * drop * drop;
  });
  return structure.copies * double(energy);
}

struct Level {
  int cells = 0;
  int unknowns = 0;
  double withSubstrate = 0;  // C / eps0
  double inAir = 0;          // C0 / eps0
  double seconds = 0;
};

Level SolveLevel(const Structure& structure, int cells, double power) {
  const auto start = std::chrono::steady_clock::now();
  const Grid grid = MakeGrid(structure, cells, power);
  Level level{cells, int(std::count(grid.state.begin(), grid.state.end(), kFree))};
  Solver solver;
  level.inAir = Capacitance(structure, grid, solver, false);
  const bool layered = std::any_of(structure.dielectrics.begin(), structure.dielectrics.end(),
                                   [](const Dielectric& d) { return d.permittivity != 1; });
  level.withSubstrate =
      layered ? Capacitance(structure, grid, solver, true) : structure.permittivity * level.inAir;
  level.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return level;
}

// ---------------------------------------------------------------------------------------------
// Extrapolation in the cell size and the report.

struct Extrapolated {
  double value;
  double order;
};

// Richardson from three grids, each with half the cells of the next, at the order they show.
Extrapolated Richardson(double coarse, double middle, double fine) {
  const double order = std::log2((coarse - middle) / (middle - fine));
  return {fine + (fine - middle) / (std::exp2(order) - 1), order};
}

double Impedance(double withSubstrate, double inAir) {
  return kEta0 / std::sqrt(withSubstrate * inAir);
}

void PrintHeader() {
  std::printf("%6s %9s %16s %16s %14s %12s %7s %7s %8s\n", "cells", "unknowns", "C/eps0", "C0/eps0",
              "Z0 (ohm)", "eeff", "p(C)", "p(C0)", "seconds");
}

void PrintLevel(const Level& level) {
  std::printf("%6d %9d %16.12f %16.12f %#14.8g %#12.8g %7s %7s %8.2f\n", level.cells,
              level.unknowns, level.withSubstrate, level.inAir,
              Impedance(level.withSubstrate, level.inAir), level.withSubstrate / level.inAir, "",
              "", level.seconds);
}

std::vector<Extrapolated> RichardsonSeries(const std::vector<double>& values) {
  std::vector<Extrapolated> series;
  for (size_t k = 2; k < values.size(); ++k) {
    series.push_back(Richardson(values[k - 2], values[k - 1], values[k]));
  }
  return series;
}

std::vector<double> ValuesOf(const std::vector<Extrapolated>& series) {
  std::vector<double> values;
  for (const Extrapolated& e : series) {
    values.push_back(e.value);
  }
  return values;
}

void PrintExtrapolated(const char* label, const Extrapolated& withSubstrate,
                       const Extrapolated& inAir, int coarsest, int finest) {
  std::printf("%6s %9s %16.12f %16.12f %#14.8g %#12.8g %7.3f %7.3f  %4d-%d\n", label, "",
              withSubstrate.value, inAir.value, Impedance(withSubstrate.value, inAir.value),
              withSubstrate.value / inAir.value, withSubstrate.order, inAir.order, coarsest,
              finest);
}

// The figure: the last extrapolation of the last round, and as its error estimate, how far it
// lies from the one it improves on.
void PrintFigure(const Extrapolated (&best)[2], const Extrapolated (&before)[2]) {
  const double impedance = Impedance(best[0].value, best[1].value);
  const double permittivity = best[0].value / best[1].value;
  const double impedanceChange = impedance / Impedance(before[0].value, before[1].value) - 1;
  const double permittivityChange = permittivity / (before[0].value / before[1].value) - 1;
  std::printf(
      "Z0 = %#.8g ohm, eeff = %#.8g; estimates (relative) %.1e and %.1e: the change "
      "from the figure improved on\n",
      impedance, permittivity, std::fabs(impedanceChange), std::fabs(permittivityChange));
}

// Two rounds of Richardson: the first removes the leading error (order about 2), the second,
// from the first's figures, the next (order about 4).
void PrintExtrapolations(const std::vector<Level>& levels) {
  std::vector<double> withSubstrate, inAir;
  for (const Level& level : levels) {
    withSubstrate.push_back(level.withSubstrate);
    inAir.push_back(level.inAir);
  }
  const std::vector<Extrapolated> first[] = {RichardsonSeries(withSubstrate),
                                             RichardsonSeries(inAir)};
  const std::vector<Extrapolated> second[] = {RichardsonSeries(ValuesOf(first[0])),
                                              RichardsonSeries(ValuesOf(first[1]))};
  for (size_t k = 0; k < first[0].size(); ++k) {
    PrintExtrapolated("R1", first[0][k], first[1][k], levels[k].cells, levels[k + 2].cells);
  }
  for (size_t k = 0; k < second[0].size(); ++k) {
    PrintExtrapolated("R2", second[0][k], second[1][k], levels[k].cells, levels[k + 4].cells);
  }
  const size_t last = first[0].size() - 1;
  if (second[0].empty() && last == 0) {
    PrintFigure({first[0][last], first[1][last]},
                {Extrapolated{withSubstrate.back(), 2}, Extrapolated{inAir.back(), 2}});
  } else if (second[0].empty()) {
    PrintFigure({first[0][last], first[1][last]}, {first[0][last - 1], first[1][last - 1]});
  } else {
    PrintFigure({second[0].back(), second[1].back()}, {first[0][last], first[1][last]});
  }
}

void Run(const char* title, const Structure& structure, int finest, int levels, double power) {
  std::printf("%s\n", title);
  PrintHeader();
  std::vector<Level> solved;
  for (int k = levels - 1; k >= 0; --k) {
    solved.push_back(SolveLevel(structure, finest >> k, power));
    PrintLevel(solved.back());
    std::fflush(stdout);
  }
  PrintExtrapolations(solved);
}

// ---------------------------------------------------------------------------------------------
// The lines and the command line.

enum class Kind { kMicrostrip, kStripline, kCoplanar, kBroadside };

struct Line {
  Kind kind = Kind::kMicrostrip;
  double width = 0, height = 0, thickness = 0, permittivity = 1;
  double gap = 0;  // coplanar: strip edge to ground edge
  bool grounded = false;
  std::optional<double> groundWidth;
  std::optional<double> topWidth;
  std::optional<double> spacing;
  double cover = 0;
  std::optional<double> coverPermittivity;
  double maskSubstrate = 0, maskStrip = 0, maskPermittivity = 3.5;
  int cells = 256;
  int levels = 5;
  double power = 4;
  double box = 1e5;
  std::optional<double> offset;  // the strip's lower face over the lower plane
  std::optional<double> abovePermittivity;
  bool wallsGrounded = true;
  bool open() const { return kind == Kind::kMicrostrip || kind == Kind::kCoplanar; }
};

// Cells on a segment in proportion to its length, between half and twice the half strip's.
int EighthsFor(double length, double halfWidth) {
  return std::clamp(int(std::lround(8 * length / halfWidth)), 4, 16);
}

constexpr int kOutwardEighths = 12;

// The breakpoints across: the strip's two edges, the mask's sides and the side ground's edges
// (0 where there are none).
struct Across {
  std::vector<Segment> segments;
  int stripFirst = 0, stripLast = 1, maskFirst = 0, maskLast = 0, groundFirst = 0, groundLast = 0;
};

// Across: the gap to the plane of symmetry (a pair), the mask beside the strip, the strip, the
// mask, the coplanar gap and ground, and out to the far wall.
Across AcrossSegments(const Line& line, double farWall) {
  const double half = line.spacing ? line.width : line.width / 2;
  const double side = line.maskStrip;
  Across across;
  std::vector<Segment>& segments = across.segments;
  const auto add = [&segments](Segment segment) {
    segments.push_back(segment);
    return int(segments.size());
  };
  double edge = half;
  if (line.spacing) {
    const double middle = *line.spacing / 2 - side;
    across.maskFirst = add({middle, EighthsFor(middle, half), Grading::kTowardEnd});
    across.stripFirst =
        side > 0 ? add({side, EighthsFor(side, half), Grading::kTowardBoth}) : across.maskFirst;
    edge += *line.spacing / 2;
  }
  across.stripLast = add({half, 8, line.spacing ? Grading::kTowardBoth : Grading::kTowardEnd});
  if (side > 0) {
    across.maskLast = add({side, EighthsFor(side, half), Grading::kTowardBoth});
    edge += side;
  }
  if (line.kind == Kind::kCoplanar) {
    across.groundFirst = add({line.gap, EighthsFor(line.gap, half), Grading::kTowardBoth});
    edge += line.gap;
    if (line.groundWidth) {
      across.groundLast =
          add({*line.groundWidth, EighthsFor(*line.groundWidth, half), Grading::kTowardBoth});
      edge += *line.groundWidth;
    }
  }
  const int last = add({farWall - edge, kOutwardEighths, Grading::kOutward, half / 16});
  if (line.kind == Kind::kCoplanar && !line.groundWidth) {
    across.groundLast = last;
  }
  return across;
}

Block Whole(const Structure& s, int firstY, int lastY) {
  return {0, int(s.x.size()), firstY, lastY};
}

// The strip (and a coplanar line's side ground) between the y breakpoints first and last.
void AddConductors(const Line& line, const Across& across, int first, int last, Structure& s) {
  s.conductors.push_back({{across.stripFirst, across.stripLast, first, last}, kStrip});
  if (line.kind == Kind::kCoplanar) {
    s.conductors.push_back({{across.groundFirst, across.groundLast, first, last}, kGround});
  }
}

// The microstrip and the coplanar waveguide over a plane (the substrate from the plane up) or
// without one (air below the substrate down to a far wall): then the strip's thickness and a
// planar cover over it, each a breakpoint, and air out to the far wall.
Structure MicrostripStructure(const Line& line) {
  const double half = line.spacing ? line.width : line.width / 2, h = line.height;
  const bool plane = line.kind == Kind::kMicrostrip || line.grounded;
  Structure structure;
  const Across across = AcrossSegments(line, line.box * h);
  structure.x = across.segments;
  if (!plane) {
    structure.y.push_back({line.box * h, kOutwardEighths, Grading::kInward, half / 16});
  }
  structure.y.push_back(
      {h, EighthsFor(h, half), plane ? Grading::kTowardEnd : Grading::kTowardBoth});
  const int substrateTop = int(structure.y.size());
  if (line.thickness > 0) {
    structure.y.push_back({line.thickness, EighthsFor(line.thickness, half), Grading::kTowardBoth});
  }
  const int stripTop = int(structure.y.size());
  if (line.cover > 0) {
    structure.y.push_back({line.cover, EighthsFor(line.cover, half), Grading::kTowardStart});
  }
  const int coverTop = int(structure.y.size());
  const double top = h + line.thickness + line.cover;
  structure.y.push_back({line.box * h - top, kOutwardEighths, Grading::kOutward, half / 16});
  AddConductors(line, across, substrateTop, stripTop, structure);
  structure.dielectrics.push_back(
      {Whole(structure, substrateTop - 1, substrateTop), line.permittivity});
  if (line.cover > 0) {
    structure.dielectrics.push_back({Whole(structure, substrateTop, coverTop),
                                     line.coverPermittivity.value_or(line.permittivity)});
  }
  structure.bottomIsGround = plane;
  structure.copies = line.spacing ? 1 : 2;
  if (line.topWidth) {
    structure.slant = Slant{1, substrateTop, stripTop, (line.width - *line.topWidth) / 2};
  }
  return structure;
}

// A quarter: up to the plane of symmetry halfway between the ground planes.
Structure StriplineStructure(const Line& line) {
  const double half = line.spacing ? line.width : line.width / 2;
  const double below = (line.height - line.thickness) / 2;
  Structure structure;
  const Across across =
      AcrossSegments(line, (line.spacing ? *line.spacing / 2 : 0) + half + 10 * line.height);
  structure.x = across.segments;
  structure.y.push_back({below, EighthsFor(below, half), Grading::kTowardEnd});
  if (line.thickness > 0) {
    structure.y.push_back(
        {line.thickness / 2, EighthsFor(line.thickness / 2, half), Grading::kTowardStart});
  }
  AddConductors(line, across, 1, line.thickness > 0 ? 2 : 1, structure);
  structure.topIsFarWall = false;
  structure.copies = line.spacing ? 2 : 4;
  return structure;
}

// A half: the strip's lower face h1 over the lower plane, its upper face h2 under the upper one,
// the strip's segment graded as the centred stripline's two halves of it, so that h1 = h2 gives
// that line's grid mirrored; er below the strip's lower face, the other above it.
Structure OffsetStriplineStructure(const Line& line) {
  const double half = line.spacing ? line.width : line.width / 2;
  const double below = line.offset.value_or((line.height - line.thickness) / 2);
  const double above = line.height - line.thickness - below;
  Structure structure;
  const Across across =
      AcrossSegments(line, (line.spacing ? *line.spacing / 2 : 0) + half + 10 * line.height);
  structure.x = across.segments;
  structure.y.push_back({below, EighthsFor(below, half), Grading::kTowardEnd});
  if (line.thickness > 0) {
    structure.y.push_back(
        {line.thickness, 2 * EighthsFor(line.thickness / 2, half), Grading::kTowardBoth});
  }
  structure.y.push_back({above, EighthsFor(above, half), Grading::kTowardStart});
  const int stripTop = line.thickness > 0 ? 2 : 1;
  AddConductors(line, across, 1, stripTop, structure);
  structure.dielectrics = {{Whole(structure, 0, 1), line.permittivity},
                           {Whole(structure, 1, int(structure.y.size())),
                            line.abovePermittivity.value_or(line.permittivity)}};
  structure.topIsFarWall = false;
  structure.topGrounded = true;
  structure.copies = line.spacing ? 1 : 2;
  if (line.topWidth) {
    structure.slant = Slant{1, 1, stripTop, (line.width - *line.topWidth) / 2};
  }
  return structure;
}

// A microstrip (or pair) under a solder mask: over the substrate the strip's top, the mask's level
// over the substrate and over the strip, in order, each a breakpoint; across, the mask's sides
// beside the strip.
Structure MaskedMicrostripStructure(const Line& line) {
  const double half = line.spacing ? line.width : line.width / 2, h = line.height;
  const double farWall = line.box * h;
  Structure structure;
  const Across across = AcrossSegments(line, farWall);
  structure.x = across.segments;
  std::vector<double> levels = {line.maskSubstrate, line.thickness + line.maskStrip};
  if (line.thickness > 0) {
    levels.push_back(line.thickness);
  }
  std::sort(levels.begin(), levels.end());
  levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
  structure.y.push_back({h, EighthsFor(h, half), Grading::kTowardEnd});
  double below = 0;
  for (double level : levels) {
    structure.y.push_back({level - below, EighthsFor(level - below, half), Grading::kTowardBoth});
    below = level;
  }
  structure.y.push_back({farWall - h - below, kOutwardEighths, Grading::kOutward, half / 16});
  const auto breakpoint = [&levels](double level) {
    return 2 + int(std::find(levels.begin(), levels.end(), level) - levels.begin());
  };
  AddConductors(line, across, 1, line.thickness > 0 ? breakpoint(line.thickness) : 1, structure);
  const int maskTop = breakpoint(line.thickness + line.maskStrip);
  structure.dielectrics = {
      {Whole(structure, 0, 1), line.permittivity},
      {Whole(structure, 1, breakpoint(line.maskSubstrate)), line.maskPermittivity},
      {{across.maskFirst, across.maskLast, 1, maskTop}, line.maskPermittivity}};
  structure.copies = line.spacing ? 1 : 2;
  return structure;
}

// A broadside pair's quarter: the lower strip's lower face (b - s - 2t) / 2 over the lower plane,
// up to the plane halfway between the strips, where the even mode has dV/dn = 0 and the odd mode
// V = 0; each mode's Z0 is one strip's.
Structure BroadsideStructure(const Line& line) {
  const double half = line.width / 2;
  const double foot = (line.height - *line.spacing) / 2 - line.thickness;
  Line single = line;
  single.spacing.reset();
  Structure structure;
  const Across across = AcrossSegments(single, half + 10 * line.height);
  structure.x = across.segments;
  structure.y.push_back({foot, EighthsFor(foot, half), Grading::kTowardEnd});
  if (line.thickness > 0) {
    structure.y.push_back({line.thickness, EighthsFor(line.thickness, half), Grading::kTowardBoth});
  }
  structure.y.push_back(
      {*line.spacing / 2, EighthsFor(*line.spacing / 2, half), Grading::kTowardStart});
  AddConductors(single, across, 1, line.thickness > 0 ? 2 : 1, structure);
  structure.topIsFarWall = false;
  structure.copies = 2;
  return structure;
}

Structure StructureOf(const Line& line) {
  Structure structure = line.maskSubstrate > 0          ? MaskedMicrostripStructure(line)
                        : line.open()                   ? MicrostripStructure(line)
                        : line.kind == Kind::kBroadside ? BroadsideStructure(line)
                        : line.offset || line.topWidth  ? OffsetStriplineStructure(line)
                                                        : StriplineStructure(line);
  structure.permittivity = line.permittivity;
  structure.farWallsGrounded = line.wallsGrounded;
  return structure;
}

std::string Title(const Line& line) {
  static constexpr const char* kNames[] = {"microstrip", "stripline", "cpw", "broadside"};
  char title[256];
  std::snprintf(title, sizeof title, "%s W %g %s %g t %g er %g", kNames[int(line.kind)], line.width,
                line.kind == Kind::kStripline || line.kind == Kind::kBroadside ? "b" : "h",
                line.height, line.thickness, line.permittivity);
  std::string text = title;
  if (line.kind == Kind::kCoplanar) {
    std::snprintf(title, sizeof title, " gap %g, %s, side grounds %s", line.gap,
                  line.grounded ? "over a plane" : "no plane",
                  line.groundWidth ? std::to_string(*line.groundWidth).c_str() : "wide");
    text += title;
  }
  if (line.topWidth) {
    std::snprintf(title, sizeof title, " top width %g", *line.topWidth);
    text += title;
  }
  if (line.spacing) {
    std::snprintf(title, sizeof title, " s %g", *line.spacing);
    text += title;
  }
  if (line.cover > 0) {
    std::snprintf(title, sizeof title, " cover %g er %g", line.cover,
                  line.coverPermittivity.value_or(line.permittivity));
    text += title;
  }
  if (line.offset) {
    std::snprintf(title, sizeof title, " offset: h1 %g, h2 %g, er %g above the strip's lower face",
                  *line.offset, line.height - line.thickness - *line.offset,
                  line.abovePermittivity.value_or(line.permittivity));
    text += title;
  }
  if (line.maskSubstrate > 0) {
    std::snprintf(title, sizeof title, " mask %g over the substrate, %g over the strip, er %g",
                  line.maskSubstrate, line.maskStrip, line.maskPermittivity);
    text += title;
  }
  std::snprintf(title, sizeof title, "; grading power %g; far walls %s", line.power,
                line.wallsGrounded ? "grounded" : "insulating");
  text += title;
  if (line.open()) {
    std::snprintf(title, sizeof title, " at %g h", line.box);
    text += title;
  }
  return text;
}

void RunLine(const Line& line) {
  const Structure structure = StructureOf(line);
  if (!line.spacing) {
    Run(Title(line).c_str(), structure, line.cells, line.levels, line.power);
    return;
  }
  const bool broadside = line.kind == Kind::kBroadside;
  Run((Title(line) + (broadside ? "\neven mode (dV/dn = 0 halfway between the strips)"
                                : "\neven mode (dV/dn = 0 on the centre line)"))
          .c_str(),
      structure, line.cells, line.levels, line.power);
  Structure odd = structure;
  (broadside ? odd.topGrounded : odd.centreLineGrounded) = true;
  Run((Title(line) + (broadside ? "\nodd mode (V = 0 halfway between the strips)"
                                : "\nodd mode (V = 0 on the centre line)"))
          .c_str(),
      odd, line.cells, line.levels, line.power);
}

bool ParseNumber(const std::string& text, double& value) {
  try {
    size_t used = 0;
    value = std::stod(text, &used);
    return used == text.size() && std::isfinite(value);
  } catch (const std::exception&) {
    return false;
  }
}

bool ParseOption(const std::string& name, const std::string& text, Line& line) {
  double value = 0;
  if (name == "--walls") {
    line.wallsGrounded = text != "open";
    return text == "open" || text == "grounded";
  }
  if (!ParseNumber(text, value) || value <= 0) {
    return false;
  }
  if (name == "--spacing") {
    line.spacing = value;
  } else if (name == "--cover") {
    line.cover = value;
  } else if (name == "--cover-er") {
    line.coverPermittivity = value;
  } else if (name == "--offset") {
    line.offset = value;
  } else if (name == "--above-er") {
    line.abovePermittivity = value;
  } else if (name == "--mask-substrate") {
    line.maskSubstrate = value;
  } else if (name == "--mask-strip") {
    line.maskStrip = value;
  } else if (name == "--mask-er") {
    line.maskPermittivity = value;
  } else if (name == "--ground-width") {
    line.groundWidth = value;
  } else if (name == "--top-width") {
    line.topWidth = value;
  } else if (name == "--cells") {
    line.cells = int(value);
  } else if (name == "--levels") {
    line.levels = int(value);
  } else if (name == "--grading") {
    line.power = value;
  } else if (name == "--box") {
    line.box = value;
  } else {
    return false;
  }
  return true;
}

std::optional<Line> ParseLine(const std::vector<std::string>& args) {
  static constexpr const char* kNames[] = {"microstrip", "stripline", "cpw", "broadside"};
  if (args.empty()) {
    return std::nullopt;
  }
  Line line;
  const auto name = std::find(std::begin(kNames), std::end(kNames), args[0]);
  if (name == std::end(kNames)) {
    return std::nullopt;
  }
  line.kind = Kind(name - std::begin(kNames));
  std::vector<double*> numbers = {&line.width, &line.height, &line.thickness, &line.permittivity};
  if (line.kind == Kind::kCoplanar) {
    numbers.insert(numbers.begin() + 1, &line.gap);
  }
  if (args.size() < numbers.size() + 1) {
    return std::nullopt;
  }
  for (size_t k = 0; k < numbers.size(); ++k) {
    const bool mayBeZero = numbers[k] == &line.thickness;
    if (!ParseNumber(args[k + 1], *numbers[k]) || *numbers[k] < 0 ||
        (*numbers[k] == 0 && !mayBeZero)) {
      return std::nullopt;
    }
  }
  for (size_t k = numbers.size() + 1; k < args.size(); k += 2) {
    if (args[k] == "--grounded") {
      line.grounded = true;
      --k;
    } else if (k + 1 >= args.size() || !ParseOption(args[k], args[k + 1], line)) {
      return std::nullopt;
    }
  }
  return line;
}

// Every grid must split each segment into whole cells: at least 8 across the half strip, and a
// multiple of 8. The strip must fit between the planes, and the open lines' box around them.
bool Sensible(const Line& line) {
  const int coarsest = line.levels >= 3 && line.levels < 12 ? line.cells >> (line.levels - 1) : 0;
  const double across = line.spacing.value_or(0) + 2 * line.width +
                        2 * (line.gap + line.groundWidth.value_or(0) + line.maskStrip);
  const bool broadside = line.kind == Kind::kBroadside;
  const bool fits = line.open()   ? line.box * line.height > across
                    : broadside   ? line.spacing && *line.spacing + 2 * line.thickness < line.height
                    : line.offset ? *line.offset + line.thickness < line.height
                                  : line.thickness < line.height;
  const bool coplanar = line.kind == Kind::kCoplanar;
  const bool microstrip = line.kind == Kind::kMicrostrip;
  const bool stripline = line.kind == Kind::kStripline;
  // The trapezoid: a single strip with copper, its side leaning no more than 45 degrees.
  const bool trapezoid =
      !line.topWidth ||
      ((microstrip || stripline) && !line.spacing && line.cover == 0 && line.maskSubstrate == 0 &&
       line.thickness > 0 && std::fabs(line.width - *line.topWidth) <= 2 * line.thickness);
  return coarsest >= 8 && coarsest % 8 == 0 && coarsest << (line.levels - 1) == line.cells &&
         fits && trapezoid && line.permittivity >= 1 && line.coverPermittivity.value_or(1) >= 1 &&
         (line.cover == 0 || microstrip) && (!line.offset || stripline) &&
         (coplanar == (line.gap > 0)) && (!line.grounded || coplanar) &&
         (!line.groundWidth || coplanar) &&
         (!line.abovePermittivity || (line.offset && *line.abovePermittivity >= 1)) &&
         ((line.maskSubstrate > 0) == (line.maskStrip > 0)) &&
         (line.maskSubstrate == 0 || (microstrip && line.cover == 0 && line.maskPermittivity >= 1 &&
                                      (!line.spacing || *line.spacing > 2 * line.maskStrip)));
}

constexpr const char* kUsage =
    "usage: second_route microstrip|stripline|broadside W h|b t er [options]\n"
    "       second_route cpw W g h t er [--grounded] [--ground-width gw] [options]\n"
    "  options: [--spacing s] [--cells N] [--levels L] [--grading q] [--box R]\n"
    "           [--walls grounded|open] [--cover c] [--cover-er e] [--top-width wt]\n"
    "           [--mask-substrate c1 --mask-strip c2 [--mask-er e]] [--offset h1 [--above-er e]]\n"
    "  N / 2^(L-1) a multiple of 8, L at least 3; lengths in any one unit\n";

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Line> line = ParseLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!line || !Sensible(*line)) {
    std::cerr << kUsage;
    return 2;
  }
  RunLine(*line);
  return 0;
}
