// An image well that fetches its picture the first time it is shown, so pictures of pages the
// user never opens are never loaded.
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
  void showEvent(QShowEvent* event) override;

 private:
  Source source_;
};

}  // namespace mq::toolkit
