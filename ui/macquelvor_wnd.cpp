// SPDX-License-Identifier: MIT
#include "ui/macquelvor_wnd.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <string>

#include "materials/material_catalogue.h"
#include "model/line_models.h"
#include "toolkit/application.h"
#include "toolkit/open_window.h"
#include "toolkit/tab_panel.h"
#include "toolkit/window_builder.h"
#include "ui/accessible_names.h"
#include "ui/layout_tables.h"
#include "ui/pictures.h"

namespace mq {
namespace {

using Handler = void (MacQuelvorWnd::*)();

struct EventBinding {
  std::string_view control;
  Handler handler;
};

constexpr EventBinding kButtonActions[] = {
    {"ElToPhyBtn", &MacQuelvorWnd::ElToPhyBtn_Action},
    {"PhyToElBtn", &MacQuelvorWnd::PhyToElBtn_Action},
    {"ElToPhyBtn2", &MacQuelvorWnd::ElToPhyBtn2_Action},
    {"PhyToElBtn2", &MacQuelvorWnd::PhyToElBtn2_Action},
    {"ElToPhyBtn3", &MacQuelvorWnd::ElToPhyBtn3_Action},
    {"PhyToElBtn3", &MacQuelvorWnd::PhyToElBtn3_Action},
};

constexpr EventBinding kPopupChanges[] = {
    {"DiPopup", &MacQuelvorWnd::DiPopup_Change},   {"ConPopup", &MacQuelvorWnd::ConPopup_Change},
    {"DiPopup2", &MacQuelvorWnd::DiPopup2_Change}, {"ConPopup2", &MacQuelvorWnd::ConPopup2_Change},
    {"DiPopup3", &MacQuelvorWnd::DiPopup3_Change}, {"ConPopup3", &MacQuelvorWnd::ConPopup3_Change},
};

}  // namespace

MacQuelvorWnd& MacQuelvorWnd::Instance() {
  if (auto* open = toolkit::FindOpenWindow<MacQuelvorWnd>()) {
    return *open;
  }
  auto* window = new MacQuelvorWnd;
  window->show();
  return *window;
}

MacQuelvorWnd::MacQuelvorWnd() {
  auto* content = new QWidget(this);
  setCentralWidget(content);
  toolkit::ApplyWindowProperties(*this, *content, ui::kCalculatorWindow);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  controls_ = toolkit::BuildControls(*content, ui::CalculatorControls(), ui::ApplicationPictures());
  SetAccessibleNames();
  SetKeyboardOrder();
  ConnectEvents();
  // The application's menus (About, Quit, Edit) show in this window on Linux and Windows. They
  // go in before the window is shown, so it is laid out once.
  if (auto* app = toolkit::Application::Instance()) {
    app->AttachMenuBar(*this);
  }
}

toolkit::TabPanel& MacQuelvorWnd::Tabs() const {
  return *controls_.Find<toolkit::TabPanel>("TabPanel1");
}

void MacQuelvorWnd::SetMessageSink(MessageSink* sink) {
  messages_ = sink != nullptr ? sink : &messageBox_;
}

// Events are connected once every property is set, so building runs no handler. A popup's
// Change is the user's pick (activated), never a programmatic selection.
void MacQuelvorWnd::ConnectEvents() {
  for (const auto& [name, handler] : kButtonActions) {
    connect(controls_.Find<QPushButton>(name), &QPushButton::clicked, this,
            [this, handler = handler] { (this->*handler)(); });
  }
  for (const auto& [name, handler] : kPopupChanges) {
    connect(controls_.Find<QComboBox>(name), &QComboBox::activated, this,
            [this, handler = handler] { (this->*handler)(); });
  }
}

void MacQuelvorWnd::SetKeyboardOrder() {
  for (const auto& page : ui::kTabOrder) {
    for (std::size_t i = 1; i < page.size(); ++i) {
      setTabOrder(controls_.Find(page[i - 1]), controls_.Find(page[i]));
    }
  }
}

// Each control is named for a screen reader, and each caption is linked to the control beside
// it (its buddy, which the accessibility bus shows as "labelled by" and "label for").
void MacQuelvorWnd::SetAccessibleNames() {
  for (const auto& named : ui::AccessibleNames(ui::CalculatorControls(), ui::kSpokenCaptions)) {
    QWidget* widget = controls_.Find(named.control);
    widget->setAccessibleName(QString::fromStdString(named.name));
    if (!named.caption.empty()) {
      LinkCaption(*controls_.Find<QLabel>(named.caption), *widget);
    }
  }
}

// Qt looks for a control's caption among the control's siblings only. A caption that stands
// outside its control's group box (Electrical Length) gets a hidden twin inside the box, which
// links the control back to the caption's text.
void MacQuelvorWnd::LinkCaption(QLabel& caption, QWidget& control) {
  caption.setBuddy(&control);
  if (caption.parentWidget() != control.parentWidget()) {
    auto* twin = new QLabel(caption.text(), control.parentWidget());
    twin->setVisible(false);
    twin->setBuddy(&control);
  }
}

// The calculator is the program: the window manager can close it (Alt+F4) although it has no
// close button, and a hidden calculator behind the About window would let a menu command build a
// second one.
void MacQuelvorWnd::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  QCoreApplication::quit();
}

