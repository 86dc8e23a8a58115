// SPDX-License-Identifier: MIT
// The floor for start-up: a bare Qt 6 window with the calculator's 120 widgets, each of the
// same class, text and place, but no pictures, menus, fonts, names or wiring.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <map>
#include <string>

#include "ui/layout_tables.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("BareWindow"));
  window.setFixedSize(532, 365);
  QTabWidget* tabs = nullptr;
  std::map<std::string, QWidget*, std::less<>> groups;
  for (const auto& row : mq::ui::CalculatorControls()) {
    const QString text =
        QString::fromUtf8(row.text.data(), static_cast<qsizetype>(row.text.size()));
    QWidget* parent = &window;
    if (!row.parent.empty()) {
      parent = groups.find(row.parent)->second;
    } else if (row.page > 0) {
      parent = tabs->widget(row.page - 1);
    }
    QWidget* control = nullptr;
    using K = mq::toolkit::ControlKind;
    switch (row.kind) {
      case K::kTabPanel:
        tabs = new QTabWidget(parent);
        for (const QString& caption : text.split(QLatin1Char('\r'))) {
          tabs->addTab(new QWidget, caption);
        }
        control = tabs;
        break;
      case K::kGroupBox:
        control = new QGroupBox(text, parent);
        groups.emplace(std::string(row.name), control);
        break;
      case K::kLabel:
      case K::kImageWell:
        control = new QLabel(text, parent);
        break;
      case K::kEditField:
        control = new QLineEdit(text, parent);
        break;
      case K::kPopupMenu: {
        auto* popup = new QComboBox(parent);
        popup->addItems(text.split(QLatin1Char('\r'), Qt::SkipEmptyParts));
        control = popup;
        break;
      }
      case K::kPushButton:
        control = new QPushButton(text, parent);
        break;
    }
    const QPoint origin = parent->mapTo(&window, QPoint(0, 0));
    control->setGeometry(row.geometry.left - origin.x(), row.geometry.top - origin.y(),
                         row.geometry.width, row.geometry.height);
  }
  window.show();
  return app.exec();
}
