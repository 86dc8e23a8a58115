// SPDX-License-Identifier: MIT
#include "ui/cross_check_win.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "model/cross_check.h"
#include "model/field_names.h"
#include "toolkit/application.h"
#include "toolkit/open_window.h"
#include "toolkit/placement.h"
#include "toolkit/tab_panel.h"
#include "ui/macquelvor_wnd.h"

namespace mq {
namespace {

// New text keeps the reader's place: the caret, the selection and both scroll positions, as
// far as the new text reaches.
template <typename Change>
void KeepingPlace(QPlainTextEdit& text, const Change& change) {
  QTextCursor cursor = text.textCursor();
  const int anchor = cursor.anchor();
  const int position = cursor.position();
  const int across = text.horizontalScrollBar()->value();
  const int down = text.verticalScrollBar()->value();
  change();
  const int end = static_cast<int>(text.toPlainText().size());
  cursor = text.textCursor();
  cursor.setPosition(std::min(anchor, end));
  cursor.setPosition(std::min(position, end), QTextCursor::KeepAnchor);
  text.setTextCursor(cursor);
  text.horizontalScrollBar()->setValue(across);
  text.verticalScrollBar()->setValue(down);
}

}  // namespace

CrossCheckWin& CrossCheckWin::Show(MacQuelvorWnd& calculator) {
  CrossCheckWin* window = toolkit::FindOpenWindow<CrossCheckWin>();
  if (window == nullptr) {
    window = new CrossCheckWin(calculator);
    toolkit::PlaceBeside(*window, calculator);
  }
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
  return *window;
}

// A window of the calculator's own, so it closes with it; read-only text that the keyboard can
// select and copy and a screen reader can read line by line.
CrossCheckWin::CrossCheckWin(MacQuelvorWnd& calculator)
    : QWidget(&calculator, Qt::Window), calculator_(&calculator), text_(new QPlainTextEdit(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Cross-Check"));
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setAccessibleName(QStringLiteral("Cross-check of the shown page"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  text_->setFocus();
  resize(700, 230);
  if (auto* app = toolkit::Application::Instance()) {
    app->AttachShortcuts(*this);
  }
  Follow();
  Update();
}

QString CrossCheckWin::Text() const {
  return text_->toPlainText();
}

// Every change of a field (typed, picked or calculated) and of the page updates the text.
void CrossCheckWin::Follow() {
  for (const std::string_view name : AllFieldNames()) {
    connect(calculator_->Controls().Find<QLineEdit>(name), &QLineEdit::textChanged, this,
            [this] { Update(); });
  }
  connect(calculator_->Tabs().TabBar(), &QTabBar::currentChanged, this, [this] { Update(); });
}

void CrossCheckWin::Update() {
  if (calculator_.isNull()) {
    return;
  }
  const int page = calculator_->Tabs().CurrentPage();
  QStringList lines{calculator_->Tabs().TabBar()->tabText(page - 1) + QStringLiteral(" page")};
  for (const auto& line : CrossCheckPage(page, calculator_->Fields())) {
    lines << QString::fromStdString(line);
  }
  const QString text = lines.join('\n');
  if (text != text_->toPlainText()) {
    KeepingPlace(*text_, [this, &text] { text_->setPlainText(text); });
  }
}

}  // namespace mq
