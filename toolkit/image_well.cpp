#include "image_well.h"

namespace mq::toolkit {

ImageWell::ImageWell(Source source, QWidget* parent) : QLabel(parent), source_(std::move(source)) {
  setAlignment(Qt::AlignCenter);
}

void ImageWell::showEvent(QShowEvent* event) {
  // A picture the resources lack leaves the well empty and is asked for again next time.
  if (pixmap().isNull() && source_) {
    setPixmap(source_());
  }
  QLabel::showEvent(event);
}

}  // namespace mq::toolkit
