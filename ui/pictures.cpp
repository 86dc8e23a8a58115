// SPDX-License-Identifier: MIT
#include "ui/pictures.h"

namespace mq::ui {
namespace {

// Every picture fills an image well of 132 x 86.
constexpr QSize kImageWellSize(132, 86);

}  // namespace

toolkit::PictureStore& ApplicationPictures() {
  static toolkit::PictureStore store;
  return store;
}

QPixmap Microstrip() {
  return ApplicationPictures().Picture(kMicrostripPictureId, kImageWellSize);
}

QPixmap Stripline() {
  return ApplicationPictures().Picture(kStriplinePictureId, kImageWellSize);
}

QPixmap Coaxial() {
  return ApplicationPictures().Picture(kCoaxialPictureId, kImageWellSize);
}

}  // namespace mq::ui
