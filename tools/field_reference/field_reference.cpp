// SPDX-License-Identifier: MIT
// field_reference: the impedance of a microstrip or stripline from the field solver refined
// (panels times each density given, quadrature to about 1e-16, every thickness solved as it
// is), with the relative change from one density to the next, the convergence to judge a
// reference by. `field_reference microstrip|stripline W H T ER [DENSITY...]` (default 4 8 16).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "solver/field_solver.h"

namespace mq::field_solver::reference {
// Defined in solver/field_solver.cpp, out of the header the program includes.
Answer SolveRefined(bool microstrip, double width, double height, double thickness,
                    double permittivity, double density);
}  // namespace mq::field_solver::reference

int main(int argc, char** argv) {
  const std::string page = argc > 1 ? argv[1] : "";
  if (argc < 6 || (page != "microstrip" && page != "stripline")) {
    std::fprintf(stderr, "usage: field_reference microstrip|stripline W H T ER [DENSITY...]\n");
    return 2;
  }
  std::vector<double> densities;
  for (int i = 6; i < argc; ++i) {
    densities.push_back(std::atof(argv[i]));
  }
  if (densities.empty()) {
    densities = {4, 8, 16};
  }
  double previous = 0;
  for (const double density : densities) {
    const auto answer = mq::field_solver::reference::SolveRefined(
        page == "microstrip", std::atof(argv[2]), std::atof(argv[3]), std::atof(argv[4]),
        std::atof(argv[5]), density);
    if (!answer.reason.empty()) {
      std::printf("%s\n", answer.reason.c_str());
      return 1;
    }
    std::printf("density %g: impedance %.10g ohm, change %.1e\n", density, answer.impedance,
                previous > 0 ? answer.impedance / previous - 1 : 0.0);
    previous = answer.impedance;
  }
  return 0;
}
