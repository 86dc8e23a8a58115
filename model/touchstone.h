// SPDX-License-Identifier: MIT
// A uniform lossy line, or a symmetric edge-coupled pair of them, as the network a circuit
// simulator reads: the per-metre R, L, G, C at each frequency give the propagation constant and
// the characteristic impedance, then the ABCD matrix and the S-parameters of a length referenced
// to a real impedance at every port, written as a Touchstone 1.1 file (.s2p, or .s4p for the
// pair) in the form "# Hz S RI R <Zref>": frequencies in Hz, each S as its real and imaginary
// parts. Units: R in ohm/m, L in H/m, G in S/m, C in F/m, lengths in m, frequencies in Hz (above
// 0), impedances in ohm.
//
// Sources: D. M. Pozar, "Microwave Engineering", 4th ed., Wiley, 2012: §2.1 for gamma and Zc,
// Table 4.1 for a line's ABCD matrix, Table 4.2 for S from ABCD, §7.6 for coupled lines by their
// even and odd modes; the Touchstone file format, version 1.1 (EIA/IBIS Open Forum, 2002).
#pragma once

#include <array>
#include <complex>
#include <functional>
#include <string>
#include <vector>

namespace mq::touchstone {

using Complex = std::complex<double>;

struct Rlgc {
  double r = 0;  // ohm/m
  double l = 0;  // H/m
  double g = 0;  // S/m
  double c = 0;  // F/m
};

// gamma = sqrt((R + j omega L)(G + j omega C)) = alpha + j beta, alpha in Np/m, and
// Zc = sqrt((R + j omega L) / (G + j omega C)).
struct LineConstants {
  Complex gamma;
  Complex impedance;
};
LineConstants Propagation(const Rlgc& line, double frequencyHertz);

struct Abcd {
  Complex a, b, c, d;
};
Abcd LineAbcd(const LineConstants& line, double lengthMetres);

// S[i][j], ports from 0: S[1][0] is S21.
using TwoPort = std::array<std::array<Complex, 2>, 2>;
using FourPort = std::array<std::array<Complex, 4>, 4>;

TwoPort ScatteringOf(const Abcd& abcd, double referenceOhms);
TwoPort LineScattering(const Rlgc& line, double frequencyHertz, double lengthMetres,
                       double referenceOhms);

// The single-ended S of a symmetric pair from its two modes' 2-ports, each worked with the same
// reference per line as every single-ended port has: S = (S_even +- S_odd) / 2, + between ports
// of one line, - across the lines. Ports from 0: 0 and 1 the near ends of lines 1 and 2, 2 and 3
// their far ends (the file's ports 1 to 4).
FourPort PairScattering(const TwoPort& even, const TwoPort& odd);

// Each mode's RLGC per line: even-mode Zc is Z0e, odd-mode Zc is Z0o.
struct ModalRlgc {
  Rlgc even, odd;
};

// What the comment lines name: the line in words, its length, and the reference of every port.
struct FileLine {
  std::string description;
  double lengthMetres = 0;
  double referenceOhms = 50;
};

std::string TwoPortFile(const std::vector<double>& frequenciesHertz,
                        const std::function<Rlgc(double)>& rlgcAt, const FileLine& line);
std::string FourPortFile(const std::vector<double>& frequenciesHertz,
                         const std::function<ModalRlgc(double)>& rlgcAt, const FileLine& line);

}  // namespace mq::touchstone
