// SPDX-License-Identifier: MIT
// The differential pair window: an edge-coupled microstrip or stripline pair typed in its own
// fields, starting from the calculator's substrate; its figures beside the published models, the
// width or spacing found for a target differential impedance, and the pair drawn to scale in
// either mode's field. Typing costs only the closed forms on the window's thread: the field
// solver works off it, a newer edit stopping an older solve.
#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "model/pair.h"
#include "toolkit/background_solve.h"
#include "ui/cross_section_view.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mq {

class MacQuelvorWnd;
class ResultTable;

class PairWin final : public QWidget {
  Q_OBJECT

 public:
  // The open pair window, or a new one with the calculator's substrate; shown and in front.
  static PairWin& Show(MacQuelvorWnd& calculator);

  // What Ctrl+A, Ctrl+C copies: the inputs, a line each, then the table under its header row.
  QString Text() const;
  // True while the solver works on inputs whose answer is not yet shown.
  bool Solving() const { return !current_; }
  // True until both modes' fields of the newest answer are drawn.
  bool Drawing() const { return !drawn_; }
  // True while a width or spacing is sought.
  bool Finding() const { return finder_.Running(); }

  ~PairWin() override;

 private:
  enum Field { kWidth, kSpacing, kHeight, kThickness, kPermittivity, kFrequency, kTarget, kFields };

  // The pair as typed, and the target; none while a field holds no number.
  struct Reading {
    PairInputs in;
    double target = 0;
  };
  // The pair drawn in each mode's field, a few tenths of a second's work after the figures.
  struct Pictures {
    CrossSectionPicture odd, even;
  };

  explicit PairWin(MacQuelvorWnd& calculator);
  QLayout* BuildFields();
  void BuildLayout();
  void TakeSubstrate(MacQuelvorWnd& calculator);
  void Follow();
  QStringList Typed() const;
  void Keep();
  std::optional<Reading> Read() const;
  QString Unreadable() const;
  QString InputLines() const;
  void Edited();
  void Update();
  void StartSolving(const PairInputs& in);
  void Solved(const SolvedPair& answer);
  void Drawn(const Pictures& pictures);
  PairCheck Check(const PairInputs& in) const;
  void ShowPicture(const PairInputs& in);
  void ShowTable(const PairCheck& check);
  void Find(bool width);
  void Found(const PairSynthesis& found);

  QComboBox* structure_;
  std::array<QLineEdit*, kFields> fields_{};
  QLabel* heightNote_;
  QLabel* message_;
  QPushButton* findWidth_;
  QPushButton* findSpacing_;
  QCheckBox* even_;
  CrossSectionView* picture_;
  ResultTable* table_;
  QStringList taken_;      // the calculator's substrate the fields started from
  QString note_;           // what the last search found, until the next edit
  std::string solvedFor_;  // the solver's inputs of the last solve asked for
  // The newest answer, kept while newer inputs are solved, and the pictures of its field.
  std::optional<SolvedPair> solved_;
  std::optional<PairInputs> solvedInputs_;
  Pictures pictures_;
  bool current_ = false;       // the answer is of the newest inputs
  bool drawn_ = false;         // and the pictures of the answer
  bool seekingWidth_ = false;  // else the spacing
  QString asked_;              // the inputs the search started from
  toolkit::BackgroundSolve<SolvedPair> solver_;
  toolkit::BackgroundSolve<Pictures> painter_;
  toolkit::BackgroundSolve<PairSynthesis> finder_;
};

}  // namespace mq
