// SPDX-License-Identifier: MIT
// A line's figures and loss over frequency as CSV and as a Touchstone file: see
// model/line_sweep.h.
#include "model/line_sweep.h"

#include <cmath>
#include <sstream>

namespace mq {

std::vector<double> LogSpaced(double start, double stop, int points) {
  std::vector<double> values;
  for (int i = 0; i < points; ++i) {
    const double step = points == 1 ? 0 : static_cast<double>(i) / (points - 1);
    values.push_back(start * std::pow(stop / start, step));
  }
  return values;
}

std::string SweepCsv(bool pair, const LossBasis& basis, const LossInputs& loss,
                     const std::vector<double>& hertz) {
  std::ostringstream out;
  out << (pair ? "frequency_ghz,differential_impedance,odd_impedance,even_impedance,"
                 "odd_permittivity,even_permittivity"
               : "frequency_ghz,impedance,permittivity")
      << ",conductor_loss,dielectric_loss,total_loss\n";
  out.precision(10);
  for (const double f : hertz) {
    const LineLoss at = LossOfLine(basis, loss, f);
    const ModeLoss& mode = pair ? at.odd : at.single;
    out << f / 1e9 << ',';
    if (pair) {
      out << 2 * at.odd.impedance << ',' << at.odd.impedance << ',' << at.even.impedance << ','
          << at.odd.permittivity << ',' << at.even.permittivity;
    } else {
      out << mode.impedance << ',' << mode.permittivity;
    }
    out << ',' << mode.conductor * kDecibelsPerNeper << ',' << mode.dielectric * kDecibelsPerNeper
        << ',' << mode.Total() * kDecibelsPerNeper << '\n';
  }
  return out.str();
}

std::string SweepTouchstone(bool pair, const LossBasis& basis, const LossInputs& loss,
                            const std::vector<double>& hertz, const touchstone::FileLine& file) {
  const auto at = [&](double f) { return LossOfLine(basis, loss, f); };
  if (pair) {
    return touchstone::FourPortFile(
        hertz,
        [&at](double f) {
          const LineLoss modes = at(f);
          return touchstone::ModalRlgc{RlgcOf(modes.even), RlgcOf(modes.odd)};
        },
        file);
  }
  return touchstone::TwoPortFile(
      hertz, [&at](double f) { return RlgcOf(at(f).single); }, file);
}

}  // namespace mq
