// SPDX-License-Identifier: MIT
#include "toolkit/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace mq::toolkit {
namespace {

bool Installed(const QStringList& installed, const QString& family) {
  const QString withFoundry = family + QStringLiteral(" [");  // "Family [Foundry]"
  for (const QString& name : installed) {
    if (name.compare(family, Qt::CaseInsensitive) == 0 ||
        name.startsWith(withFoundry, Qt::CaseInsensitive)) {
      return true;
    }
  }
  return false;
}

// "System" and "Geneva" were both plain sans serifs; one family serves for both: Liberation Sans,
// which shares Arial's metrics, or else the first of its nearest stand-ins that is installed.
// Found once and given alone: a font given several families has Qt ask fontconfig for the
// fallbacks of the first as soon as it is first used, about half a millisecond at start-up
// although every character the window shows is in it. With one family, that is asked only for a
// character the family lacks.
const QStringList& Families() {
  static const QStringList families = [] {
    const QStringList candidates = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                    QStringLiteral("Arial"), QStringLiteral("Helvetica"),
                                    QStringLiteral("DejaVu Sans Condensed")};
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : candidates) {
      if (Installed(installed, family)) {
        return QStringList{family};
      }
    }
    return candidates;  // none under its own name: Qt tries each, through fontconfig's aliases
  }();
  return families;
}

}  // namespace

QFont PlatformFont(FontRole /*role*/, int size, bool bold) {
  QFont font;
  font.setFamilies(Families());
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
