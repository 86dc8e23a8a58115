// SPDX-License-Identifier: MIT
#include "model/cross_check.h"

#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "model/coax.h"
#include "model/line_models.h"
#include "model/microstrip.h"
#include "model/reference_lines.h"
#include "model/stripline.h"

namespace mq {
namespace {

namespace msg = messages;
using Lines = std::vector<std::string>;
using Check = std::pair<double, std::string_view>;  // a value that must be positive, its message

constexpr double kHertzPerGigahertz = 1e9;
constexpr double kMetresPerMillimetre = 1e-3;
// The range of W/h and W/b over which docs/accuracy.md measured the closed forms.
constexpr double kMeasuredFrom = 0.05;
constexpr double kMeasuredTo = 10;
// Where the exact forms are solved for a width: W/h from 1e-4 to 1e3, W/b from 1e-3 to the
// widest strip measured.
constexpr double kMicrostripNarrowest = 1e-4;
constexpr double kMicrostripWidest = 1e3;
constexpr double kStriplineNarrowest = 1e-3;
constexpr double kStriplineWidest = kMeasuredTo;

// A decimal comma counts as the procedures count it, without writing the field.
double Read(const FieldSet& fields, std::string_view name) {
  return ParseLeadingNumber(ReplaceFirstComma(fields.Text(name)));
}

std::string Figure(double value, int digits = 5) {
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, digits);
  return std::string(buffer.data(), ec == std::errc{} ? end : buffer.data());
}

std::string Percent(double value, double reference) {
  const double percent = 100 * (value - reference) / reference;
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), percent,
                                       std::chars_format::fixed, 2);
  const std::string digits(buffer.data(), ec == std::errc{} ? end : buffer.data());
  return (percent >= 0 ? "+" : "") + digits + " %";
}

// "  Impedance: 49.81 ohm here, 49.64 ohm by the reference (+0.34 %)". Inputs at the ends of
// what a double holds can take a figure past it; the line says so instead of printing it.
std::string Overflowed(std::string_view what) {
  return "  " + std::string(what) + ": no finite figure for these inputs";
}

std::string Compare(std::string_view what, double value, double reference, std::string_view unit) {
  if (!std::isfinite(100 * (value - reference) / reference)) {
    return Overflowed(what);
  }
  return "  " + std::string(what) + ": " + Figure(value) + std::string(unit) + " here, " +
         Figure(reference) + std::string(unit) + " by the reference (" + Percent(value, reference) +
         ")";
}

// The message of the first value that is not positive, as the procedures check, or nothing.
std::string FirstFailure(std::initializer_list<Check> checks) {
  for (const auto& [value, message] : checks) {
    if (!(value > 0)) {
      return "  " + std::string(message);
    }
  }
  return {};
}

// A ratio typed at a range's end (0.16 mm on 1.6 mm) is inside it, whatever its last bit.
bool Within(double ratio, double lowest, double highest) {
  constexpr double kSlack = 1e-12;
  return ratio >= lowest * (1 - kSlack) && ratio <= highest * (1 + kSlack);
}

std::string RangeLine(std::string_view ratioName, double ratio) {
  if (Within(ratio, kMeasuredFrom, kMeasuredTo)) {
    return {};
  }
  return "  " + std::string(ratioName) + " " + Figure(ratio, 3) +
         " lies outside 0.05-10, where docs/accuracy.md measured the model";
}

void AddUnlessEmpty(Lines& lines, std::string line) {
  if (!line.empty()) {
    lines.push_back(std::move(line));
  }
}

// Under a section's heading: the message of the first input it lacks, or its figures.
void AddSection(Lines& lines, std::string heading, std::initializer_list<Check> needs,
                const std::function<Lines()>& figures) {
  lines.push_back(std::move(heading));
  if (std::string failure = FirstFailure(needs); !failure.empty()) {
    lines.push_back(std::move(failure));
    return;
  }
  for (std::string& line : figures()) {
    lines.push_back(std::move(line));
  }
}

