// SPDX-License-Identifier: MIT
#include "toolkit/tab_panel.h"

#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QPainter>
#include <QShortcut>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace mq::toolkit {

TabPanel::TabPanel(QWidget* parent) : QWidget(parent), tabBar_(new QTabBar(this)) {
  tabBar_->setDrawBase(false);
  connect(tabBar_, &QTabBar::currentChanged, this, [this](int index) { ShowOnlyPage(index); });
  AddPageShortcuts();
}

// Ctrl+Tab and Ctrl+PgDown go to the next page, Ctrl+Shift+Tab and Ctrl+PgUp to the previous
// one, from anywhere in the window and wrapping around, as in every tabbed dialog.
void TabPanel::AddPageShortcuts() {
  const auto add = [this](QKeyCombination keys, int step) {
    auto* shortcut = new QShortcut(QKeySequence(keys), this);
    connect(shortcut, &QShortcut::activated, this, [this, step] { StepPage(step); });
  };
  add(Qt::CTRL | Qt::Key_Tab, +1);
  add(Qt::CTRL | Qt::Key_PageDown, +1);
  add(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1);
  add(Qt::CTRL | Qt::Key_PageUp, -1);
}

void TabPanel::StepPage(int step) {
  if (PageCount() == 0) {
    return;
  }
  QWidget* oldPage = Page(CurrentPage());
  QWidget* oldFocus = QApplication::focusWidget();
  const int index = (tabBar_->currentIndex() + step + PageCount()) % PageCount();
  tabBar_->setCurrentIndex(index);
  FocusFieldAfterPageKey(oldPage, oldFocus);
}

namespace {

// The page's edit fields in Tab order: a page's controls form one run of the focus chain, so the
// walk from the page itself meets the run's first field first.
std::vector<QLineEdit*> FieldsInTabOrder(QWidget* page) {
  std::vector<QLineEdit*> fields;
  for (QWidget* next = page->nextInFocusChain(); next != page; next = next->nextInFocusChain()) {
    auto* field = qobject_cast<QLineEdit*>(next);
    if (field != nullptr && page->isAncestorOf(field)) {
      fields.push_back(field);
    }
  }
  return fields;
}

}  // namespace

// After a page key the typing goes on in an edit field of the new page: the one at the same place
// as the field that had focus (Impedance to Impedance), otherwise the page's first field; never
// the tab bar or a popup, where the next arrow key would switch pages or pick a material.
void TabPanel::FocusFieldAfterPageKey(QWidget* oldPage, QWidget* oldFocus) {
  QWidget* page = Page(CurrentPage());
  const std::vector<QLineEdit*> fields = FieldsInTabOrder(page);
  if (fields.empty()) {
    return;
  }
  QLineEdit* target = fields.front();
  if (qobject_cast<QLineEdit*>(oldFocus) != nullptr && oldPage->isAncestorOf(oldFocus)) {
    const QPoint place = oldFocus->mapTo(oldPage, QPoint(0, 0));
    for (QLineEdit* field : fields) {
      if (field->mapTo(page, QPoint(0, 0)) == place) {
        target = field;
      }
    }
  }
  target->setFocus(Qt::TabFocusReason);
}

void TabPanel::SetPageCaptions(const QStringList& captions) {
  for (const QString& caption : captions) {
    // A page takes the panel's size in resizeEvent, which Qt sends before the panel first shows.
    pages_.push_back(new QWidget(this));
    tabBar_->addTab(caption);
  }
  tabBar_->raise();
  ShowOnlyPage(tabBar_->currentIndex());
}

QWidget* TabPanel::Page(int number) const {
  if (number < 1 || number > PageCount()) {
    return nullptr;
  }
  return pages_[static_cast<std::size_t>(number - 1)];
}

int TabPanel::CurrentPage() const {
  return tabBar_->currentIndex() + 1;
}

// The new page shows before the old one hides, so a focused control on the old page hands its
// focus on to a control that can still take it.
void TabPanel::ShowOnlyPage(int index) {
  if (QWidget* shown = Page(index + 1)) {
    shown->setVisible(true);
  }
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (static_cast<int>(i) != index) {
      pages_[i]->setVisible(false);
    }
  }
}

int TabPanel::TabBarHeight() const {
  return tabBar_->sizeHint().height();
}

void TabPanel::resizeEvent(QResizeEvent* /*event*/) {
  const int height = TabBarHeight();
  tabBar_->setGeometry(4, 0, tabBar_->sizeHint().width(), height);
  for (QWidget* page : pages_) {
    page->setGeometry(rect());
  }
}

void TabPanel::paintEvent(QPaintEvent* /*event*/) {
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.shape = QTabBar::RoundedNorth;
  frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
  const int top = TabBarHeight() - overlap;
  frame.rect = QRect(0, top, width(), height() - top);
  frame.tabBarRect = tabBar_->geometry();
  frame.tabBarSize = tabBar_->size();
  frame.selectedTabRect = tabBar_->tabRect(tabBar_->currentIndex()).translated(tabBar_->pos());
  QPainter painter(this);
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

}  // namespace mq::toolkit
