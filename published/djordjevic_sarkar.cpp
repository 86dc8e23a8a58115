// SPDX-License-Identifier: MIT
// The wideband Debye permittivity of djordjevic_sarkar.h and its fit to one (Dk, Df) pair.
#include "published/djordjevic_sarkar.h"

#include <cmath>
#include <numbers>

namespace mq::reference {

namespace {

// log10((omega2 + j omega) / (omega1 + j omega)): the shape the model scales by
// deltaEps / (m2 - m1). Taking the two logs apart keeps the phase, atan(omega/omega2) -
// atan(omega/omega1), within (-pi/2, 0], clear of the log's branch cut.
std::complex<double> BandLog(double m1, double m2, double frequencyHertz) {
  const double omega = 2 * std::numbers::pi * frequencyHertz;
  const std::complex<double> upper(std::pow(10.0, m2), omega), lower(std::pow(10.0, m1), omega);
  return (std::log(upper) - std::log(lower)) / std::numbers::ln10;
}

}  // namespace

// Im eps = deltaEps / (m2 - m1) Im L = -Df Dk fixes deltaEps; Re eps = Dk then fixes eps_inf.
WidebandDebye FitWidebandDebye(double dk, double df, double frequencyHertz, double m1, double m2) {
  const std::complex<double> shape = BandLog(m1, m2, frequencyHertz) / (m2 - m1);
  const double deltaEps = -df * dk / shape.imag();
  return {.epsInfinity = dk - deltaEps * shape.real(), .deltaEps = deltaEps, .m1 = m1, .m2 = m2};
}

std::complex<double> WidebandPermittivity(const WidebandDebye& model, double frequencyHertz) {
  return model.epsInfinity +
         model.deltaEps / (model.m2 - model.m1) * BandLog(model.m1, model.m2, frequencyHertz);
}

double WidebandDk(const WidebandDebye& model, double frequencyHertz) {
  return WidebandPermittivity(model, frequencyHertz).real();
}

double WidebandDf(const WidebandDebye& model, double frequencyHertz) {
  const std::complex<double> eps = WidebandPermittivity(model, frequencyHertz);
  return -eps.imag() / eps.real();
}

}  // namespace mq::reference