// Which end of the search a wanted impedance lies beyond, in words that name the end.
std::string SearchFailure(reference::WidthSearch::Outcome outcome, std::string_view ratioName,
                          double narrowest, double widest) {
  using Outcome = reference::WidthSearch::Outcome;
  if (outcome == Outcome::kAboveNarrowest) {
    return "  Impedance is above what a strip down to " + std::string(ratioName) + " " +
           Figure(narrowest) + " reaches.";
  }
  return "  Impedance is below what a strip up to " + std::string(ratioName) + " " +
         Figure(widest) + " reaches.";
}

// The page's width for the wanted impedance beside the reference's, solved for W/h (W/b) so
// that no bound of the search overflows, or why there is none.
std::string CompareWidths(double width, double height,
                          const std::function<double(double)>& exactOfRatio, double impedance,
                          std::string_view ratioName, double narrowest, double widest) {
  const auto search = reference::SolveWidth(exactOfRatio, impedance, narrowest, widest);
  if (search.outcome != reference::WidthSearch::Outcome::kFound) {
    return SearchFailure(search.outcome, ratioName, narrowest, widest);
  }
  if (!std::isfinite(search.width * height)) {
    return Overflowed("Width");
  }
  if (!(width > 0)) {
    return "  Width: none here, " + Figure(search.width * height) + " mm by the reference";
  }
  return Compare("Width", width, search.width * height, " mm");
}

constexpr std::string_view kLimits = "Limits of the model at this frequency";
constexpr std::string_view kSynthesis =
    "Synthesis of the Impedance field, against the same model solved for W";

struct Microstrip {
  double width, height, permittivity, gigahertz, impedance;
};

// Hammerstad and Jensen's eeff takes a power of (er - 0.9): below air the published forms have
// no figure, where the page's form still gives one.
Check NotBelowAir(double permittivity) {
  return {permittivity >= 1 ? 1.0 : 0.0,
          "The published models need a dielectric constant of at least 1."};
}

// Kirschning and Jansen's form outside the range its authors measured, named, or nothing.
std::string DispersionRangeLine(double ratio, double permittivity, double heightPerWavelength) {
  std::string outside;
  if (!Within(ratio, reference::kDispersionNarrowest, reference::kDispersionWidest)) {
    outside += ", W/h " + Figure(ratio, 3);
  }
  if (!Within(permittivity, 1, reference::kDispersionHighestPermittivity)) {
    outside += ", er " + Figure(permittivity, 3);
  }
  if (!Within(heightPerWavelength, 0, reference::kDispersionThickest)) {
    outside += ", h/lambda0 " + Figure(heightPerWavelength, 3);
  }
  if (outside.empty()) {
    return {};
  }
  return "  Outside the range Kirschning and Jansen state (W/h 0.1-100, er up to 20, h/lambda0 "
         "up to 0.13):" +
         outside.substr(1);
}

// The dispersed eeff beside the static figures it starts from: the published model's and the
// page's, each named.
Lines DispersionLines(const Microstrip& in) {
  const double w = in.width, h = in.height, er = in.permittivity;
  if (auto failure = FirstFailure(
          {{in.gigahertz, msg::kFrequency}, {er, msg::kPermittivity}, NotBelowAir(er)});
      !failure.empty()) {
    return {failure};
  }
  const double frequency = in.gigahertz * kHertzPerGigahertz;
  const double still = reference::MicrostripEffectivePermittivity(w, h, er);
  const double dispersed = reference::MicrostripDispersedPermittivity(
      w * kMetresPerMillimetre, h * kMetresPerMillimetre, er, frequency);
  const double heightPerWavelength =
      h * kMetresPerMillimetre * frequency / reference::kSpeedOfLight;
  const double shown = microstrip::EffectivePermittivity(w, h, er);
  // Far outside their range (W/h 1e-80) the published forms overflow.
  const bool finite = std::isfinite(100 * (dispersed - still) / still + shown);
  Lines lines{"  Dispersion at " + Figure(in.gigahertz) +
              (finite ? " GHz (Kirschning and Jansen, 1982): eeff " + Figure(dispersed, 4) + ", " +
                            Percent(dispersed, still) + " on Hammerstad and Jensen's static " +
                            Figure(still, 4) + "; the page shows the static " + Figure(shown, 4)
                      : " GHz: no finite figure for these inputs")};
  AddUnlessEmpty(lines, DispersionRangeLine(w / h, er, heightPerWavelength));
  return lines;
}

