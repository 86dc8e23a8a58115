// SPDX-License-Identifier: MIT
#include "tests/gui/window_driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTest>

#include "app/about_win.h"
#include "model/field_names.h"
#include "tests/test_fields.h"
#include "toolkit/tab_panel.h"

namespace mq::test {

// Deleting a window deletes its popups and the cross-check too.
void CloseAllWindows() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (qobject_cast<MacQuelvorWnd*>(window) != nullptr || qobject_cast<AboutWin*>(window)) {
      window->deleteLater();
    }
  }
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

check::Texts WindowDriver::Snapshot() const {
  check::Texts texts;
  for (const auto name : AllFieldNames()) {
    texts.emplace(name, window_.Fields().Text(name));
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

std::string WindowDriver::TypeAll(std::string_view texts) {
  for (const auto& [name, text] : ParseTexts(texts)) {
    auto* field = window_.Controls().Find<QLineEdit>(name);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, QString::fromStdString(text));
    if (field->text().toStdString() != text) {
      return name + " did not take the text";
    }
  }
  return "";
}

std::string WindowDriver::Click(std::string_view button) {
  auto* control = window_.Controls().Find<QPushButton>(button);
  QTest::mouseClick(control, Qt::LeftButton);
  return control->isVisible() ? "" : std::string(button) + " is not on the page shown";
}

std::string WindowDriver::ShowPage(int page) {
  QTabBar* tabs = window_.Tabs().TabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page - 1).center());
  return window_.Tabs().CurrentPage() == page ? ""
                                              : "page " + std::to_string(page) + " did not show";
}

std::string WindowDriver::Pick(std::string_view popup, int row) {
  auto* control = window_.Controls().Find<QComboBox>(popup);
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
  QSettings().clear();  // the run's own (gui_main.cpp): each test opens windows afresh
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
