// SPDX-License-Identifier: MIT
// A line's loss at one frequency as rows beside its published model's: conductor, dielectric and
// total loss in dB/m and dB/in (a pair's differential and common-mode signals'), the roughness
// factor and the skin depth, then the notes (thin copper, loss inputs that cannot be used).
// The published loss is that of the calculator's Microstrip and Stripline pages (Pozar's forms
// in model/microstrip.cpp and model/stripline.cpp), for the lines those pages know.
#pragma once

#include <string>
#include <vector>

#include "model/line_check.h"
#include "model/line_loss.h"

namespace mq {

inline constexpr double kMetresPerInch = 0.0254;

// Np/m, NaN with the note where the line has no published loss.
struct PublishedLoss {
  double conductor = kNoFigure, dielectric = kNoFigure;
  std::string model{kNoPublishedModel};
  std::string note;
  double Total() const { return conductor + dielectric; }
};
// The pages' smooth-copper forms take the same roughness factor as the solver's figure, so the
// two differ by the geometry alone; with the wideband Debye model they read the substrate's Dk and
// Df at the frequency.
PublishedLoss PublishedLossOf(const LineInputs& in, const LossInputs& loss, double hertz);

struct LossCheck {
  std::vector<PairRow> rows;
  std::vector<Limit> limits;
};
// No basis yet: the solver's cells say "solving..."; a basis of earlier inputs (`updating`)
// gives its figures marked as such. A basis that could not be solved gives its reason in them.
LossCheck CheckLoss(const LineInputs& in, const LossInputs& loss, double hertz,
                    const LossBasis* basis, bool updating);

}  // namespace mq
