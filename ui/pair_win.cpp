// SPDX-License-Identifier: MIT
#include "ui/pair_win.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "model/number_text.h"
#include "toolkit/open_window.h"
#include "toolkit/tab_panel.h"
#include "ui/cross_check_win.h"
#include "ui/layout_tables.h"
#include "ui/macquelvor_wnd.h"
#include "ui/result_table.h"

namespace mq {
namespace {

// The fields in reading order: the caption (its mnemonic marked; without it, the accessible name)
// and what a screen reader adds. The height's words follow the structure.
struct FieldRow {
  const char* caption;
  const char* description;
};
constexpr std::array<FieldRow, 7> kFieldRows = {{
    {"&Width (mm)", "Each strip's width"},
    {"&Spacing (mm)", "Between the strips' facing edges"},
    {"&Height (mm)", ""},
    {"&Thickness (mm)", "The strips' copper thickness; 0 for thin strips"},
    {"&Dielectric constant", "The substrate's relative permittivity"},
    {"&Frequency (GHz)", "For the microstrip's dispersion; 0 for none"},
    {"Tar&get differential impedance (ohm)", "What Find width and Find spacing aim for"},
}};

// The calculator's property that keeps the fields as typed, after the substrate they started from.
constexpr const char* kKept = "pairWindowFields";

constexpr int kDifference = static_cast<int>(kPairColumns.size()) - 1;

constexpr const char* kHeightNotes[] = {"substrate h", "planes' spacing b"};
constexpr const char* kHeightWords[] = {"The substrate's height h, from ground to the strips",
                                        "The spacing b of the two ground planes"};

QString NameOf(const FieldRow& row) {
  return QString::fromUtf8(row.caption).remove('&');
}

// A number as a field shows it: enough digits to mean it, a "." decimal point.
QString NumberText(double value) {
  return QString::number(value, 'g', 6);
}

// A page field's text when the calculator was built: page 1's substrate stands in on the coax page.
double InitialValue(std::string_view name) {
  for (const toolkit::ControlRow& row : ui::CalculatorControls()) {
    if (row.name == name) {
      return ParseLeadingNumber(ReplaceFirstComma(std::string(row.text)));
    }
  }
  return 0;
}

// What the solver reads: the same text for inputs that solve the same.
std::string SolverKey(const PairInputs& in) {
  return QStringList{QString::number(static_cast<int>(in.structure)),
                     QString::number(in.width, 'g', 17),
                     QString::number(in.spacing, 'g', 17),
                     QString::number(in.height, 'g', 17),
                     QString::number(in.thickness, 'g', 17),
                     QString::number(in.permittivity, 'g', 17)}
      .join(' ')
      .toStdString();
}

LineShape ShapeOf(const PairInputs& in, bool even) {
  const int page = in.structure == PairStructure::kMicrostrip ? 1 : 2;
  return {page, in.width, in.height, in.thickness, in.permittivity, true, in.spacing, even};
}

// The pair drawn in a mode's field; where the solver handed both modes the single line's field
// (one field for the two), it is no picture of the pair.
CrossSectionPicture Draw(const PairInputs& in, const field_solver::PairAnswer& answer, bool even,
                         const std::atomic<bool>& stop) {
  field_solver::Answer mode = even ? answer.even : answer.odd;
  if (answer.even.field == answer.odd.field) {
    mode.reason = "uncoupled";
  }
  return DrawCrossSection(ShapeOf(in, even), &mode, &stop);
}

}  // namespace

PairWin& PairWin::Show(MacQuelvorWnd& calculator) {
  return toolkit::ShowBeside<PairWin>(calculator,
                                      [&calculator] { return new PairWin(calculator); });
}

// A window of the calculator's own, so it closes with it.
PairWin::PairWin(MacQuelvorWnd& calculator)
    : QWidget(&calculator, Qt::Window),
      structure_(new QComboBox(this)),
      heightNote_(new QLabel(this)),
      message_(new QLabel(this)),
      findWidth_(new QPushButton(QStringLiteral("Find width"), this)),
      findSpacing_(new QPushButton(QStringLiteral("Find spacing"), this)),
      even_(new QCheckBox(QStringLiteral("&Even mode"), this)),
      picture_(new CrossSectionView(this)),
      table_(new ResultTable(kPairColumns, this)),
      solver_(*this, [this](const SolvedPair& answer) { Solved(answer); }),
      painter_(*this, [this](const Pictures& pictures) { Drawn(pictures); }),
      finder_(*this, [this](const PairSynthesis& found) { Found(found); }) {
  BuildLayout();
  toolkit::SetUpSideWindow(*this, QStringLiteral("Differential Pair"), QSize(900, 720));
  TakeSubstrate(calculator);
  Follow();
  Update();
  table_->FitRows();  // once, so that the answer changes few heights if any
}

// The solve and the search stop at their next step; the pool is not waited for.
PairWin::~PairWin() = default;

QLayout* PairWin::BuildFields() {
  auto* grid = new QGridLayout;
  auto* structureCaption = new QLabel(QStringLiteral("St&ructure"), this);
  structureCaption->setBuddy(structure_);
  structure_->addItems({QStringLiteral("Microstrip pair"), QStringLiteral("Stripline pair")});
  structure_->setAccessibleName(QStringLiteral("Structure"));
  grid->addWidget(structureCaption, 0, 0);
  grid->addWidget(structure_, 0, 1, 1, 2);
  for (int i = 0; i < kFields; ++i) {
    const FieldRow& row = kFieldRows[static_cast<std::size_t>(i)];
    auto* caption = new QLabel(QString::fromUtf8(row.caption), this);
    auto* field = new QLineEdit(this);
    caption->setBuddy(field);
    field->setAccessibleName(NameOf(row));
    field->setAccessibleDescription(QString::fromUtf8(row.description));
    field->setToolTip(QString::fromUtf8(row.description));
    field->setMaximumWidth(110);
    fields_[static_cast<std::size_t>(i)] = field;
    grid->addWidget(caption, i + 1, 0);
    grid->addWidget(field, i + 1, 1);
  }
  grid->addWidget(heightNote_, kHeight + 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(findWidth_);
  buttons->addWidget(findSpacing_);
  buttons->addStretch();
  grid->addLayout(buttons, kFields + 1, 0, 1, 3);
  message_->setObjectName(QStringLiteral("Message"));
  message_->setWordWrap(true);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(message_, kFields + 2, 0, 1, 3);
  grid->setRowStretch(kFields + 3, 1);
  return grid;
}

void PairWin::BuildLayout() {
  even_->setAccessibleName(QStringLiteral("Even mode"));
  findWidth_->setAccessibleName(findWidth_->text());
  findSpacing_->setAccessibleName(findSpacing_->text());
  findWidth_->setToolTip(QStringLiteral("The width that gives the target, the rest as typed"));
  findSpacing_->setToolTip(QStringLiteral("The spacing that gives the target, the rest as typed"));
  even_->setToolTip(QStringLiteral("Draw the even mode's field in place of the odd mode's"));
  table_->setAccessibleName(QStringLiteral("Differential pair's figures"));
  table_->SetCopiedBefore([this] { return InputLines(); });
  auto* drawing = new QVBoxLayout;
  drawing->addWidget(picture_, 1);
  drawing->addWidget(even_);
  auto* top = new QHBoxLayout;
  top->addLayout(BuildFields());
  top->addLayout(drawing, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(table_, 2);
  QWidget* order[] = {structure_, fields_[0], fields_[1], fields_[2],   fields_[3], fields_[4],
                      fields_[5], fields_[6], findWidth_, findSpacing_, even_,      table_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    setTabOrder(order[i], order[i + 1]);
  }
}

// The shown page's substrate and width, one width apart. A page without a width yet (a fresh
// page) starts the strips one height wide; the coax page starts from page 1's substrate.
void PairWin::TakeSubstrate(MacQuelvorWnd& calculator) {
  FieldSet& f = calculator.Fields();
  const auto read = [&f](std::string_view name) { return ReadAsThePagesDo(f, name); };
  const int page = calculator.Tabs().CurrentPage();
  const CrossCheckWin* check = toolkit::FindOpenWindow<CrossCheckWin>();
  const double stripThickness =
      check != nullptr
          ? ParseLeadingNumber(ReplaceFirstComma(check->StripThickness().toStdString()))
          : 0;
  std::array<double, kFields> v{};
  if (page == 2) {
    v = {read("WidthField2"),
         read("WidthField2"),
         read("HeightField2"),
         read("ThicknessField2"),
         read("DiConstField2"),
         read("FreqField2"),
         100};
  } else if (page == 1) {
    v = {read("WidthField"),
         read("WidthField"),
         read("HeightField"),
         stripThickness,
         read("DiConstField"),
         read("FreqField"),
         100};
  } else {
    v = {0,  0, InitialValue("HeightField"), 0, InitialValue("DiConstField"), read("FreqField3"),
         100};
  }
  if (!(v[kWidth] > 0 && std::isfinite(v[kWidth]))) {
    v[kWidth] = v[kSpacing] = v[kHeight];
  }
  taken_ = QStringList{QString::number(page == 2 ? 1 : 0)};
  for (const double value : v) {
    taken_ << NumberText(value);
  }
  // What was typed before, unless the calculator's substrate has changed since.
  const QStringList kept = calculator.property(kKept).toStringList();
  const QStringList shown = kept.size() == 2 * taken_.size() && kept.mid(0, taken_.size()) == taken_
                                ? kept.mid(taken_.size())
                                : taken_;
  structure_->setCurrentIndex(shown[0].toInt());
  for (int i = 0; i < kFields; ++i) {
    fields_[static_cast<std::size_t>(i)]->setText(shown[i + 1]);
  }
}

QStringList PairWin::Typed() const {
  QStringList typed{QString::number(structure_->currentIndex())};
  for (const QLineEdit* field : fields_) {
    typed << field->text();
  }
  return typed;
}

// Kept by the calculator, so the window closed and opened again in this run shows them.
void PairWin::Keep() {
  parentWidget()->setProperty(kKept, taken_ + Typed());
}

void PairWin::Follow() {
  for (QLineEdit* field : fields_) {
    connect(field, &QLineEdit::textChanged, this, [this] { Edited(); });
  }
  connect(structure_, &QComboBox::currentIndexChanged, this, [this] { Edited(); });
  connect(even_, &QCheckBox::toggled, this, [this] {
    if (const auto reading = Read()) {
      ShowPicture(reading->in);
    }
  });
  connect(findWidth_, &QPushButton::clicked, this, [this] { Find(true); });
  connect(findSpacing_, &QPushButton::clicked, this, [this] { Find(false); });
}

std::optional<PairWin::Reading> PairWin::Read() const {
  std::array<double, kFields> v{};
  for (std::size_t i = 0; i < v.size(); ++i) {
    const std::optional<double> number = ReadWholeNumber(fields_[i]->text().toStdString());
    if (!number) {
      return std::nullopt;
    }
    v[i] = *number;
  }
  const auto structure =
      structure_->currentIndex() == 1 ? PairStructure::kStripline : PairStructure::kMicrostrip;
  return Reading{{structure, v[kWidth], v[kSpacing], v[kHeight], v[kThickness], v[kPermittivity],
                  v[kFrequency]},
                 v[kTarget]};
}

// Each field whose text is no number, named, so that nothing is read as 0 unseen.
QString PairWin::Unreadable() const {
  QStringList lines;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const QString text = fields_[i]->text();
    if (!ReadWholeNumber(text.toStdString())) {
      lines << NameOf(kFieldRows[i]).section(QStringLiteral(" ("), 0, 0) + ": \"" + text +
                   "\" is not a number.";
    }
  }
  return lines.join('\n');
}

QString PairWin::InputLines() const {
  QString lines = "Structure\t" + structure_->currentText() + '\n';
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    lines += NameOf(kFieldRows[i]) + '\t' + fields_[i]->text() + '\n';
  }
  return lines;
}

QString PairWin::Text() const {
  return InputLines() + table_->Text(false);
}

void PairWin::Edited() {
  Keep();
  note_.clear();
  Update();
}

// New inputs of the solver ask it again; the rows of the published models follow at once.
void PairWin::Update() {
  const int structure = structure_->currentIndex() == 1 ? 1 : 0;
  heightNote_->setText(QString::fromUtf8(kHeightNotes[structure]));
  fields_[kHeight]->setAccessibleDescription(QString::fromUtf8(kHeightWords[structure]));
  fields_[kHeight]->setToolTip(QString::fromUtf8(kHeightWords[structure]));
  const std::optional<Reading> reading = Read();
  const QString unreadable = Unreadable();
  message_->setText(unreadable.isEmpty() ? note_ : unreadable);
  findWidth_->setEnabled(reading.has_value() && !Finding());
  findSpacing_->setEnabled(reading.has_value() && !Finding());
  if (!reading) {
    table_->MarkOld();
    return;
  }
  std::string key = SolverKey(reading->in);
  if (key != solvedFor_) {
    solvedFor_ = std::move(key);
    current_ = drawn_ = false;
    painter_.Stop();
    ShowPicture(reading->in);
    StartSolving(reading->in);
  }
  ShowTable(Check(reading->in));
}

// The solved field once drawn for the newest inputs; until then the outline of these.
void PairWin::ShowPicture(const PairInputs& in) {
  const bool even = even_->isChecked();
  if (drawn_) {
    picture_->Show(even ? pictures_.even : pictures_.odd);
    return;
  }
  picture_->Show(DrawCrossSection(ShapeOf(in, even), nullptr));
}

// The rows of the newest inputs. While they are solved the last answer's figures stay, marked,
// and no verdict is drawn from them: its lines give way to one that says they follow.
PairCheck PairWin::Check(const PairInputs& in) const {
  return CheckPair(in, solved_ ? solved_->Judged(!current_) : PairSolution{});
}

// Newer inputs stop the running solve; only the newest are solved.
void PairWin::StartSolving(const PairInputs& in) {
  solvedInputs_ = in;
  solver_.Start([in](const std::atomic<bool>& stop) { return SolvePairToJudge(in, &stop); });
}

// The figures at once; the fields' pictures follow from another task.
void PairWin::Solved(const SolvedPair& answer) {
  solved_ = answer;
  current_ = true;
  Update();
  table_->FitRows();
  painter_.Start([in = *solvedInputs_, answer = answer.pair](const std::atomic<bool>& stop) {
    Pictures pictures;
    pictures.odd = Draw(in, answer, false, stop);
    if (!stop.load()) {
      pictures.even = Draw(in, answer, true, stop);
    }
    return pictures;
  });
}

void PairWin::Drawn(const Pictures& pictures) {
  pictures_ = pictures;
  drawn_ = true;
  if (const auto reading = Read()) {
    ShowPicture(reading->in);
  }
}

// Rows come and go at the end (the dispersed permittivities, the solver's notes), so the table
// changes only the rows that change, and the selection and the scroll stay.
void PairWin::ShowTable(const PairCheck& check) {
  const int rows = static_cast<int>(check.rows.size());
  table_->SetRows(rows + static_cast<int>(check.limits.size()));
  for (int row = 0; row < rows; ++row) {
    const PairRow& pair = check.rows[static_cast<std::size_t>(row)];
    const auto cells = PairCells(pair);
    table_->SetRow(row, cells, pair.model,
                   {kDifference, pair.verdict == Verdict::kDiffers,
                    QString::fromStdString(cells[kDifference])});
  }
  int row = rows;
  for (const Limit& limit : check.limits) {
    table_->ShowLimit(row++, limit);
  }
}

// The search solves the pair a handful of times, up to half a second: off the window's thread.
// Its answer is written only if the other inputs stayed as they were.
void PairWin::Find(bool width) {
  const std::optional<Reading> reading = Read();
  if (!reading || Finding()) {
    return;
  }
  seekingWidth_ = width;
  asked_ = InputLines();
  finder_.Start([in = reading->in, target = reading->target, width](const std::atomic<bool>& stop) {
    return width ? FindPairWidth(in, target, &stop) : FindPairSpacing(in, target, &stop);
  });
  findWidth_->setEnabled(false);
  findSpacing_->setEnabled(false);
  note_ = width ? QStringLiteral("Finding the width...") : QStringLiteral("Finding the spacing...");
  message_->setText(note_);
}

void PairWin::Found(const PairSynthesis& found) {
  const char* what = seekingWidth_ ? "width" : "spacing";
  if (InputLines() != asked_) {
    note_ = QStringLiteral("The inputs changed while the %1 was sought: find it again.").arg(what);
  } else if (std::isnan(found.value)) {
    note_ = QString::fromStdString(found.reason);
  } else {
    fields_[seekingWidth_ ? kWidth : kSpacing]->setText(NumberText(found.value));
    note_ = QStringLiteral("Found the %1 for the target.").arg(what);
  }
  Update();
}

}  // namespace mq
