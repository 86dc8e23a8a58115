// SPDX-License-Identifier: MIT
#include "toolkit/picture_store.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QString>

namespace mq::toolkit {

PictureStore::PictureStore(Loader loader) : loader_(std::move(loader)) {}

QPixmap PictureStore::Picture(int id, QSize size) {
  if (const auto cached = cache_.find(id); cached != cache_.end()) {
    return cached->second;
  }
  QPixmap picture = loader_(id, size);
  if (!picture.isNull()) {
    cache_.emplace(id, picture);
  }
  return picture;
}

QPixmap PictureStore::LoadFromResources(int id, QSize size) {
  // The SVG image plugin is only loaded here, when a picture is first needed.
  QImageReader reader(QStringLiteral(":/pictures/%1.svg").arg(id));
  const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
  reader.setScaledSize(size * ratio);
  QImage image = reader.read();
  if (image.isNull()) {
    return {};
  }
  QPixmap picture = QPixmap::fromImage(image);
  picture.setDevicePixelRatio(ratio);
  return picture;
}

}  // namespace mq::toolkit
