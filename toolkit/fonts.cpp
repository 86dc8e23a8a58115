// SPDX-License-Identifier: MIT
#include "toolkit/fonts.h"

#include <QStringList>

namespace mq::toolkit {

QFont PlatformFont(FontRole /*role*/, int size, bool bold) {
  // "System" and "Geneva" were both plain sans serifs; one family serves for both.
  QFont font;
  // Liberation Sans shares Arial's metrics; the others are its nearest stand-ins.
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                    QStringLiteral("Arial"), QStringLiteral("Helvetica"),
                    QStringLiteral("DejaVu Sans Condensed")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(size);
  font.setBold(bold);
  return font;
}

QFont DefaultFont(ControlKind kind) {
  // Made once: the window asks for these two fonts 120 times while it is built.
  static const QFont kSystem12 = PlatformFont(FontRole::kSystem, 12);
  static const QFont kGeneva10 = PlatformFont(FontRole::kGeneva, 10);
  switch (kind) {
    case ControlKind::kTabPanel:
    case ControlKind::kGroupBox:
    case ControlKind::kPushButton:
      return kSystem12;
    default:
      return kGeneva10;
  }
}

}  // namespace mq::toolkit
