// SPDX-License-Identifier: MIT
// Reference solutions for the three line types, written from the literature and independent of
// the program's models and of its rounded constants (CODATA 2018 values here).
#pragma once

namespace mq::reference {

// Free-space wave impedance sqrt(mu0/eps0), CODATA 2018: 376.730313668 ohm.
inline constexpr double kEta0 = 376.730313668;
inline constexpr double kSpeedOfLight = 299792458.0;

// Exact TEM impedance of a coaxial line: eta0 / (2 pi sqrt(er)) ln(D/d).
double CoaxImpedance(double innerDiameter, double outerDiameter, double permittivity);

// Exact impedance of a zero-thickness centred stripline by conformal mapping (Cohn, 1954):
// Z0 = eta0 / (4 sqrt(er)) K(k)/K(k'), k = sech(pi W / 2b), k' = tanh(pi W / 2b).
double StriplineImpedance(double width, double spacing, double permittivity);

// Hammerstad and Jensen (1980), zero-thickness microstrip: Z0 of the air line within 0.01 % for
// W/h <= 1 and 0.03 % up to 1000; eeff within 0.2 % for er < 128 and 0.01 <= W/h <= 100.
double MicrostripEffectivePermittivity(double width, double height, double permittivity);
double MicrostripImpedance(double width, double height, double permittivity);

}  // namespace mq::reference
