// SPDX-License-Identifier: MIT
// The wideband Debye (Djordjevic-Sarkar) permittivity of a laminate: a continuum of Debye
// relaxations spread evenly in log frequency between omega1 = 10^m1 and omega2 = 10^m2 rad/s, so
// the loss is nearly flat across that band and the permittivity causal everywhere:
//   eps(omega) = eps_inf + deltaEps / (m2 - m1) log10((omega2 + j omega) / (omega1 + j omega)),
// with the e^{j omega t} convention (Im eps < 0 for a lossy medium), Dk = Re eps and
// Df = -Im eps / Re eps. Frequencies in Hz at the interface.
//
// Source: A. R. Djordjevic, R. M. Biljic, V. D. Likar-Smiljanic and T. K. Sarkar, "Wideband
// frequency-domain characterization of FR-4 and time-domain causality", IEEE Trans.
// Electromagnetic Compatibility 43(4), 2001, pp. 662-667.
#pragma once

#include <complex>

namespace mq::reference {

struct WidebandDebye {
  double epsInfinity = 1;  // the permittivity far above omega2
  double deltaEps = 0;     // the rise from there down to far below omega1
  double m1 = 4;           // log10 of omega1 in rad/s
  double m2 = 12;          // log10 of omega2 in rad/s
};

// The model that has the given Dk and Df at one frequency: two real equations for eps_inf and
// deltaEps, the band [m1, m2] fixed beforehand.
WidebandDebye FitWidebandDebye(double dk, double df, double frequencyHertz, double m1 = 4,
                               double m2 = 12);

std::complex<double> WidebandPermittivity(const WidebandDebye& model, double frequencyHertz);
double WidebandDk(const WidebandDebye& model, double frequencyHertz);
double WidebandDf(const WidebandDebye& model, double frequencyHertz);

}  // namespace mq::reference
