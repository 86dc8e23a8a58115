// SPDX-License-Identifier: MIT
// A line's and a coupled pair's S-parameters against textbook results (the lossless line's
// delay, the quarter-wave transformer, the distortionless line's loss, the quarter-wave coupled
// line coupler), the pair's reciprocity and passivity, and the Touchstone text read back by a
// reader written here from the file format alone.
#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <sstream>

#include "model/line_sweep.h"
#include "model/touchstone.h"
#include "published/exact_constants.h"

namespace mq {
namespace {

using namespace touchstone;
using exact::kSpeedOfLight;
using std::numbers::pi;

struct Row {
  const char* name;
  Complex value;
  Complex expected;
  double tolerance;  // on |value - expected|
};

void ExpectRows(std::initializer_list<Row> rows) {
  for (const Row& row : rows) {
    EXPECT_NEAR(std::abs(row.value - row.expected), 0, row.tolerance) << row.name;
  }
}

// A lossless line of impedance z and effective permittivity eeff: L = z sqrt(eeff) / c0,
// C = sqrt(eeff) / (z c0).
Rlgc Lossless(double z, double eeff) {
  return {.l = z * std::sqrt(eeff) / kSpeedOfLight, .c = std::sqrt(eeff) / (z * kSpeedOfLight)};
}

double Decibels(Complex s) {
  return 20 * std::log10(std::abs(s));
}

// The distortionless line (Pozar §2.7): R/L = G/C makes Zc = sqrt(L/C) = 50 ohm, real at every
// frequency, and alpha = sqrt(R G) = 0.1 Np/m, 0.868589 dB over 1 m (8.68589 dB per neper).
// Quarter-wave transformer (Pozar §2.5): 100 ohm between 50 ohm ports at 1/4 wavelength has
// Zin = 100^2/50 = 200 ohm, S11 = (200 - 50) / (200 + 50) = 0.6; lossless, so |S21| =
// sqrt(1 - 0.36) = 0.8, a quarter wave late: -0.8 j.
TEST(Touchstone, LineMeetsTheTextbook) {
  const Rlgc heaviside{.r = 5, .l = 250e-9, .g = 2e-3, .c = 100e-12};
  const TwoPort matched = LineScattering(heaviside, 3e9, 1, 50);
  const double quarterWave = kSpeedOfLight / 4;  // Hz, for 1 m of air line
  const TwoPort transformer = LineScattering(Lossless(100, 1), quarterWave, 1, 50);
  EXPECT_LT(Decibels(matched[0][0]), -60);
  ExpectRows({
      {"distortionless line, |S21| dB", Decibels(matched[1][0]), -0.868589, 1e-6},
      {"quarter-wave 100 ohm in 50: S11", transformer[0][0], 0.6, 1e-12},
      {"quarter-wave 100 ohm in 50: S21", transformer[1][0], {0, -0.8}, 1e-12},
  });
}

// 1 m of matched line with eeff 4 delays by 2 / c0: S21's phase falls by 2 pi f 2 / c0, here
// followed in 10 MHz steps (0.42 rad each) and unwrapped.
TEST(Touchstone, LosslessLineDelays) {
  double phase = 0, previous = 0;
  for (double f = 1e7; f <= 10e9; f += 1e7) {
    const Complex s21 = LineScattering(Lossless(50, 4), f, 1, 50)[1][0];
    phase += std::remainder(std::arg(s21) - previous, 2 * pi);
    previous = std::arg(s21);
    EXPECT_NEAR(std::abs(s21), 1, 1e-12) << f;
  }
  EXPECT_NEAR(phase, -2 * pi * 10e9 * 2 / kSpeedOfLight, 1e-9);
}

// Pozar §7.6, the coupled line coupler in air with ports of sqrt(Z0e Z0o) = 50 ohm at a quarter
// wave: matched, coupled port C = (Z0e - Z0o) / (Z0e + Z0o) = 0.6, through -j sqrt(1 - C^2),
// isolated port 0. Here port 2 (line 2's near end) is coupled and port 4 isolated.
TEST(Touchstone, PairIsTheQuarterWaveCoupler) {
  const double f = kSpeedOfLight / 4;
  const FourPort s = PairScattering(LineScattering(Lossless(100, 1), f, 1, 50),
                                    LineScattering(Lossless(25, 1), f, 1, 50));
  ExpectRows({
      {"S11", s[0][0], 0, 1e-12},
      {"S21, coupled", s[1][0], 0.6, 1e-12},
      {"S31, through", s[2][0], {0, -0.8}, 1e-12},
      {"S41, isolated", s[3][0], 0, 1e-12},
  });
}

// A lossy pair with unequal modes: S = S^T and no singular value above 1, at every frequency.
// With both modes the same the lines do not couple: two copies of the single line's 2-port.
TEST(Touchstone, PairIsReciprocalPassiveAndSplitsWhenUncoupled) {
  const Rlgc even{.r = 20, .l = 400e-9, .g = 1e-3, .c = 90e-12};
  const Rlgc odd{.r = 30, .l = 300e-9, .g = 3e-3, .c = 140e-12};
  for (double f = 1e8; f <= 2e10; f *= 1.7) {
    const TwoPort single = LineScattering(even, f, 0.3, 50);
    const FourPort s = PairScattering(single, LineScattering(odd, f, 0.3, 50));
    const FourPort split = PairScattering(single, single);
    const Eigen::Map<const Eigen::Matrix<Complex, 4, 4, Eigen::RowMajor>> m(s[0].data());
    EXPECT_LT((m - m.transpose()).norm(), 1e-13) << f;
    EXPECT_LE(m.jacobiSvd().singularValues()(0), 1) << f;
    for (int k = 0; k < 16; ++k) {
      const int i = k / 4, j = k % 4;
      EXPECT_EQ(split[i][j], i % 2 == j % 2 ? single[i / 2][j / 2] : 0.0) << f << " Hz, " << k;
    }
  }
}

// Touchstone 1.1 read from the format alone: '!' starts a comment, '#' the option line, and the
// numbers of one frequency, 1 + 2 n^2 of them, may run over several lines.
std::vector<double> Numbers(const std::string& text, std::string& option) {
  std::vector<double> numbers;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    line = line.substr(0, line.find('!'));
    option = line.starts_with('#') ? line : option;
    std::istringstream fields(line.starts_with('#') ? "" : line);
    for (double x; fields >> x;) {
      numbers.push_back(x);
    }
  }
  return numbers;
}

// S[i][j] at the n-th frequency: a 2-port's come column by column, larger networks' row by row.
Complex Entry(const std::vector<double>& numbers, int ports, int n, int i, int j) {
  const size_t at = n * (1 + 2 * ports * ports) + 1 + 2 * (ports == 2 ? j * 2 + i : i * ports + j);
  return {numbers.at(at), numbers.at(at + 1)};
}

TEST(Touchstone, FilesReadBack) {
  const std::vector<double> hertz{1e8, 1e9, 7.5e9};
  const Rlgc even{.r = 12, .l = 330e-9, .g = 2e-4, .c = 120e-12};
  const Rlgc odd{.r = 15, .l = 250e-9, .g = 3e-4, .c = 160e-12};
  const FileLine named{.description = "microstrip W 0.3 mm", .lengthMetres = 0.25};
  const auto lineAt = [&](double) { return even; };
  const auto pairAt = [&](double) { return ModalRlgc{even, odd}; };
  const std::string four = FourPortFile(hertz, pairAt, named);
  std::string option2, option4;
  const auto s2p = Numbers(TwoPortFile(hertz, lineAt, named), option2);
  const auto s4p = Numbers(four, option4);
  EXPECT_TRUE(four.starts_with("! MacQuelvor: microstrip W 0.3 mm\n! length (m): 0.25\n"));
  EXPECT_EQ(option2, "# Hz S RI R 50");
  EXPECT_EQ(option4, option2);
  ASSERT_EQ(s2p.size() + s4p.size(), 3u * (9 + 33));
  for (int n = 0; n < 3; ++n) {
    EXPECT_EQ(s2p[n * 9], hertz[n]);
    EXPECT_EQ(s4p[n * 33], hertz[n]);
    const TwoPort s = LineScattering(even, hertz[n], 0.25, 50);
    const FourPort pair = PairScattering(s, LineScattering(odd, hertz[n], 0.25, 50));
    for (int k = 0; k < 16; ++k) {
      const int i = k / 4, j = k % 4;
      EXPECT_NEAR(std::abs(Entry(s4p, 4, n, i, j) - pair[i][j]), 0, 1e-11) << hertz[n] << k;
      EXPECT_NEAR(std::abs(Entry(s2p, 2, n, i % 2, j % 2) - s[i % 2][j % 2]), 0, 1e-11);
    }
  }
}

// A solved line's sweep files carry the loss they are made from: the CSV's total is its
// conductor plus its dielectric loss, and 0.1 m of the line between ports of its own impedance
// loses in S21 what that total says, |S21| = exp(-alpha l) (the small reactance R and G give
// the line's impedance reflects second order in alpha / beta).
TEST(Touchstone, SweepFilesCarryTheLineLoss) {
  LineInputs in;
  in.structure = LineStructure::kStripline;
  in.width = 0.5, in.height = 1, in.thickness = 0.035, in.permittivity = 3.5;
  const LossBasis basis = SolveLossBasis(in, SolveLineInputs(in));
  LossInputs loss;
  loss.conductivity = 5.8e7, loss.lossTangent = 0.02;
  const std::vector<double> hertz{1e9, 1e10};
  std::istringstream csv(SweepCsv(false, basis, loss, hertz));
  std::string row;
  std::getline(csv, row);  // the header
  std::vector<std::vector<double>> columns;
  while (std::getline(csv, row)) {
    std::replace(row.begin(), row.end(), ',', ' ');
    std::istringstream fields(row);
    columns.emplace_back(std::istream_iterator<double>(fields), std::istream_iterator<double>());
  }
  ASSERT_EQ(columns.size(), 2u);
  const FileLine matched{
      .description = "stripline", .lengthMetres = 0.1, .referenceOhms = columns[1][1]};
  std::string option;
  const auto s2p = Numbers(SweepTouchstone(false, basis, loss, hertz, matched), option);
  for (int n = 0; n < 2; ++n) {
    const std::vector<double>& at = columns[static_cast<std::size_t>(n)];
    EXPECT_NEAR(at[3] + at[4], at[5], 1e-9 * at[5]) << hertz[n];
    EXPECT_GT(at[3], 0) << hertz[n];
  }
  EXPECT_NEAR(Decibels(Entry(s2p, 2, 1, 1, 0)), -columns[1][5] * 0.1, 1e-4 * columns[1][5]);
}

}  // namespace
}  // namespace mq
