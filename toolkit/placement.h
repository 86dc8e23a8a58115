// SPDX-License-Identifier: MIT
// Where a window of the program's own opens when the window manager leaves placement to the
// program: beside the window it belongs to, never over it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace mq::toolkit {

// The top-left corner of a frame of that size beside the anchor's frame on the screen: to its
// right, else to its left, else below it; kept on the screen.
QPoint BesidePosition(const QRect& anchor, const QSize& frame, const QRect& screen);

// Moves a window that is not shown yet beside the anchor, on the anchor's screen.
void PlaceBeside(QWidget& window, const QWidget& anchor);

}  // namespace mq::toolkit
