// SPDX-License-Identifier: MIT
#include "toolkit/image_well.h"

#include <QTimer>

namespace mq::toolkit {

ImageWell::ImageWell(Source source, QWidget* parent) : QLabel(parent), source_(std::move(source)) {
  setAlignment(Qt::AlignCenter);
}

// The picture is fetched just after the well is first painted, so the window appears on screen
// without waiting for the picture decoder to load. A picture the resources lack leaves the well
// empty and is asked for again the next time it is painted.
void ImageWell::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (pixmap().isNull() && source_ && !fetchPending_) {
    fetchPending_ = true;
    QTimer::singleShot(0, this, [this] {
      fetchPending_ = false;
      if (isVisible() && pixmap().isNull()) {
        setPixmap(source_());
      }
    });
  }
}

}  // namespace mq::toolkit
