// SPDX-License-Identifier: MIT
#include "ui/cross_check_win.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>
#include <QThreadPool>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "model/field_names.h"
#include "toolkit/application.h"
#include "toolkit/open_window.h"
#include "toolkit/placement.h"
#include "toolkit/tab_panel.h"
#include "ui/cross_section_view.h"
#include "ui/macquelvor_wnd.h"

namespace mq {
namespace {

constexpr int kColumns = static_cast<int>(kCrossCheckColumns.size());

// A read-only table whose selection the Edit menu's Copy acts on, as tab-separated text under a
// header row of the columns copied.
class CrossCheckTable final : public QTableWidget {
  Q_OBJECT

 public:
  using QTableWidget::QTableWidget;

  // With nothing selected the clipboard keeps what it had.
  Q_INVOKABLE void copy() const {
    if (selectionModel()->hasSelection()) {
      QGuiApplication::clipboard()->setText(Text(true));
    }
  }

  QString Text(bool selectedOnly) const {
    QList<int> rows, columns;
    for (int row = 0; row < rowCount(); ++row) {
      for (int column = 0; column < kColumns; ++column) {
        if (!selectedOnly || selectionModel()->isSelected(model()->index(row, column))) {
          rows << row;
          columns << column;
        }
      }
    }
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QStringList lines{Line(-1, columns, selectedOnly)};
    for (const int row : rows) {
      lines << Line(row, columns, selectedOnly);
    }
    return lines.join('\n') + '\n';
  }

