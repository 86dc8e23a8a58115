// SPDX-License-Identifier: MIT
// A line's figures and loss over frequency, one loss basis for every frequency: the log-spaced
// frequencies, the CSV `fieldcalc Sweep` and the Line Designer write, and the Touchstone file of
// a length of the line (.s2p, or .s4p for a pair). A pair's loss in the CSV is its differential
// signal's, the odd mode's.
#pragma once

#include <string>
#include <vector>

#include "model/line_loss.h"
#include "model/touchstone.h"

namespace mq {

// `points` values from start to stop evenly spaced in their logarithm (start alone for one).
std::vector<double> LogSpaced(double start, double stop, int points);

// The header line and a line per frequency (Hz): GHz, the impedances and eeff, the loss in dB/m.
std::string SweepCsv(bool pair, const LossBasis& basis, const LossInputs& loss,
                     const std::vector<double>& hertz);

// The line as `file` describes it, at each frequency (Hz).
std::string SweepTouchstone(bool pair, const LossBasis& basis, const LossInputs& loss,
                            const std::vector<double>& hertz, const touchstone::FileLine& file);

}  // namespace mq
