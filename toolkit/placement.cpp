// SPDX-License-Identifier: MIT
#include "toolkit/placement.h"

#include <QApplication>
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

QPoint BesidePosition(const QRect& anchor, const QSize& frame, const QRect& screen,
                      std::span<const QRect> taken) {
  const int top = Within(anchor.top(), frame.height(), screen.top(), screen.bottom());
  const QPoint right(anchor.right() + 1, top), left(anchor.left() - frame.width(), top);
  const QPoint below(Within(anchor.left(), frame.width(), screen.left(), screen.right()),
                     Within(anchor.bottom() + 1, frame.height(), screen.top(), screen.bottom()));
  const auto fits = [&](QPoint corner) {
    return corner.x() >= screen.left() && corner.x() + frame.width() <= screen.right() + 1;
  };
  const auto free = [&](QPoint corner) {
    return std::none_of(taken.begin(), taken.end(),
                        [&](const QRect& other) { return other.intersects(QRect(corner, frame)); });
  };
  for (const bool mustBeFree : {true, false}) {
    for (const QPoint corner : {right, left}) {
      if (fits(corner) && (free(corner) || !mustBeFree)) {
        return corner;
      }
    }
    if (mustBeFree && free(below)) {
      return below;
    }
  }
  return below;
}

// A window not yet shown has no frame; the anchor's frame margins stand in for its own.
void PlaceBeside(QWidget& window, const QWidget& anchor) {
  const QRect outer = anchor.frameGeometry();
  const QSize margins = outer.size() - anchor.size();
  QList<QRect> taken;
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other != &window && other != &anchor && other->isVisible()) {
      taken << other->frameGeometry();
    }
  }
  const QPoint corner =
      BesidePosition(outer, window.size() + margins, anchor.screen()->availableGeometry(), taken);
  window.move(corner);
}

}  // namespace mq::toolkit
