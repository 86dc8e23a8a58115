// SPDX-License-Identifier: MIT
// The line's network and its Touchstone text, as touchstone.h describes them.
#include "model/touchstone.h"

#include <charconv>
#include <numbers>

namespace mq::touchstone {

// Both square roots are principal: the product and the quotient of two numbers in the first
// quadrant lie where that gives alpha, beta >= 0 and Re Zc > 0, the wave that decays forward.
LineConstants Propagation(const Rlgc& line, double frequencyHertz) {
  const double omega = 2 * std::numbers::pi * frequencyHertz;
  const Complex series(line.r, omega * line.l), shunt(line.g, omega * line.c);
  return {std::sqrt(series * shunt), std::sqrt(series / shunt)};
}

Abcd LineAbcd(const LineConstants& line, double lengthMetres) {
  const Complex cosh = std::cosh(line.gamma * lengthMetres);
  const Complex sinh = std::sinh(line.gamma * lengthMetres);
  return {cosh, line.impedance * sinh, sinh / line.impedance, cosh};
}

TwoPort ScatteringOf(const Abcd& m, double referenceOhms) {
  const Complex b = m.b / referenceOhms, c = m.c * referenceOhms;
  const Complex denominator = m.a + b + c + m.d;
  return {{{(m.a + b - c - m.d) / denominator, 2.0 * (m.a * m.d - m.b * m.c) / denominator},
           {2.0 / denominator, (-m.a + b - c + m.d) / denominator}}};
}

TwoPort LineScattering(const Rlgc& line, double frequencyHertz, double lengthMetres,
                       double referenceOhms) {
  return ScatteringOf(LineAbcd(Propagation(line, frequencyHertz), lengthMetres), referenceOhms);
}

// A wave into one port is half even and half odd excitation; each mode answers with its own S,
// in phase on both lines for the even mode and opposite for the odd.
FourPort PairScattering(const TwoPort& even, const TwoPort& odd) {
  FourPort s;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      const double sign = i % 2 == j % 2 ? 1 : -1;
      s[i][j] = (even[i / 2][j / 2] + sign * odd[i / 2][j / 2]) / 2.0;
    }
  }
  return s;
}

namespace {

// std::to_chars, not printf: the window sets the user's locale, whose decimal comma a
// Touchstone reader would not take.
void Put(std::string& out, double x) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, x, std::chars_format::general, 12).ptr;
  out += ' ';
  out.append(text, end);
}

void Put(std::string& out, Complex z) {
  Put(out, z.real());
  Put(out, z.imag());
}

std::string Header(const FileLine& line, const char* ports) {
  std::string out = "! MacQuelvor: " + line.description + "\n! length (m):";
  Put(out, line.lengthMetres);
  out += "\n! every port referenced to (ohm):";
  Put(out, line.referenceOhms);
  out += std::string("\n! ") + ports + "\n# Hz S RI R";
  Put(out, line.referenceOhms);
  return out + "\n";
}

}  // namespace

// Touchstone 1.1 writes a 2-port's S column by column: S11 S21 S12 S22.
std::string TwoPortFile(const std::vector<double>& frequenciesHertz,
                        const std::function<Rlgc(double)>& rlgcAt, const FileLine& line) {
  std::string out = Header(line, "port 1 the near end, port 2 the far end");
  for (double f : frequenciesHertz) {
    const TwoPort s = LineScattering(rlgcAt(f), f, line.lengthMetres, line.referenceOhms);
    Put(out, f);
    for (const Complex z : {s[0][0], s[1][0], s[0][1], s[1][1]}) {
      Put(out, z);
    }
    out += '\n';
  }
  return out;
}

// From three ports on it writes S row by row, each row of four on a line of its own.
std::string FourPortFile(const std::vector<double>& frequenciesHertz,
                         const std::function<ModalRlgc(double)>& rlgcAt, const FileLine& line) {
  std::string out = Header(line,
                           "ports 1 and 3 the near and far ends of line 1, "
                           "2 and 4 those of line 2");
  for (double f : frequenciesHertz) {
    const ModalRlgc modes = rlgcAt(f);
    const double length = line.lengthMetres, reference = line.referenceOhms;
    const FourPort s = PairScattering(LineScattering(modes.even, f, length, reference),
                                      LineScattering(modes.odd, f, length, reference));
    Put(out, f);
    for (const auto& row : s) {
      for (const Complex z : row) {
        Put(out, z);
      }
      out += '\n';
    }
  }
  return out;
}

}  // namespace mq::touchstone
