// SPDX-License-Identifier: MIT
// Measures the program's closed forms against the reference solutions and writes the error
// tables (TSV, for the plots) and the tables of docs/accuracy.md.
//   accuracy_report OUTPUT_DIRECTORY
//   accuracy_report --stripline W/b
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/coax.h"
#include "model/microstrip.h"
#include "model/reference_lines.h"
#include "model/stripline.h"

namespace ref = mq::reference;

namespace {

const std::vector<double> kPermittivities = {1.0, 2.2, 4.6, 9.8, 12.9};

// 61 ratios from 0.05 to 10, evenly spaced on a log scale.
std::vector<double> Ratios() {
  std::vector<double> ratios;
  for (int i = 0; i <= 60; ++i) {
    ratios.push_back(0.05 * std::pow(200.0, i / 60.0));
  }
  return ratios;
}

double PercentError(double value, double reference) {
  return 100 * (value - reference) / reference;
}

double MicrostripImpedanceError(double u, double er) {
  const double eeff = mq::microstrip::EffectivePermittivity(u, 1.0, er);
  return PercentError(mq::microstrip::CharacteristicImpedance(u, 1.0, eeff),
                      ref::MicrostripImpedance(u, 1.0, er));
}

double MicrostripPermittivityError(double u, double er) {
  return PercentError(mq::microstrip::EffectivePermittivity(u, 1.0, er),
                      ref::MicrostripEffectivePermittivity(u, 1.0, er));
}

double StriplineImpedanceError(double ratio) {
  return PercentError(mq::stripline::CharacteristicImpedance(ratio, 1.0, 1.0),
                      ref::StriplineImpedance(ratio, 1.0, 1.0));
}

double CoaxImpedanceError(double ratio, double er) {
  return PercentError(mq::coax::CharacteristicImpedance(1.0, ratio, er),
                      ref::CoaxImpedance(2.0, 2 * ratio, er));
}

using ErrorOf = double (*)(double, double);

void WriteTable(const std::filesystem::path& file, ErrorOf error) {
  std::ofstream out(file);
  out << "ratio";
  for (const double er : kPermittivities) {
    out << "\ter=" << er;
  }
  out << '\n';
  for (const double u : Ratios()) {
    out << u;
    for (const double er : kPermittivities) {
      out << '\t' << error(u, er);
    }
    out << '\n';
  }
}

double WorstError(ErrorOf error, double from, double to) {
  double worst = 0;
  for (const double u : Ratios()) {
    if (u >= from * (1 - 1e-9) && u <= to * (1 + 1e-9)) {
      for (const double er : kPermittivities) {
        worst = std::max(worst, std::fabs(error(u, er)));
      }
    }
  }
  return worst;
}

void WriteMarkdownTables(const std::filesystem::path& file) {
  std::FILE* out = std::fopen(file.c_str(), "w");
  const double shown[] = {0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10};
  std::fprintf(out,
               "| W/h | er 1 | er 2.2 | er 4.6 | er 9.8 | er 12.9 |\n|---|---|---|---|---|---|\n");
  for (const double u : shown) {
    std::fprintf(out, "| %g |", u);
    for (const double er : kPermittivities) {
      std::fprintf(out, " %+.2f %% / %+.2f %% |", MicrostripImpedanceError(u, er),
                   MicrostripPermittivityError(u, er));
    }
    std::fprintf(out, "\n");
  }
  std::fprintf(out, "\n| W/b | stripline Z0 error |\n|---|---|\n");
  for (const double u : shown) {
    std::fprintf(out, "| %g | %+.2f %% |\n", u, StriplineImpedanceError(u));
  }
  std::fprintf(out, "\n| D/d | coax Z0 error (any er) |\n|---|---|\n");
  for (const double ratio : {1.5, 2.3, 3.5, 10.0}) {
    std::fprintf(out, "| %g | %+.4f %% |\n", ratio, CoaxImpedanceError(ratio, 1.0));
  }
  std::fprintf(
      out,
      "\nWorst |error| over the ranges: microstrip Z0 %.2f %% (W/h 0.05-10), eeff %.2f %%; "
      "stripline Z0 %.2f %% (W/b 0.05-2), %.2f %% (W/b 0.05-10); coax Z0 %.4f %%.\n",
      WorstError(MicrostripImpedanceError, 0.05, 10),
      WorstError(MicrostripPermittivityError, 0.05, 10),
      WorstError([](double u, double) { return StriplineImpedanceError(u); }, 0.05, 2),
      WorstError([](double u, double) { return StriplineImpedanceError(u); }, 0.05, 10),
      WorstError(CoaxImpedanceError, 1.05, 10));
  std::fclose(out);
}

}  // namespace

int main(int argc, char** argv) {
  // accuracy_report --stripline W/b: the program's and the exact air-line impedance, for setting
  // beside a field solver's figure.
  if (argc == 3 && std::string(argv[1]) == "--stripline") {
    const double ratio = std::atof(argv[2]);
    std::printf("%.3f %.3f\n", mq::stripline::CharacteristicImpedance(ratio, 1.0, 1.0),
                ref::StriplineImpedance(ratio, 1.0, 1.0));
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: accuracy_report OUTPUT_DIRECTORY | --stripline W/b\n");
    return 2;
  }
  const std::filesystem::path directory(argv[1]);
  std::filesystem::create_directories(directory);
  WriteTable(directory / "microstrip_impedance.tsv", MicrostripImpedanceError);
  WriteTable(directory / "microstrip_permittivity.tsv", MicrostripPermittivityError);
  WriteTable(directory / "stripline_impedance.tsv",
             [](double u, double) { return StriplineImpedanceError(u); });
  WriteTable(directory / "coax_impedance.tsv",
             [](double u, double er) { return CoaxImpedanceError(1 + u, er); });
  WriteMarkdownTables(directory / "tables.md");
  return 0;
}