void MacQuelvorWnd::RunShownPage(bool analysis) {
  const int page = Tabs().CurrentPage();
  const std::string suffix = page > 1 ? std::to_string(page) : std::string();
  controls_.Find<QPushButton>((analysis ? "PhyToElBtn" : "ElToPhyBtn") + suffix)->click();
}

QString MacQuelvorWnd::PageText() const {
  const auto names = ui::AccessibleNames(ui::CalculatorControls(), ui::kSpokenCaptions);
  QStringList lines;
  for (const std::string_view control : ui::kTabOrder[Tabs().CurrentPage() - 1]) {
    const auto named = std::find_if(names.begin(), names.end(), [control](const auto& name) {
      return name.control == control;
    });
    if (named == names.end() || named->caption.empty()) {
      continue;  // the arrow buttons
    }
    QWidget* widget = controls_.Find(control);
    auto* popup = qobject_cast<QComboBox*>(widget);
    const QString text = popup ? popup->currentText() : static_cast<QLineEdit*>(widget)->text();
    const QString unit = QString::fromStdString(named->unit);
    lines << QString::fromStdString(named->spokenCaption) + ": " + text +
                 (unit.isEmpty() ? QString() : " " + unit);
  }
  return lines.join('\n') + '\n';
}

int MacQuelvorWnd::SelectedRow(std::string_view popup) const {
  return controls_.Find<QComboBox>(popup)->currentIndex();
}

void MacQuelvorWnd::ElToPhyBtn_Action() {
  microstrip::Synthesize(fields_, *messages_);
}
void MacQuelvorWnd::PhyToElBtn_Action() {
  microstrip::Analyze(fields_, *messages_);
}
void MacQuelvorWnd::ElToPhyBtn2_Action() {
  stripline::Synthesize(fields_, *messages_);
}
void MacQuelvorWnd::PhyToElBtn2_Action() {
  stripline::Analyze(fields_, *messages_);
}
void MacQuelvorWnd::ElToPhyBtn3_Action() {
  coax::Synthesize(fields_, *messages_);
}
void MacQuelvorWnd::PhyToElBtn3_Action() {
  coax::Analyze(fields_, *messages_);
}

void MacQuelvorWnd::DiPopup_Change() {
  ApplyDielectric(fields_, kMicrostripMaterialFields, SelectedRow("DiPopup"));
}
void MacQuelvorWnd::ConPopup_Change() {
  ApplyConductor(fields_, kMicrostripMaterialFields, SelectedRow("ConPopup"));
}
void MacQuelvorWnd::DiPopup2_Change() {
  ApplyDielectric(fields_, kStriplineMaterialFields, SelectedRow("DiPopup2"));
}
void MacQuelvorWnd::ConPopup2_Change() {
  ApplyConductor(fields_, kStriplineMaterialFields, SelectedRow("ConPopup2"));
}
void MacQuelvorWnd::DiPopup3_Change() {
  ApplyDielectric(fields_, kCoaxialMaterialFields, SelectedRow("DiPopup3"));
}
void MacQuelvorWnd::ConPopup3_Change() {
  ApplyConductor(fields_, kCoaxialMaterialFields, SelectedRow("ConPopup3"));
}

}  // namespace mq
