// SPDX-License-Identifier: MIT
// The calculator's numeric constants. pi is taken as 3.14159 throughout and every constant
// derived from it comes from that value, so the figures match the calculator's worked examples
// to their last shown digit rather than a more exact pi.
#pragma once

namespace mq::constants {

inline constexpr double kMillimetresPerMetre = 1000.0;
inline constexpr double kHertzPerGigahertz = 1000000000.0;
inline constexpr double kPi = 3.14159;
inline constexpr double kTwoPi = 6.28318;
inline constexpr double kFourPi = 12.56636;
inline constexpr double kOneOverTwoPi = 0.15915507752443828;  // 1/6.28318
// The free-space wave impedance eta0 = 120 pi ohm, and the 30 pi = eta0/4 of the stripline forms.
inline constexpr double kFreeSpaceImpedance = 376.9908;
inline constexpr double kQuarterFreeSpaceImpedance = 94.2477;
// 377 pi: the free-space wave impedance rounded to 377 ohm, times pi, as Wheeler's wide-strip
// synthesis writes it.
inline constexpr double kRoundedFreeSpaceImpedanceTimesPi = 1184.37943;
inline constexpr double kTwoOverPi = 0.6366203100977531;           // 2/3.14159
inline constexpr double kMu0 = 1.25664e-06;                        // H/m
inline constexpr double kEps0 = 8.854e-12;                         // F/m
inline constexpr double kSpeedOfLight = 300000000.0;               // m/s
inline constexpr double kRadiansPerDegree = 0.017453277777777776;  // 3.14159/180
inline constexpr double kDecibelsPerNeper = 8.69;

// Surface resistance of a good conductor in ohm, f in Hz, sigma in S/m.
double SurfaceResistance(double frequency, double conductivity);

// Phase constant in rad/m of a wave in a medium of (effective) dielectric constant e.
double PhaseConstant(double frequency, double dielectricConstant);

}  // namespace mq::constants
