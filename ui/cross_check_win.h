// SPDX-License-Identifier: MIT
// The cross-check window: the shown page's figures beside the published models and the field
// solver's, the limits of its closed forms, and a picture of the line to scale, following the
// page as the user types, picks or calculates. It writes no field and shows no message. The
// solver runs off the window's thread and only when what it reads changes; a newer edit stops an
// older solve, whose figures stay, marked as updating, until the newest are in.
#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>
#include <string>

#include "model/cross_check.h"
#include "toolkit/background_solve.h"
#include "ui/cross_section_view.h"

class QLabel;
class QLineEdit;

namespace mq {

class MacQuelvorWnd;
class ResultTable;

class CrossCheckWin final : public QWidget {
  Q_OBJECT

 public:
  // The open cross-check window, or a new one following the calculator; shown and in front.
  static CrossCheckWin& Show(MacQuelvorWnd& calculator);

  // The table as Ctrl+A, Ctrl+C copies it: a header row, then a row each, tab-separated.
  QString Text() const;
  // True while the solver works on inputs whose answer is not yet shown.
  bool Solving() const { return !current_; }
  // The microstrip's copper thickness as typed (mm), which the calculator's page has no field for.
  QString StripThickness() const;
  // How many solves the window has asked for: a test's view of its re-solve rule.
  int SolvesAsked() const { return generation_; }

  ~CrossCheckWin() override;

 private:
  struct Inputs {
    int page = 0;
    MemoryFieldSet fields;
    double thickness = 0;
  };
  // The solver's figures with the line drawn in their field.
  struct Solution {
    SolvedPage solved;
    CrossSectionPicture picture;
  };

  explicit CrossCheckWin(MacQuelvorWnd& calculator);
  void BuildLayout();
  void Follow();
  void Update();
  void StartSolving();
  void ShowCurrentTable();
  void Solved(const Solution& solution);
  void ShowTable(const CrossCheck& check);
  Inputs CurrentInputs() const;

  QPointer<MacQuelvorWnd> calculator_;
  QLabel* heading_;
  QLabel* thicknessCaption_;
  QLineEdit* thickness_;
  QLabel* thicknessUnit_;
  CrossSectionView* picture_;
  ResultTable* table_;
  std::string solvedFor_;             // the solver's inputs of the last solve asked for
  int generation_ = 0;                // of the newest inputs
  std::optional<SolvedPage> solved_;  // the newest answer, kept while newer inputs are solved
  bool current_ = false;              // it answers the newest inputs
  toolkit::BackgroundSolve<Solution> solver_;
};

}  // namespace mq
