// SPDX-License-Identifier: MIT
// A command-line harness over an in-memory field set holding every edit field of the window:
//   fieldcalc PROCEDURE [ROW] < fields
// reads "Name=text" lines, runs the named button procedure (PhyToElBtn_Action, ...) or popup
// handler with its selected row (DiPopup2_Change 3, ...), then prints each message shown as
// "message: <text>" and every field as "Name=text", sorted by name.
//   fieldcalc CrossCheck PAGE < fields
// prints the cross-check of page 1, 2 or 3 against the reference models instead, a line each.
//   fieldcalc FieldSolver PAGE < fields
// prints the field solver's answer for the page's cross-section as impedance=, permittivity=,
// estimate= (relative) and milliseconds=, or reason=; on page 1 a key Thickness (mm) gives the
// strip's thickness, 0 when absent.
//   fieldcalc Line STRUCTURE < fields
// solves any line of model/line_check.h (microstrip, coated-microstrip, embedded-microstrip,
// stripline, offset-stripline, cpw, gcpw, each also -pair, and broadside-pair) from the keys
// Width, TopWidth, Spacing, Gap, GroundWidth, Height, HeightAbove, Thickness, Cover,
// MaskThickness (mm), DiConst, DiConstAbove, MaskDiConst: impedance= and permittivity= (a pair:
// the lines of fieldcalc Pair), estimate=, milliseconds=, published_model= with
// published_impedance= (published_differential_impedance=) where one applies, the verdicts as
// "ok: ..." and "warning: ...", and with Target and Solve=width|spacing|gap the dimension found
// (width=, ...); or reason= and no figures. With Frequency (GHz) it prints the loss too (dB/m):
// conductor_loss=, dielectric_loss=, total_loss= (a pair's even_ and odd_ modes' first, the
// unprefixed the differential signal's), skin_depth= (um) and roughness_factor=, from the keys
// Conductivity (S/m), LossTangent, MaskLossTangent, Roughness=smooth|hammerstad|groisse|huray
// with RoughnessRms (um) or NoduleRadius (um) and SurfaceRatio, and
// DielectricModel=constant|djordjevic-sarkar (fitted to DiConst and LossTangent as at 1 GHz).
//   fieldcalc Sweep STRUCTURE < fields
// reads also Start and Stop (GHz) and Points and prints a CSV, one row per log-spaced frequency.
//   fieldcalc Touchstone STRUCTURE < fields
// reads also Length (mm) and Reference (ohm, 50 unless given) and writes the line at the
// sweep's frequencies as a Touchstone file (.s2p; a pair's .s4p).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace mq {

inline constexpr int kFieldCalcUsageError = 2;

// Returns the process exit status: 0 when the procedure ran (whether or not it showed a
// message), kFieldCalcUsageError for an unknown procedure, a bad row or a malformed line.
int RunFieldCalc(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err);

}  // namespace mq