Lines CheckMicrostrip(const Microstrip& in) {
  const double w = in.width, h = in.height, er = in.permittivity;
  Lines lines;
  AddSection(lines, "Analysis, against Hammerstad and Jensen (1980), zero thickness",
             {{h, msg::kHeight}, {w, msg::kWidth}, {er, msg::kPermittivity}, NotBelowAir(er)}, [&] {
               const double eeff = microstrip::EffectivePermittivity(w, h, er);
               return Lines{Compare("Impedance", microstrip::CharacteristicImpedance(w, h, eeff),
                                    reference::MicrostripImpedance(w, h, er), " ohm"),
                            Compare("Eff. dielectric constant", eeff,
                                    reference::MicrostripEffectivePermittivity(w, h, er), "")};
             });
  AddSection(
      lines, std::string(kSynthesis),
      {{h, msg::kHeight},
       {in.impedance, msg::kImpedance},
       {er, msg::kPermittivity},
       NotBelowAir(er)},
      [&] {
        const auto exact = [er](double u) { return reference::MicrostripImpedance(u, 1, er); };
        return Lines{CompareWidths(microstrip::SynthesizedWidth(in.impedance, h, er), h, exact,
                                   in.impedance, "W/h", kMicrostripNarrowest, kMicrostripWidest)};
      });
  AddSection(lines, std::string(kLimits), {{h, msg::kHeight}, {w, msg::kWidth}}, [&] {
    Lines figures;
    AddUnlessEmpty(figures, RangeLine("W/h", w / h));
    for (std::string& line : DispersionLines(in)) {
      figures.push_back(std::move(line));
    }
    return figures;
  });
  return lines;
}

struct Stripline {
  double width, spacing, thickness, permittivity, conductivity, gigahertz, impedance;
};

std::string SkinDepthLine(const Stripline& in) {
  if (auto failure = FirstFailure({{in.thickness, "The strip has no thickness to compare."},
                                   {in.gigahertz, msg::kFrequency},
                                   {in.conductivity, "Conductivity must be greater than zero."}});
      !failure.empty()) {
    return failure;
  }
  const double depth =
      reference::SkinDepthMetres(in.gigahertz * kHertzPerGigahertz, in.conductivity);
  const double depths = in.thickness * kMetresPerMillimetre / depth;
  if (!std::isfinite(depths)) {
    return Overflowed("Skin depth");
  }
  return "  Skin depth " + Figure(depth * 1e6, 3) + " um at " + Figure(in.gigahertz) +
         " GHz: the strip is " + Figure(depths, 3) + " skin depths thick" +
         (depths < 3 ? "; under three, the loss figure (thick conductor) is too low"
                     : ", enough for the loss figure");
}

Lines CheckStripline(const Stripline& in) {
  const double w = in.width, b = in.spacing, er = in.permittivity;
  // A strip as thick as the spacing fails as the procedures fail it.
  const Check thin{b - in.thickness, msg::kThicknessNotSmaller};
  Lines lines;
  AddSection(lines, "Analysis, against Cohn's exact impedance (1954), zero thickness",
             {{b, msg::kHeight}, {w, msg::kWidth}, {er, msg::kPermittivity}, thin}, [&] {
               return Lines{Compare("Impedance", stripline::CharacteristicImpedance(w, b, er),
                                    reference::StriplineImpedance(w, b, er), " ohm")};
             });
  AddSection(
      lines, std::string(kSynthesis),
      {{b, msg::kHeight}, {er, msg::kPermittivity}, {in.impedance, msg::kImpedance}, thin}, [&] {
        const auto exact = [er](double u) { return reference::StriplineImpedance(u, 1, er); };
        return Lines{CompareWidths(stripline::SynthesizedWidth(in.impedance, b, er), b, exact,
                                   in.impedance, "W/b", kStriplineNarrowest, kStriplineWidest)};
      });
  AddSection(lines, std::string(kLimits), {}, [&] {
    Lines figures{SkinDepthLine(in)};
    if (b > 0 && w > 0) {
      AddUnlessEmpty(figures, RangeLine("W/b", w / b));
    }
    return figures;
  });
  return lines;
}

