// SPDX-License-Identifier: MIT
#include "toolkit/image_well.h"

#include <QTimer>

namespace mq::toolkit {

ImageWell::ImageWell(Source source, QWidget* parent) : QLabel(parent), source_(std::move(source)) {
  setAlignment(Qt::AlignCenter);
}

// The picture is fetched just after the well is first painted, so the window appears on screen
// without waiting for the picture decoder to load. A picture the resources lack leaves the well
// empty; it is asked for once per showing, never on every paint (setting an empty picture
// schedules another paint, which would ask again without end).
void ImageWell::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (pixmap().isNull() && source_ && !fetchPending_ && !fetchedSinceShown_) {
    fetchPending_ = true;
    QTimer::singleShot(0, this, [this] {
      fetchPending_ = false;
      if (isVisible() && pixmap().isNull()) {
        fetchedSinceShown_ = true;
        const QPixmap picture = source_();
        if (!picture.isNull()) {
          setPixmap(picture);
        }
      }
    });
  }
}

void ImageWell::showEvent(QShowEvent* event) {
  fetchedSinceShown_ = false;
  QLabel::showEvent(event);
}

}  // namespace mq::toolkit
