// SPDX-License-Identifier: MIT
// A tab panel whose pages share its own coordinates: the tabs run along the top edge and a page
// covers the whole panel, so a control's place on a page does not depend on the style's tab
// height.
#pragma once

#include <QStringList>
#include <QWidget>
#include <vector>

class QTabBar;

namespace mq::toolkit {

class TabPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TabPanel(QWidget* parent = nullptr);

  void SetPageCaptions(const QStringList& captions);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  QWidget* Page(int number) const;  // 1-based, as the layout numbers pages
  int CurrentPage() const;
  QTabBar* TabBar() const { return tabBar_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void AddPageShortcuts();
  void StepPage(int step);
  void FocusFieldAfterPageKey(QWidget* oldPage, QWidget* oldFocus);
  void ShowOnlyPage(int index);
  int TabBarHeight() const;

  QTabBar* tabBar_;
  std::vector<QWidget*> pages_;
};

}  // namespace mq::toolkit
