// SPDX-License-Identifier: MIT
// An image well that fetches its picture once it is first painted, so pictures of pages the
// user never opens are never loaded and the window never waits for one.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <functional>

namespace mq::toolkit {

class ImageWell : public QLabel {
  Q_OBJECT

 public:
  using Source = std::function<QPixmap()>;

  explicit ImageWell(Source source, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  Source source_;
  bool fetchPending_ = false;
  bool fetchedSinceShown_ = false;
};

}  // namespace mq::toolkit
