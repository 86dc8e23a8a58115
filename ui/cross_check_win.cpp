// SPDX-License-Identifier: MIT
#include "ui/cross_check_win.h"

#include <QAccessible>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QVBoxLayout>
#include <utility>

#include "model/field_names.h"
#include "toolkit/open_window.h"
#include "toolkit/tab_panel.h"
#include "ui/macquelvor_wnd.h"
#include "ui/result_table.h"

namespace mq {
namespace {

constexpr int kColumns = static_cast<int>(kCrossCheckColumns.size());

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
  return toolkit::ShowBeside<CrossCheckWin>(
      calculator, [&calculator] { return new CrossCheckWin(calculator); });
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
      table_(new ResultTable(kCrossCheckColumns, this)),
      solver_(*this, [this](const Solution& solution) { Solved(solution); }) {
  BuildLayout();
  toolkit::SetUpSideWindow(*this, QStringLiteral("Cross-Check"), QSize(780, 520));
  Follow();
  Update();
  table_->setFocus();
}

void CrossCheckWin::BuildLayout() {
  thicknessCaption_->setBuddy(thickness_);
  thickness_->setAccessibleName(QStringLiteral("Strip thickness (mm)"));
  thickness_->setMaximumWidth(90);
  table_->setAccessibleName(QStringLiteral("Cross-check of the shown page"));
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
  return table_->Text(false);
}

QString CrossCheckWin::StripThickness() const {
  return thickness_->text();
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

// The solve stops at its next step; the pool is not waited for.
CrossCheckWin::~CrossCheckWin() = default;

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

// Newer inputs stop the running solve; only the newest are solved.
void CrossCheckWin::StartSolving() {
  solver_.Start([in = CurrentInputs()](const std::atomic<bool>& stop) {
    Solution solution{SolvePage(in.page, in.fields, in.thickness, &stop), {}};
    if (!stop.load()) {
      solution.picture = DrawCrossSection(ShapeOf(in.page, in.fields, in.thickness),
                                          &solution.solved.analysis, &stop);
    }
    return solution;
  });
}

void CrossCheckWin::Solved(const Solution& solution) {
  solved_ = solution.solved;
  current_ = true;
  picture_->Show(solution.picture);
  ShowCurrentTable();
  table_->FitRows();
}

// Rows come and go at the end (a verdict waits for the solver, a field's text is named), so the
// table changes only the rows that change, and the selection and the scroll stay.
void CrossCheckWin::ShowTable(const CrossCheck& check) {
  const int comparisons = static_cast<int>(check.comparisons.size());
  table_->SetRows(comparisons + static_cast<int>(check.limits.size()));
  int row = 0;
  for (const Comparison& comparison : check.comparisons) {
    const auto cells = Cells(comparison);
    table_->SetRow(row, cells, comparison.model,
                   {kColumns - 1, comparison.verdict == Verdict::kDiffers,
                    QString::fromStdString(cells[kColumns - 1])});
    ++row;
  }
  for (const Limit& limit : check.limits) {
    table_->ShowLimit(row++, limit);
  }
}

}  // namespace mq
