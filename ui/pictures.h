// SPDX-License-Identifier: MIT
// The three line-type pictures, each loaded once from the application's resources.
#pragma once

#include <QPixmap>

#include "toolkit/picture_store.h"

namespace mq::ui {

inline constexpr int kStriplinePictureId = 168;
inline constexpr int kCoaxialPictureId = 169;
inline constexpr int kMicrostripPictureId = 170;

// The store shared by the whole run.
toolkit::PictureStore& ApplicationPictures();

QPixmap Microstrip();
QPixmap Stripline();
QPixmap Coaxial();

}  // namespace mq::ui
