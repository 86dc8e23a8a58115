// SPDX-License-Identifier: MIT
#include "tests/gui/window_driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "app/about_win.h"
#include "model/field_names.h"
#include "tests/test_fields.h"
#include "toolkit/tab_panel.h"
#include "ui/layout_tables.h"

namespace mq::test {

void CloseAllWindows() {
  // Deleting a window deletes its popups too, which are top-level widgets of their own.
  QList<QPointer<QWidget>> windows;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (qobject_cast<MacQuelvorWnd*>(window) != nullptr || qobject_cast<AboutWin*>(window)) {
      windows.append(window);
    }
  }
  for (const QPointer<QWidget>& window : windows) {
    delete window.data();
  }
  QApplication::processEvents();
}

std::string WindowDriver::Text(std::string_view field) const {
  return window_.Fields().Text(field);
}

check::Texts WindowDriver::Snapshot() const {
  check::Texts texts;
  for (const auto name : AllFieldNames()) {
    texts.emplace(name, Text(name));
  }
  return texts;
}

check::Texts WindowDriver::RunOverACopy(const check::Procedure& procedure,
                                        RecordingMessageSink& messages) const {
  MemoryFieldSet fields(AllFieldNames());
  for (const auto& [field, text] : Snapshot()) {
    fields.SetText(field, text);
  }
  procedure.run(fields, messages);
  return {fields.All().begin(), fields.All().end()};
}

int WindowDriver::Page() const {
  return window_.Tabs().CurrentPage();
}

std::vector<std::string_view> WindowDriver::ControlsOn(int page, toolkit::ControlKind kind) {
  std::vector<std::string_view> names;
  for (const auto& row : ui::CalculatorControls()) {
    if (row.page == page && row.kind == kind) {
      names.push_back(row.name);
    }
  }
  return names;
}

std::string WindowDriver::Type(std::string_view name, const QString& text) {
  auto* field = window_.Controls().Find<QLineEdit>(name);
  if (!field->isVisible()) {
    return std::string(name) + " is not on the page shown";
  }
  field->setFocus(Qt::OtherFocusReason);
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, text);
  return field->text() == text ? "" : std::string(name) + " did not take the text";
}

std::string WindowDriver::TypeAll(std::string_view texts) {
  for (const auto& [name, text] : ParseTexts(texts)) {
    if (std::string broken = Type(name, QString::fromStdString(text)); !broken.empty()) {
      return broken;
    }
  }
  return "";
}

std::string WindowDriver::Click(std::string_view button) {
  auto* control = window_.Controls().Find<QPushButton>(button);
  if (!control->isVisible()) {
    return std::string(button) + " is not on the page shown";
  }
  QTest::mouseClick(control, Qt::LeftButton);
  return "";
}

std::string WindowDriver::ShowPage(int page) {
  QTabBar* tabs = window_.Tabs().TabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page - 1).center());
  return Page() == page ? "" : "page " + std::to_string(page) + " did not show";
}

std::string WindowDriver::Pick(std::string_view popup, int row) {
  auto* control = window_.Controls().Find<QComboBox>(popup);
  if (!control->isVisible()) {
    return std::string(popup) + " is not on the page shown";
  }
  control->showPopup();
  QAbstractItemView* list = control->view();
  if (!list->isVisible()) {
    return "the list did not open";
  }
  const QRect item = list->visualRect(list->model()->index(row, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
  return control->currentIndex() == row && !list->isVisible() ? "" : "the pick did not take";
}

void CalculatorWindowTest::SetUp() {
  CloseAllWindows();
  window_ = &MacQuelvorWnd::Instance();
  window_->SetMessageSink(&messages_);
  ui_ = std::make_unique<WindowDriver>(*window_);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
}

void CalculatorWindowTest::TearDown() {
  ui_.reset();
  CloseAllWindows();
}

}  // namespace mq::test
