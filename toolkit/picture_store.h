// SPDX-License-Identifier: MIT
// The application's pictures, fetched by numeric resource id, each loaded at most once.
#pragma once

#include <QPixmap>
#include <QSize>
#include <functional>
#include <map>

namespace mq::toolkit {

class PictureStore {
 public:
  // Loads the picture of an id at a size in device-independent pixels; a null pixmap when the
  // resources do not have it.
  using Loader = std::function<QPixmap(int id, QSize size)>;

  explicit PictureStore(Loader loader = LoadFromResources);

  // The cached picture, loaded on first use. A missing picture is not cached, so the next call
  // asks the resources again.
  QPixmap Picture(int id, QSize size);

  // Reads ":/pictures/<id>.svg", rendered crisp for the screen's pixel ratio.
  static QPixmap LoadFromResources(int id, QSize size);

 private:
  Loader loader_;
  std::map<int, QPixmap> cache_;
};

}  // namespace mq::toolkit
