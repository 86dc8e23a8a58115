// SPDX-License-Identifier: MIT
// The About window: the program's name, version and credits. Not modal; at most one is open.
#pragma once

#include <QWidget>

#include "toolkit/controls.h"

namespace mq {

class AboutWin final : public QWidget {
  Q_OBJECT

 public:
  // The open About window, or a newly built one. Closing it destroys it.
  static AboutWin& Instance();
  static AboutWin* OpenInstance();

  const toolkit::Controls& Controls() const { return controls_; }

 private:
  AboutWin();

  toolkit::Controls controls_;
};

}  // namespace mq
