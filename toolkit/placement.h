// SPDX-License-Identifier: MIT
// Where a window of the program's own opens when the window manager leaves placement to the
// program: beside the window it belongs to, never over it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <span>

class QWidget;

namespace mq::toolkit {

// The top-left corner of a frame of that size beside the anchor's frame on the screen: to its
// right, else to its left, else below it; kept on the screen. A side taken by another of the
// program's windows (`taken`, the frames of those open) is passed over while another side has
// room, so two windows beside one anchor never open one over the other.
QPoint BesidePosition(const QRect& anchor, const QSize& frame, const QRect& screen,
                      std::span<const QRect> taken = {});

// Moves a window that is not shown yet beside the anchor, on the anchor's screen, where no other
// open window of the program's stands.
void PlaceBeside(QWidget& window, const QWidget& anchor);

}  // namespace mq::toolkit
