// SPDX-License-Identifier: MIT
#include "tests/gui/window_driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPointer>
#include <QTabBar>
#include <QTest>

#include "app/about_win.h"
#include "toolkit/tab_panel.h"

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

void CalculatorWindowTest::SetUp() {
  CloseAllWindows();
  window_ = &MacQuelvorWnd::Instance();
  window_->SetMessageSink(&messages_);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
}

void CalculatorWindowTest::TearDown() {
  CloseAllWindows();
}

QLineEdit* CalculatorWindowTest::Field(std::string_view name) const {
  return window_->Controls().Find<QLineEdit>(name);
}

std::string CalculatorWindowTest::Text(std::string_view name) const {
  return Field(name)->text().toStdString();
}

void CalculatorWindowTest::Type(std::string_view name, std::string_view text) {
  QLineEdit* field = Field(name);
  ASSERT_TRUE(field->isVisible()) << name << " is not on the page shown";
  field->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void CalculatorWindowTest::Click(std::string_view button) {
  auto* control = window_->Controls().Find<QPushButton>(button);
  ASSERT_TRUE(control->isVisible()) << button << " is not on the page shown";
  QTest::mouseClick(control, Qt::LeftButton);
}

void CalculatorWindowTest::ShowPage(int page) {
  QTabBar* tabs = window_->Tabs().TabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page - 1).center());
  ASSERT_EQ(window_->Tabs().CurrentPage(), page);
}

void CalculatorWindowTest::Pick(std::string_view popup, int row) {
  auto* control = window_->Controls().Find<QComboBox>(popup);
  ASSERT_TRUE(control->isVisible()) << popup << " is not on the page shown";
  control->showPopup();
  QAbstractItemView* list = control->view();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
  const QRect item = list->visualRect(list->model()->index(row, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
  ASSERT_FALSE(list->isVisible()) << "the list stayed open";
}

}  // namespace mq::test
