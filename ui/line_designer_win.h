// SPDX-License-Identifier: MIT
// The Line Designer: any line the field solver knows, single or pair, typed in the fields of its
// structure in mm, mil or um (or a unit typed after the number), beside its published model with
// the verdicts, the width, spacing or gap found for a target, and the line drawn to scale; its
// loss at a frequency beside the published model's, and a plot against frequency or a dimension.
// Typing costs only the reading on the window's thread: the solver, the searches and the
// pictures work off it, newer inputs stopping older work. The structure, the unit and the texts
// are kept across runs.
#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "model/line_check.h"
#include "model/line_loss.h"
#include "toolkit/background_solve.h"
#include "ui/cross_section_view.h"
#include "ui/line_designer_fields.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mq {

class MacQuelvorWnd;
class LinePlotPanel;
class ResultTable;

class LineDesignerWin final : public QWidget {
  Q_OBJECT

 public:
  // The open Line Designer, or a new one with the last run's inputs (the first time, the
  // calculator's substrate); shown and in front.
  static LineDesignerWin& Show(MacQuelvorWnd& calculator);

  // What Ctrl+A, Ctrl+C copies: the structure, the units and the inputs, a line each, then the
  // table under its header row.
  QString Text() const;
  // True while the solver works on inputs whose answer is not yet shown.
  bool Solving() const { return !current_; }
  // True until the pictures of the newest answer are drawn.
  bool Drawing() const { return !drawn_; }
  // True while a dimension is sought.
  bool Finding() const { return finder_.Running(); }
  // True until the loss of the newest line is solved.
  bool SolvingLoss() const { return !basis_ || basis_->key != solvedFor_ || !current_; }

  ~LineDesignerWin() override;

 private:
  // An answer, and for today's pairs the answer their rows judge against.
  struct Answered {
    LineStructure structure;
    LineSolution line;
    std::optional<SolvedPair> today;
  };
  // The line drawn in its field (a pair in each mode's), a little after the figures.
  struct Pictures {
    CrossSectionPicture odd, even;
  };
  struct Checked {
    std::vector<PairRow> rows;
    std::vector<Limit> limits;
  };
  // What the loss needs of a geometry, and the solver's inputs it was solved for.
  struct KeyedBasis {
    std::string key;
    LineStructure structure;
    LossBasis basis;
  };

  explicit LineDesignerWin(MacQuelvorWnd& calculator);
  QLayout* BuildFields();
  QLayout* BuildLossFields();
  void AddField(QGridLayout* grid, int row, designer::Field field);
  QLayout* BuildButtons();
  QWidget* BuildTabs();
  void BuildLayout();
  void OrderTabs();
  void TakeSubstrate();
  bool Restore();
  void Save() const;
  void Reset();
  void Follow();
  LineStructure Structure() const;
  LengthUnit Unit() const;
  designer::FieldTexts Texts() const;
  designer::Picks Picks() const;
  designer::Reading ReadNow() const;
  void ShowFields();
  void ChangeUnits();
  QString InputLines() const;
  void Edited();
  void Update();
  void StartSolving(const designer::Design& design);
  void Solved(const Answered& answer);
  void Drawn(const Pictures& pictures);
  Checked Check(const designer::Design& design) const;
  void ShowPicture(const designer::Design& design);
  void ShowTable(const Checked& check);
  void ShowLoss(const designer::Design& design);
  void Find(LineUnknown unknown);
  void Found(const LineSynthesis& found);

  QComboBox* structure_;
  QComboBox* units_;
  std::array<QLabel*, designer::kFieldCount> captions_{};
  std::array<QLineEdit*, designer::kFieldCount> fields_{};
  std::array<QComboBox*, designer::kPopupCount> popups_{};
  QLabel* heightNote_;
  QLabel* message_;
  std::array<QPushButton*, 3> find_{};  // width, spacing, gap: as LineUnknown
  QPushButton* reset_;
  QCheckBox* even_;
  CrossSectionView* picture_;
  ResultTable* table_;
  ResultTable* lossTable_;
  LinePlotPanel* plot_;
  LengthUnit shownUnit_ = LengthUnit::kMillimetre;  // the unit the lengths are written in
  bool rewriting_ = false;                          // the window writes its own fields
  QString note_;                                    // what the last search found
  std::string solvedFor_;  // the solver's inputs of the last solve asked for
  // The newest answer, kept while newer inputs are solved, and the pictures of its field.
  std::optional<Answered> solved_;
  std::optional<designer::Design> solvedDesign_;
  Pictures pictures_;
  bool current_ = false;  // the answer is of the newest inputs
  bool drawn_ = false;    // and the pictures of the answer
  LineUnknown seeking_ = LineUnknown::kWidth;
  QString asked_;  // the inputs the search started from
  toolkit::BackgroundSolve<Answered> solver_;
  toolkit::BackgroundSolve<Pictures> painter_;
  toolkit::BackgroundSolve<LineSynthesis> finder_;
  std::optional<KeyedBasis> basis_;  // the newest solved, kept while a newer is solved
  toolkit::BackgroundSolve<KeyedBasis> lossSolver_;
};

}  // namespace mq