struct Coax {
  double inner, outer, permittivity, gigahertz, impedance;
};

Lines CheckCoax(const Coax& in) {
  const double d = in.inner, outer = in.outer, er = in.permittivity;
  const Check smaller{outer - d, msg::kInnerNotSmaller};
  Lines lines;
  AddSection(
      lines, "Analysis, against the exact TEM impedance with the CODATA wave impedance",
      {{d, msg::kInnerDiameter}, {outer, msg::kOuterDiameter}, smaller, {er, msg::kPermittivity}},
      [&] {
        return Lines{Compare("Impedance", coax::CharacteristicImpedance(d / 2, outer / 2, er),
                             reference::CoaxImpedance(d, outer, er), " ohm")};
      });
  AddSection(
      lines, "Synthesis of the Impedance field, against the exact inverse",
      {{outer, msg::kOuterDiameter}, {in.impedance, msg::kImpedance}, {er, msg::kPermittivity}},
      [&] {
        const coax::Material material{er, 0, 0, 1};
        const double inner =
            2 * coax::ComputeSynthesis({material, outer / 2, in.impedance, 0}).innerRadius;
        const double exact = reference::CoaxInnerDiameter(in.impedance, outer, er);
        return Lines{exact > 0 ? Compare("Inner diameter", inner, exact, " mm")
                               : "  Impedance is too high: the inner diameter underflows to zero."};
      });
  AddSection(
      lines, std::string(kLimits),
      {{d, msg::kInnerDiameter},
       {outer, msg::kOuterDiameter},
       smaller,
       {in.gigahertz, msg::kFrequency},
       {er, msg::kPermittivity}},
      [&] {
        const double cutoff = reference::CoaxFirstHigherModeCutoffHertz(
                                  d * kMetresPerMillimetre, outer * kMetresPerMillimetre, er) /
                              kHertzPerGigahertz;
        const std::string at = Figure(in.gigahertz) + " GHz";
        if (!std::isfinite(cutoff)) {
          return Lines{Overflowed("First higher mode (TE11)")};
        }
        return Lines{"  First higher mode (TE11) from " + Figure(cutoff, 4) + " GHz: " +
                     (in.gigahertz < cutoff ? "single-mode at " + at
                                            : "at " + at + " the line is no longer single-mode")};
      });
  return lines;
}

}  // namespace

field_solver::Answer SolvePage(int page, const FieldSet& f, double microstripThickness) {
  switch (page) {
    case 1:
      return field_solver::SolveMicrostrip(Read(f, "WidthField"), Read(f, "HeightField"),
                                           microstripThickness, Read(f, "DiConstField"));
    case 2:
      return field_solver::SolveStripline(Read(f, "WidthField2"), Read(f, "HeightField2"),
                                          Read(f, "ThicknessField2"), Read(f, "DiConstField2"));
    default:
      return field_solver::SolveCoax(Read(f, "InnerDiaField"), Read(f, "OuterDiaField"),
                                     Read(f, "DiConstField3"));
  }
}

std::vector<std::string> CrossCheckPage(int page, const FieldSet& f) {
  switch (page) {
    case 1:
      return CheckMicrostrip({Read(f, "WidthField"), Read(f, "HeightField"),
                              Read(f, "DiConstField"), Read(f, "FreqField"), Read(f, "ImpField")});
    case 2:
      return CheckStripline({Read(f, "WidthField2"), Read(f, "HeightField2"),
                             Read(f, "ThicknessField2"), Read(f, "DiConstField2"),
                             Read(f, "ConField2"), Read(f, "FreqField2"), Read(f, "ImpField2")});
    case 3:
      return CheckCoax({Read(f, "InnerDiaField"), Read(f, "OuterDiaField"),
                        Read(f, "DiConstField3"), Read(f, "FreqField3"), Read(f, "ImpField3")});
  }
  return {};
}

}  // namespace mq
