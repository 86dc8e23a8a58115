// SPDX-License-Identifier: MIT
// A two-dimensional quasi-static field solver for the three cross-sections: the per-unit-length
// capacitance with and without the dielectric from Laplace's equation, and from it the
// impedance and effective permittivity with an estimate of their error. It serves as an
// independent check of the closed forms and keeps the solved charges so that the potential can
// be drawn afterwards.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

namespace mq::field_solver {

// The solved charges of one cross-section; opaque to callers, read through Potential().
struct Field;

struct Answer {
  double impedance = 0;     // ohm
  double permittivity = 0;  // effective, C/C0
  double estimate = 0;      // relative error estimate of the impedance, e.g. 2e-6
  std::string reason;       // empty on success; else the words why there is no figure
  std::shared_ptr<const Field> field;
};

// The reason of a solve whose stop flag was raised (its window closed, newer inputs came): it
// returns at its next step, with no figure.
inline constexpr std::string_view kStopped = "Stopped.";

// Lengths in any one unit: only their ratios matter. `stop`, when given, is read between steps.
Answer SolveMicrostrip(double width, double height, double thickness, double permittivity,
                       const std::atomic<bool>* stop = nullptr);
Answer SolveStripline(double width, double spacing, double thickness, double permittivity,
                      const std::atomic<bool>* stop = nullptr);
Answer SolveCoax(double innerDiameter, double outerDiameter, double permittivity);

// Two equal strips side by side, `spacing` apart at their edges, solved for each mode as one
// strip and its mirror in the centre line, of the same charge (even mode) or the opposite (odd
// mode), to any spacing from 0.01 h (b); farther apart than 1e4 h (b), where what couples them
// is far below the estimate, both modes are the single line's.
struct PairAnswer {
  Answer even, odd;    // Z0, eeff and estimate of each mode, one strip to ground
  std::string reason;  // empty on success; else the words why there is no figure
  // The two modes, and so each and the single line, agree within their estimate.
  bool uncoupled = false;
};
// Whether the pair's two modes agree within their estimate.
bool ModesAgree(const PairAnswer& pair);
PairAnswer SolveMicrostripPair(double width, double spacing, double height, double thickness,
                               double permittivity, const std::atomic<bool>* stop = nullptr);
PairAnswer SolveStriplinePair(double width, double spacing, double planeSpacing, double thickness,
                              double permittivity, const std::atomic<bool>* stop = nullptr);

// The potential at (x, y) in the unit of the answer's lengths, x from the strip's (pair's) centre
// and y from the (lower) ground plane; for coax the distance from the centre is hypot(x, y). 1 on
// the strip or inner conductor, 0 on ground; 0 for an answer without a figure.
double Potential(const Answer& answer, double x, double y);

}  // namespace mq::field_solver
