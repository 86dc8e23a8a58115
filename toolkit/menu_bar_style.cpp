// SPDX-License-Identifier: MIT
#include "toolkit/menu_bar_style.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <utility>

namespace mq::toolkit {
namespace {

// An icon whose images are made by `load` on first use. It is not null before then: the icons
// deferred here always exist, and asking would load them.
class DeferredIconEngine final : public QIconEngine {
 public:
  explicit DeferredIconEngine(std::function<QIcon()> load) : load_(std::move(load)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    return Icon().pixmap(size, scale, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Icon().availableSizes(mode, state);
  }
  bool isNull() override { return load_ == nullptr && icon_.isNull(); }
  QString key() const override { return QStringLiteral("DeferredIconEngine"); }
  QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

 private:
  const QIcon& Icon() {
    if (load_ != nullptr) {
      icon_ = load_();
      load_ = nullptr;
    }
    return icon_;
  }

  std::function<QIcon()> load_;  // null once loaded
  QIcon icon_;
};

}  // namespace

QIcon MenuBarStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
  const bool overflow =
      icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton;
  if (!overflow || option != nullptr) {
    return QProxyStyle::standardIcon(icon, option, widget);
  }
  // Both are only watched for their end here (QPointer takes no pointer to const).
  QPointer<MenuBarStyle> style(const_cast<MenuBarStyle*>(this));
  QPointer<QWidget> owner(const_cast<QWidget*>(widget));
  return QIcon(new DeferredIconEngine([style, icon, owner] {
    return style != nullptr ? style->baseStyle()->standardIcon(icon, nullptr, owner) : QIcon();
  }));
}

}  // namespace mq::toolkit
