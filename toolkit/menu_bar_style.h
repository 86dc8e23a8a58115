// SPDX-License-Identifier: MIT
// The application's style: the desktop's own, except that the icon of a menu bar's overflow
// button is fetched only when the button is first drawn.
#pragma once

#include <QProxyStyle>

namespace mq::toolkit {

// A menu bar builds its overflow button (the menus that do not fit) as it is constructed, and the
// button asks the style for its icon there and then. The style reads that icon from PNG files,
// and Qt's first image read loads every image plugin it has (SVG with Qt SVG, JPEG, GIF, ICO) to
// ask each whether it reads PNG: milliseconds before the first window can show, for a button
// that only appears when the window is narrower than its menus. The icon handed out here asks the
// desktop's style for the real one the first time it is drawn or measured.
class MenuBarStyle final : public QProxyStyle {
  Q_OBJECT

 public:
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace mq::toolkit
