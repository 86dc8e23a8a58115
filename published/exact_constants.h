// SPDX-License-Identifier: MIT
// The physical constants of the cross-check, the field solver and the published models: exact or
// CODATA 2018, unlike the pages' own rounded constants (model/constants.h), which their worked
// figures depend on. Defined here once for everything that checks the pages.
#pragma once

namespace mq::exact {

inline constexpr double kSpeedOfLight = 299792458.0;  // m/s, exact
inline constexpr double kMu0 = 1.25663706212e-6;      // H/m, CODATA 2018
// The free-space wave impedance mu0 c0 = sqrt(mu0 / eps0): 376.730313668 ohm.
inline constexpr double kEta0 = kSpeedOfLight * kMu0;

}  // namespace mq::exact
