// SPDX-License-Identifier: MIT
#include "toolkit/tab_panel.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace mq::toolkit {

TabPanel::TabPanel(QWidget* parent) : QWidget(parent), tabBar_(new QTabBar(this)) {
  tabBar_->setDrawBase(false);
  tabBar_->setExpanding(false);
  connect(tabBar_, &QTabBar::currentChanged, this, [this](int index) { ShowOnlyPage(index); });
}

void TabPanel::SetPageCaptions(const QStringList& captions) {
  for (const QString& caption : captions) {
    auto* page = new QWidget(this);
    page->setGeometry(rect());
    pages_.push_back(page);
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

void TabPanel::SetCurrentPage(int number) {
  tabBar_->setCurrentIndex(number - 1);
}

void TabPanel::ShowOnlyPage(int index) {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    pages_[i]->setVisible(static_cast<int>(i) == index);
  }
}

int TabPanel::TabBarHeight() const {
  return tabBar_->sizeHint().height();
}

void TabPanel::resizeEvent(QResizeEvent* /*event*/) {
  const int height = TabBarHeight();
  tabBar_->setGeometry(4, 0, qMin(tabBar_->sizeHint().width(), width() - 8), height);
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
