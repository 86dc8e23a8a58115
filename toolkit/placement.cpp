// SPDX-License-Identifier: MIT
#include "toolkit/placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace mq::toolkit {

namespace {

// The start of a span of that length kept within [first, last + 1), its start first where the
// span is longer than the room.
int Within(int start, int length, int first, int last) {
  return std::max(first, std::min(start, last + 1 - length));
}

}  // namespace

QPoint BesidePosition(const QRect& anchor, const QSize& frame, const QRect& screen) {
  const int top = Within(anchor.top(), frame.height(), screen.top(), screen.bottom());
  if (anchor.right() + 1 + frame.width() <= screen.right() + 1) {
    return {anchor.right() + 1, top};
  }
  if (anchor.left() - frame.width() >= screen.left()) {
    return {anchor.left() - frame.width(), top};
  }
  return {Within(anchor.left(), frame.width(), screen.left(), screen.right()),
          Within(anchor.bottom() + 1, frame.height(), screen.top(), screen.bottom())};
}

// A window not yet shown has no frame; the anchor's frame margins stand in for its own.
void PlaceBeside(QWidget& window, const QWidget& anchor) {
  const QRect outer = anchor.frameGeometry();
  const QSize margins = outer.size() - anchor.size();
  const QPoint corner =
      BesidePosition(outer, window.size() + margins, anchor.screen()->availableGeometry());
  window.move(corner);
}

}  // namespace mq::toolkit
