// SPDX-License-Identifier: MIT
// The cross-check window: the shown page's figures against the reference models and the limits
// of its closed forms at the page's frequency, following the page as the user types, picks or
// calculates. It writes no field and shows no message.
#pragma once

#include <QPointer>
#include <QWidget>

class QPlainTextEdit;

namespace mq {

class MacQuelvorWnd;

class CrossCheckWin final : public QWidget {
  Q_OBJECT

 public:
  // The open cross-check window, or a new one following the calculator; shown and in front.
  static CrossCheckWin& Show(MacQuelvorWnd& calculator);

  QString Text() const;

 private:
  explicit CrossCheckWin(MacQuelvorWnd& calculator);
  void Follow();
  void Update();

  QPointer<MacQuelvorWnd> calculator_;
  QPlainTextEdit* text_;
};

}  // namespace mq