 private:
  // Row -1 is the header.
  QString Line(int row, const QList<int>& columns, bool selectedOnly) const {
    QStringList cells;
    for (const int column : columns) {
      const QTableWidgetItem* cell = row < 0 ? horizontalHeaderItem(column) : item(row, column);
      const bool copied =
          row < 0 || !selectedOnly || selectionModel()->isSelected(model()->index(row, column));
      cells << (cell != nullptr && copied ? cell->text() : QString());
    }
    return cells.join('\t');
  }
};

// A cell's text changes only when it differs, so an update that changes nothing changes nothing
// and the selection, the current cell and the scroll stay.
void SetCell(QTableWidget& table, int row, int column, const QString& text,
             const QString& tip = {}) {
  QTableWidgetItem* cell = table.item(row, column);
  if (cell == nullptr) {
    cell = new QTableWidgetItem;
    cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    table.setItem(row, column, cell);
  }
  if (cell->text() != text) {
    cell->setText(text);
  }
  if (cell->toolTip() != tip) {
    cell->setToolTip(tip);
  }
}

LineShape ShapeOf(int page, const FieldSet& fields, double thickness) {
  const auto read = [&fields](std::string_view name) { return ReadAsThePagesDo(fields, name); };
  switch (page) {
    case 1:
      return {1, read("WidthField"), read("HeightField"), thickness, read("DiConstField")};
    case 2:
      return {2, read("WidthField2"), read("HeightField2"), read("ThicknessField2"),
              read("DiConstField2")};
    default:
      return {3, read("InnerDiaField"), read("OuterDiaField"), 0, read("DiConstField3")};
  }
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

// A window of the calculator's own, so it closes with it.
CrossCheckWin::CrossCheckWin(MacQuelvorWnd& calculator)
    : QWidget(&calculator, Qt::Window),
      calculator_(&calculator),
      heading_(new QLabel(this)),
      thicknessCaption_(new QLabel(QStringLiteral("Strip thickness"), this)),
      thickness_(new QLineEdit(QStringLiteral("0"), this)),
      thicknessUnit_(new QLabel(QStringLiteral("mm"), this)),
      picture_(new CrossSectionView(this)),
      table_(new CrossCheckTable(0, kColumns, this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Cross-Check"));
  okIcon_ = QIcon::fromTheme(QStringLiteral("emblem-default"),
                             style()->standardIcon(QStyle::SP_DialogApplyButton));
  warningIcon_ = QIcon::fromTheme(QStringLiteral("dialog-warning"),
                                  style()->standardIcon(QStyle::SP_MessageBoxWarning));
  BuildLayout();
  resize(780, 520);
  if (auto* app = toolkit::Application::Instance()) {
    app->AttachShortcuts(*this);
  }
  new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { close(); });
  // Quitting need not wait for a solve: it ends at its next step.
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
    if (stop_) {
      stop_->store(true);
    }
  });
  Follow();
  Update();
  table_->setFocus();
}

void CrossCheckWin::BuildLayout() {
  thicknessCaption_->setBuddy(thickness_);
  thickness_->setAccessibleName(QStringLiteral("Strip thickness (mm)"));
  thickness_->setMaximumWidth(90);
  QStringList columns;
  for (const auto column : kCrossCheckColumns) {
    columns << QString::fromUtf8(column.data(), static_cast<qsizetype>(column.size()));
  }
  table_->setHorizontalHeaderLabels(columns);
  table_->setAccessibleName(QStringLiteral("Cross-check of the shown page"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Every column in view at any width: long words wrap, and each cell's tooltip and the copy keep
  // its whole text. Rows are sized to their words when the solver answers, not on each keystroke:
  // measuring every cell's text would cost the typist milliseconds.
  table_->setWordWrap(true);
  table_->setTextElideMode(Qt::ElideRight);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  auto* thickness = new QHBoxLayout;
  thickness->addWidget(heading_);
  thickness->addSpacing(24);
  thickness->addWidget(thicknessCaption_);
  thickness->addWidget(thickness_);
  thickness->addWidget(thicknessUnit_);
  thickness->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(thickness);
  layout->addWidget(picture_, 2);
  layout->addWidget(table_, 3);
  setTabOrder(thickness_, table_);
}

QString CrossCheckWin::Text() const {
  return static_cast<const CrossCheckTable*>(table_)->Text(false);
}

// Every change of a field (typed, picked or calculated), of the page and of the thickness.
void CrossCheckWin::Follow() {
  for (const std::string_view name : AllFieldNames()) {
    connect(calculator_->Controls().Find<QLineEdit>(name), &QLineEdit::textChanged, this,
            [this] { Update(); });
  }
  connect(calculator_->Tabs().TabBar(), &QTabBar::currentChanged, this, [this] { Update(); });
  connect(thickness_, &QLineEdit::textChanged, this, [this] { Update(); });
}

CrossCheckWin::Inputs CrossCheckWin::CurrentInputs() const {
  Inputs in{calculator_->Tabs().CurrentPage(), MemoryFieldSet(AllFieldNames()),
            ParseLeadingNumber(ReplaceFirstComma(thickness_->text().toStdString()))};
  for (const std::string_view name : AllFieldNames()) {
    in.fields.SetText(name, calculator_->Fields().Text(name));
  }
  return in;
}

CrossCheckWin::~CrossCheckWin() {
  if (stop_) {
    stop_->store(true);
  }
}

// New inputs of the solver ask it again and show the line at once; other inputs only the rows.
void CrossCheckWin::Update() {
  if (calculator_.isNull()) {
    return;
  }
  const Inputs in = CurrentInputs();
  heading_->setText(calculator_->Tabs().TabBar()->tabText(in.page - 1) + QStringLiteral(" page"));
  for (QWidget* part : {static_cast<QWidget*>(thicknessCaption_), static_cast<QWidget*>(thickness_),
                        static_cast<QWidget*>(thicknessUnit_)}) {
    part->setVisible(in.page == 1);
  }
  std::string key = SolverInputs(in.page, in.fields, in.thickness);
  if (key != solvedFor_) {
    const bool samePage = solvedFor_.substr(0, 1) == key.substr(0, 1);
    solvedFor_ = std::move(key);
    ++generation_;
    current_ = false;
    if (!solved_ || !samePage) {
      // Nothing of this line solved yet: its outline at once, its field when solved.
      solved_.reset();
      picture_->Show(DrawCrossSection(ShapeOf(in.page, in.fields, in.thickness), nullptr));
    }
    picture_->SetUpdating(solved_.has_value());
    StartSolving();
  }
  ShowCurrentTable();
}

void CrossCheckWin::ShowCurrentTable() {
  const Inputs in = CurrentInputs();
  std::optional<SolvedPage> shown = solved_;
  if (shown) {
    shown->updating = !current_;
  }
  ShowTable(CrossCheckPage(in.page, in.fields, shown ? &*shown : nullptr, in.thickness));
}

// One solve at a time: inputs that come while it works stop it, and only the newest are solved.
void CrossCheckWin::StartSolving() {
  if (stop_) {
    stop_->store(true);
    return;  // Solved() starts the newest when the stopped one returns
  }
  stop_ = std::make_shared<std::atomic<bool>>(false);
  QPointer<CrossCheckWin> self(this);
  QThreadPool::globalInstance()->start(
      [in = CurrentInputs(), generation = generation_, self, stop = stop_] {
        const SolvedPage solved = SolvePage(in.page, in.fields, in.thickness, stop.get());
        if (stop->load()) {
          QMetaObject::invokeMethod(
              qApp,
              [self] {
                if (self)
                  self->Stopped();
              },
              Qt::QueuedConnection);
          return;
        }
        const CrossSectionPicture picture =
            DrawCrossSection(ShapeOf(in.page, in.fields, in.thickness), &solved.analysis);
        QMetaObject::invokeMethod(
            qApp,
            [self, generation, solved, picture] {
              if (self) {
                self->Solved(generation, solved, picture);
              }
            },
            Qt::QueuedConnection);
      });
}

void CrossCheckWin::Stopped() {
  stop_.reset();
  StartSolving();
}

void CrossCheckWin::Solved(int generation, const SolvedPage& solved,
                           const CrossSectionPicture& picture) {
  stop_.reset();
  if (generation != generation_) {  // newer inputs came while it worked
    StartSolving();
    return;
  }
  solved_ = solved;
  current_ = true;
  picture_->Show(picture);
  ShowCurrentTable();
  table_->resizeRowsToContents();
}

// Rows come and go at the end (a verdict waits for the solver, a field's text is named), so the
// table changes only the rows that change, and the selection and the scroll stay.
void CrossCheckWin::ShowTable(const CrossCheck& check) {
  const int comparisons = static_cast<int>(check.comparisons.size());
  table_->setRowCount(comparisons + static_cast<int>(check.limits.size()));
  int row = 0;
  for (const Comparison& comparison : check.comparisons) {
    if (table_->columnSpan(row, 0) != 1) {
      table_->setSpan(row, 0, 1, 1);
    }
    const auto cells = Cells(comparison);
    for (int column = 0; column < kColumns; ++column) {
      SetCell(*table_, row, column, QString::fromStdString(cells[column]),
              QString::fromStdString(cells[column] + "\n" + comparison.model));
    }
    SetVerdict(row, kColumns - 1, comparison.verdict == Verdict::kDiffers ? &warningIcon_ : nullptr,
               QString::fromStdString(cells[kColumns - 1]));
    ++row;
  }
  for (const Limit& limit : check.limits) {
    ShowLimit(row++, limit);
  }
}

// A note spans the row; the cells it covers hold nothing, so nothing hidden is copied.
void CrossCheckWin::ShowLimit(int row, const Limit& limit) {
  for (int column = 1; column < kColumns; ++column) {
    delete table_->takeItem(row, column);
  }
  if (table_->columnSpan(row, 0) != kColumns) {
    table_->setSpan(row, 0, 1, kColumns);
  }
  const QString words = QString::fromStdString(limit.words);
  SetCell(*table_, row, 0, words, words);
  const QIcon* icon = limit.pending ? nullptr : limit.ok ? &okIcon_ : &warningIcon_;
  const QString said = limit.pending ? QStringLiteral("Waiting: ")
                       : limit.ok    ? QStringLiteral("OK: ")
                                     : QStringLiteral("Warning: ");
  SetVerdict(row, 0, icon, said + words);
}

// Only a change of verdict touches the icon: the table lays itself out again on each change.
void CrossCheckWin::SetVerdict(int row, int column, const QIcon* icon, const QString& spoken) {
  QTableWidgetItem* cell = table_->item(row, column);
  const QString said = icon == &warningIcon_ && column != 0 ? "Warning: " + spoken : spoken;
  if (cell->data(Qt::AccessibleTextRole).toString() != said || cell->icon().isNull() != !icon) {
    cell->setIcon(icon != nullptr ? *icon : QIcon());
    cell->setData(Qt::AccessibleTextRole, said);
  }
}

}  // namespace mq

#include "cross_check_win.moc"
