// SPDX-License-Identifier: MIT
// The cross-check window: the shown page's figures beside the published models and the field
// solver's, the limits of its closed forms, and a picture of the line to scale, following the
// page as the user types, picks or calculates. It writes no field and shows no message. The
// solver runs off the window's thread; a newer edit supersedes an older solve, and a stale answer
// is never shown.
#pragma once

#include <QIcon>
#include <QPointer>
#include <QWidget>
#include <optional>
#include <string>

#include "model/cross_check.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace mq {

class CrossSectionView;
class MacQuelvorWnd;
struct CrossSectionPicture;

class CrossCheckWin final : public QWidget {
  Q_OBJECT

 public:
  // The open cross-check window, or a new one following the calculator; shown and in front.
  static CrossCheckWin& Show(MacQuelvorWnd& calculator);

  // The table as Ctrl+A, Ctrl+C copies it: a header row, then a row each, tab-separated.
  QString Text() const;
  // True while the solver works on an answer not yet shown.
  bool Solving() const { return !solved_.has_value(); }

 private:
  struct Inputs {
    int page = 0;
    MemoryFieldSet fields;
    double thickness = 0;
  };

  explicit CrossCheckWin(MacQuelvorWnd& calculator);
  void BuildLayout();
  void Follow();
  void Update();
  void StartSolving();
  void Solved(int generation, const SolvedPage& solved, const CrossSectionPicture& picture);
  void ShowTable(const CrossCheck& check);
  Inputs CurrentInputs() const;

  QPointer<MacQuelvorWnd> calculator_;
  QLabel* heading_;
  QLabel* thicknessCaption_;
  QLineEdit* thickness_;
  QLabel* thicknessUnit_;
  CrossSectionView* picture_;
  QTableWidget* table_;
  QIcon okIcon_, warningIcon_;  // the desktop's own, looked up once
  std::string solvedFor_;       // the inputs of the last solve asked for
  int generation_ = 0;          // of the newest inputs
  bool running_ = false;
  std::optional<SolvedPage> solved_;
};

}  // namespace mq
