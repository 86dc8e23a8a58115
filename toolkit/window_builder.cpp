// SPDX-License-Identifier: MIT
#include "toolkit/window_builder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <stdexcept>

#include "toolkit/fonts.h"
#include "toolkit/group_box.h"
#include "toolkit/image_well.h"
#include "toolkit/popup_menu.h"
#include "toolkit/tab_panel.h"

namespace mq::toolkit {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Item and tab lists are lines separated by carriage returns; a trailing one adds no item.
QStringList SplitLines(std::string_view text) {
  return ToQString(text).split(QLatin1Char('\r'), Qt::SkipEmptyParts);
}

Qt::Alignment ToQt(Alignment alignment) {
  switch (alignment) {
    case Alignment::kLeft:
      return Qt::AlignLeft | Qt::AlignVCenter;
    case Alignment::kRight:
      return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::kCentre:
      return Qt::AlignHCenter | Qt::AlignTop;
    case Alignment::kDefault:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

QWidget* CreateControl(const ControlRow& row, QWidget* parent, PictureStore& pictures) {
  switch (row.kind) {
    case ControlKind::kTabPanel:
      return new TabPanel(parent);
    case ControlKind::kGroupBox:
      return new GroupBox(parent);
    case ControlKind::kLabel:
      return new QLabel(parent);
    case ControlKind::kEditField:
      return new QLineEdit(parent);
    case ControlKind::kPopupMenu:
      return new PopupMenu(parent);
    case ControlKind::kPushButton:
      return new QPushButton(parent);
    case ControlKind::kImageWell: {
      const QSize size(row.geometry.width, row.geometry.height);
      return new ImageWell(
          [&pictures, id = row.pictureId, size] { return pictures.Picture(id, size); }, parent);
    }
  }
  throw std::logic_error("unknown control kind");
}

void SetText(const ControlRow& row, QWidget* control) {
  const QString text = ToQString(row.text);
  switch (row.kind) {
    case ControlKind::kTabPanel:
      static_cast<TabPanel*>(control)->SetPageCaptions(SplitLines(row.text));
      break;
    case ControlKind::kGroupBox:
      static_cast<GroupBox*>(control)->SetCaption(text);
      break;
    case ControlKind::kLabel: {
      auto* label = static_cast<QLabel*>(control);
      label->setText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
      label->setAlignment(ToQt(row.alignment));
      break;
    }
    case ControlKind::kEditField:
      static_cast<QLineEdit*>(control)->setText(text);
      break;
    case ControlKind::kPopupMenu: {
      auto* popup = static_cast<QComboBox*>(control);
      popup->addItems(SplitLines(row.text));  // the first item becomes the current one
      break;
    }
    case ControlKind::kPushButton: {
      auto* button = static_cast<QPushButton*>(control);
      button->setText(text);  // in a main window, neither default nor auto-default
      break;
    }
    case ControlKind::kImageWell:
      break;
  }
}

// Fields, labels and popups inherit the window's "Geneva" font; only what differs is set, since
// setting a font on each of a hundred controls costs start-up time.
void SetFont(const ControlRow& row, QWidget* control) {
  if (row.fontSize > 0) {
    control->setFont(PlatformFont(row.fontRole, row.fontSize, row.bold));
    return;
  }
  switch (row.kind) {
    case ControlKind::kTabPanel:
      static_cast<TabPanel*>(control)->TabBar()->setFont(DefaultFont(row.kind));
      break;
    case ControlKind::kGroupBox:
      static_cast<GroupBox*>(control)->SetTitleFont(DefaultFont(row.kind));
      break;
    case ControlKind::kPushButton:
      control->setFont(DefaultFont(row.kind));
      break;
    default:
      break;
  }
}

class ParentFinder {
 public:
  ParentFinder(QWidget& content, const Controls& controls)
      : content_(content), controls_(controls) {}

  void Remember(const ControlRow& row, QWidget* control) {
    if (row.kind == ControlKind::kTabPanel) {
      tabPanel_ = static_cast<TabPanel*>(control);
    }
  }

  QWidget* ParentOf(const ControlRow& row) const {
    if (!row.parent.empty()) {
      return controls_.Find<GroupBox>(row.parent);
    }
    if (row.page == 0) {
      return &content_;
    }
    QWidget* page = tabPanel_ != nullptr ? tabPanel_->Page(row.page) : nullptr;
    if (page == nullptr) {
      throw std::logic_error("control \"" + std::string(row.name) +
                             "\" is on a page that no tab "
                             "panel has");
    }
    return page;
  }

 private:
  QWidget& content_;
  const Controls& controls_;
  TabPanel* tabPanel_ = nullptr;
};

}  // namespace

void ApplyWindowProperties(QWidget& window, QWidget& content, const WindowProperties& properties) {
  window.setWindowTitle(ToQString(properties.title));
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  flags.setFlag(Qt::WindowCloseButtonHint, properties.closeButton);
  flags.setFlag(Qt::WindowMaximizeButtonHint, properties.maximizeButton);
  flags.setFlag(Qt::WindowMinimizeButtonHint, properties.minimizeButton);
  window.setWindowFlags(flags);
  content.setFixedSize(properties.contentWidth, properties.contentHeight);
  content.setFont(DefaultFont(ControlKind::kEditField));
}

Controls BuildControls(QWidget& content, std::span<const ControlRow> rows, PictureStore& pictures) {
  Controls controls;
  ParentFinder parents(content, controls);
  for (const ControlRow& row : rows) {
    QWidget* parent = parents.ParentOf(row);
    QWidget* control = CreateControl(row, parent, pictures);
    controls.Add(row.name, control);
    const QPoint origin = parent->mapTo(&content, QPoint(0, 0));
    control->setGeometry(row.geometry.left - origin.x(), row.geometry.top - origin.y(),
                         row.geometry.width, row.geometry.height);
    SetFont(row, control);
    SetText(row, control);
    parents.Remember(row, control);
  }
  return controls;
}

}  // namespace mq::toolkit
