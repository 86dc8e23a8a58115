// SPDX-License-Identifier: MIT
#include "ui/line_designer_win.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "model/loss_check.h"
#include "model/number_text.h"
#include "toolkit/open_window.h"
#include "toolkit/tab_panel.h"
#include "ui/cross_check_win.h"
#include "ui/layout_tables.h"
#include "ui/line_designer_picture.h"
#include "ui/line_designer_plot.h"
#include "ui/macquelvor_wnd.h"
#include "ui/result_table.h"

namespace mq {
namespace {

using designer::Field;
using designer::kFieldCount;
using designer::kFieldRows;

constexpr const char* kGroup = "LineDesigner";
constexpr int kDifference = static_cast<int>(kPairColumns.size()) - 1;
constexpr std::array<const char*, 3> kUnknownNames = {"width", "spacing", "gap"};
constexpr std::array<Field, 3> kUnknownFields = {designer::kWidth, designer::kSpacing,
                                                 designer::kGap};

QString Symbol(LengthUnit unit) {
  const std::string_view symbol = UnitSymbol(unit);
  return QString::fromUtf8(symbol.data(), static_cast<int>(symbol.size()));
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

QString Exact(double value) {
  return QString::number(value, 'g', 17);
}

// What the solver reads: the same text for inputs that solve the same.
std::string SolverKey(const LineInputs& in) {
  const auto optional = [](const std::optional<double>& v) { return v ? Exact(*v) : "-"; };
  return QStringList{QString::number(static_cast<int>(in.structure)),
                     Exact(in.width),
                     optional(in.topWidth),
                     Exact(in.spacing),
                     Exact(in.gap),
                     optional(in.groundWidth),
                     Exact(in.height),
                     Exact(in.heightAbove),
                     Exact(in.thickness),
                     Exact(in.cover),
                     Exact(in.maskThickness),
                     Exact(in.permittivity),
                     optional(in.permittivityAbove),
                     Exact(in.maskPermittivity)}
      .join(' ')
      .toStdString();
}

// The mode's field, where the solver gave the pair one of its own: an uncoupled pair's modes
// share the single line's field, which is no picture of the pair.
CrossSectionPicture Draw(const designer::Design& design, LengthUnit unit, const LineSolution& line,
                         bool even, const std::atomic<bool>& stop) {
  if (!IsPair(design.in.structure)) {
    return DrawLayered(designer::ShapeOf(design, unit, false), &line.single, &stop);
  }
  field_solver::Answer mode = even ? line.pair.even : line.pair.odd;
  if (line.pair.even.field == line.pair.odd.field) {
    mode.field = nullptr;
  }
  return DrawLayered(designer::ShapeOf(design, unit, even), &mode, &stop);
}

}  // namespace

LineDesignerWin& LineDesignerWin::Show(MacQuelvorWnd& calculator) {
  return toolkit::ShowBeside<LineDesignerWin>(
      calculator, [&calculator] { return new LineDesignerWin(calculator); });
}

// A window of the calculator's own, so it closes with it.
LineDesignerWin::LineDesignerWin(MacQuelvorWnd& calculator)
    : QWidget(&calculator, Qt::Window),
      structure_(new QComboBox(this)),
      units_(new QComboBox(this)),
      heightNote_(new QLabel(this)),
      message_(new QLabel(this)),
      reset_(new QPushButton(QStringLiteral("Reset"), this)),
      even_(new QCheckBox(QStringLiteral("E&ven mode"), this)),
      picture_(new CrossSectionView(this)),
      table_(new ResultTable(kPairColumns, this)),
      lossTable_(new ResultTable(kPairColumns, this)),
      plot_(new LinePlotPanel(this)),
      solver_(*this, [this](const Answered& answer) { Solved(answer); }),
      painter_(*this, [this](const Pictures& pictures) { Drawn(pictures); }),
      finder_(*this, [this](const LineSynthesis& found) { Found(found); }),
      lossSolver_(*this, [this](const KeyedBasis& basis) {
        basis_ = basis;
        Update();
        lossTable_->FitRows();
      }) {
  BuildLayout();
  toolkit::SetUpSideWindow(*this, QStringLiteral("Line Designer"), QSize(1180, 820));
  rewriting_ = true;
  if (!Restore()) {
    TakeSubstrate();
  }
  rewriting_ = false;
  ShowFields();
  Follow();
  Update();
  table_->FitRows();  // once, so that the answer changes few heights if any
}

// The solve, the search and the pictures stop at their next step; the pool is not waited for.
LineDesignerWin::~LineDesignerWin() = default;

QLayout* LineDesignerWin::BuildFields() {
  auto* grid = new QGridLayout;
  const std::pair<const char*, QComboBox*> popups[] = {{"St&ructure", structure_},
                                                       {"&Units", units_}};
  for (int row = 0; row < 2; ++row) {
    auto* caption = new QLabel(QString::fromUtf8(popups[row].first), this);
    caption->setBuddy(popups[row].second);
    popups[row].second->setAccessibleName(caption->text().remove('&'));
    grid->addWidget(caption, row, 0);
    grid->addWidget(popups[row].second, row, 1, 1, 2);
  }
  structure_->setIconSize(QSize(40, 24));
  for (const designer::StructureRow& row : designer::Structures()) {
    structure_->addItem(designer::StructureIcon(row.structure, palette()),
                        QString::fromUtf8(row.name));
  }
  units_->addItems(
      {Symbol(LengthUnit::kMillimetre), Symbol(LengthUnit::kMil), Symbol(LengthUnit::kMicrometre)});
  structure_->setToolTip(QStringLiteral("The line's cross-section: its fields follow"));
  units_->setToolTip(QStringLiteral("How lengths are shown and read without a unit of their own"));
  for (int i = 0; i < designer::kFrequency; ++i) {
    AddField(grid, i + 2, static_cast<Field>(i));
  }
  grid->addWidget(heightNote_, designer::kHeight + 2, 2);
  grid->addLayout(BuildButtons(), designer::kFrequency + 2, 0, 1, 3);
  message_->setObjectName(QStringLiteral("Message"));
  message_->setWordWrap(true);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(message_, designer::kFrequency + 3, 0, 1, 3);
  grid->setRowStretch(designer::kFrequency + 4, 1);
  return grid;
}

void LineDesignerWin::AddField(QGridLayout* grid, int row, Field field) {
  auto* caption = new QLabel(this);
  auto* edit = new QLineEdit(this);
  caption->setBuddy(edit);
  edit->setMaximumWidth(110);
  captions_[static_cast<std::size_t>(field)] = caption;
  fields_[static_cast<std::size_t>(field)] = edit;
  grid->addWidget(caption, row, 0);
  grid->addWidget(edit, row, 1);
}

// The loss's fields in a column of their own, each popup above the field it names.
QLayout* LineDesignerWin::BuildLossFields() {
  auto* grid = new QGridLayout;
  int row = 0;
  const auto addPopups = [&](Field before) {
    for (std::size_t p = 0; p < popups_.size(); ++p) {
      const designer::PopupRow& data = designer::kPopupRows[p];
      if (data.before != before) {
        continue;
      }
      auto* caption = new QLabel(QString::fromUtf8(data.caption), this);
      popups_[p] = new QComboBox(this);
      caption->setBuddy(popups_[p]);
      popups_[p]->setAccessibleName(caption->text().remove('&'));
      popups_[p]->setToolTip(QString::fromUtf8(data.description));
      for (const char* entry : data.entries) {
        if (entry != nullptr) {
          popups_[p]->addItem(QString::fromUtf8(entry));
        }
      }
      grid->addWidget(caption, row, 0);
      grid->addWidget(popups_[p], row++, 1);
    }
  };
  for (int i = designer::kFrequency; i <= kFieldCount; ++i) {
    addPopups(static_cast<Field>(i));
    if (i < kFieldCount) {
      AddField(grid, row++, static_cast<Field>(i));
    }
  }
  grid->setRowStretch(row, 1);
  return grid;
}

QLayout* LineDesignerWin::BuildButtons() {
  auto* buttons = new QHBoxLayout;
  for (std::size_t i = 0; i < find_.size(); ++i) {
    const QString what = QString::fromUtf8(kUnknownNames[i]);
    find_[i] = new QPushButton("Find " + what, this);
    find_[i]->setAccessibleName(find_[i]->text());
    find_[i]->setToolTip("The " + what + " that gives the target, the rest as typed");
    buttons->addWidget(find_[i]);
  }
  buttons->addStretch();
  reset_->setAccessibleName(reset_->text());
  reset_->setToolTip(QStringLiteral("Every field as on a first opening, from the shown page"));
  buttons->addWidget(reset_);
  return buttons;
}

void LineDesignerWin::BuildLayout() {
  even_->setAccessibleName(QStringLiteral("Even mode"));
  even_->setToolTip(QStringLiteral("Draw the even mode's field in place of the odd mode's"));
  auto* drawing = new QVBoxLayout;
  drawing->addWidget(picture_, 1);
  drawing->addWidget(even_);
  auto* top = new QHBoxLayout;
  top->addLayout(BuildFields());
  top->addLayout(BuildLossFields());
  top->addLayout(drawing, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(BuildTabs(), 2);
  OrderTabs();
}

// The figures, the loss and the plot share the lower half, a tab each.
QWidget* LineDesignerWin::BuildTabs() {
  table_->setAccessibleName(QStringLiteral("Line's figures"));
  table_->setObjectName(QStringLiteral("Figures"));
  table_->SetCopiedBefore([this] { return InputLines(); });
  lossTable_->setAccessibleName(QStringLiteral("Line's loss"));
  lossTable_->SetCopiedBefore([this] { return InputLines(); });
  auto* tabs = new QTabWidget(this);
  tabs->setAccessibleName(QStringLiteral("Results"));
  tabs->addTab(table_, QStringLiteral("Figures"));
  tabs->addTab(lossTable_, QStringLiteral("Loss"));
  tabs->addTab(plot_, QStringLiteral("Plot"));
  return tabs;
}

void LineDesignerWin::OrderTabs() {
  std::vector<QWidget*> order = {structure_, units_};
  order.insert(order.end(), fields_.begin(), fields_.begin() + designer::kFrequency);
  for (int i = designer::kFrequency; i <= kFieldCount; ++i) {
    for (std::size_t p = 0; p < popups_.size(); ++p) {
      if (designer::kPopupRows[p].before == i) {
        order.push_back(popups_[p]);
      }
    }
    if (i < kFieldCount) {
      order.push_back(fields_[static_cast<std::size_t>(i)]);
    }
  }
  order.insert(order.end(), find_.begin(), find_.end());
  order.insert(order.end(), {reset_, even_});
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    setTabOrder(order[i], order[i + 1]);
  }
}

namespace {

// The shown page's line: its width (one height while the page has none), substrate, copper
// (page 1's from the cross-check's Strip thickness) and frequency; the coax page starts from
// page 1's defaults.
struct PageLine {
  int page = 1;
  double width = 0, height = 0, thickness = 0, permittivity = 1, gigahertz = 0, tangent = 0;
};

PageLine ReadPage(MacQuelvorWnd& calculator) {
  FieldSet& f = calculator.Fields();
  const auto read = [&f](std::string_view name) { return ReadAsThePagesDo(f, name); };
  PageLine line;
  line.page = calculator.Tabs().CurrentPage();
  const bool strip = line.page != 3, two = line.page == 2;
  const CrossCheckWin* check = toolkit::FindOpenWindow<CrossCheckWin>();
  const double copper =
      check != nullptr
          ? ParseLeadingNumber(ReplaceFirstComma(check->StripThickness().toStdString()))
          : 0;
  line.width = strip ? read(two ? "WidthField2" : "WidthField") : 0;
  line.height = strip ? read(two ? "HeightField2" : "HeightField") : InitialValue("HeightField");
  line.thickness = two ? read("ThicknessField2") : strip ? copper : 0;
  line.permittivity =
      strip ? read(two ? "DiConstField2" : "DiConstField") : InitialValue("DiConstField");
  line.gigahertz = read(two ? "FreqField2" : strip ? "FreqField" : "FreqField3");
  line.tangent = read("LossTanField");
  if (!(line.width > 0 && std::isfinite(line.width))) {
    line.width = line.height;
  }
  return line;
}

// Every field's first text: the page's line, a pair one width apart, a gap of half a width, a
// cover of a quarter height, a 0.02 mm mask of er 3.3 and tan d 0.02 (a common liquid
// photoimageable mask), annealed copper with Huray's usual nodules where it is rough.
designer::FieldTexts FirstTexts(const PageLine& l) {
  const auto text = [](double v) { return QString::fromStdString(ShortestText(v)); };
  return {text(l.width),
          {},
          text(l.width),
          text(l.width / 2),
          {},
          text(l.height),
          text(l.height),
          text(l.height / 4),
          text(l.thickness),
          QStringLiteral("0.02"),
          text(l.permittivity),
          {},
          QStringLiteral("3.3"),
          QStringLiteral("50"),
          text(l.gigahertz),
          QStringLiteral("5.8e7"),
          QStringLiteral("1"),
          QStringLiteral("0.5"),
          QStringLiteral("2.9"),
          text(l.tangent),
          QStringLiteral("0.02")};
}

}  // namespace

void LineDesignerWin::TakeSubstrate() {
  const PageLine line = ReadPage(*static_cast<MacQuelvorWnd*>(parentWidget()));
  const designer::FieldTexts texts = FirstTexts(line);
  structure_->setCurrentIndex(
      static_cast<int>(line.page == 2 ? LineStructure::kStripline : LineStructure::kMicrostrip));
  units_->setCurrentIndex(static_cast<int>(LengthUnit::kMillimetre));
  shownUnit_ = LengthUnit::kMillimetre;
  for (int i = 0; i < kFieldCount; ++i) {
    fields_[static_cast<std::size_t>(i)]->setText(texts[static_cast<std::size_t>(i)]);
  }
  for (QComboBox* popup : popups_) {
    popup->setCurrentIndex(0);
  }
}

// The last run's structure, unit, texts and picks; false when there was none. A field the last
// run did not have takes its first text.
bool LineDesignerWin::Restore() {
  QSettings settings;
  settings.beginGroup(QLatin1String(kGroup));
  const auto structure = StructureNamed(settings.value("structure").toString().toStdString());
  const auto unit = UnitNamed(settings.value("units").toString().toStdString());
  if (!structure || !unit) {
    return false;
  }
  structure_->setCurrentIndex(static_cast<int>(*structure));
  units_->setCurrentIndex(static_cast<int>(*unit));
  shownUnit_ = *unit;
  const designer::FieldTexts first =
      FirstTexts(ReadPage(*static_cast<MacQuelvorWnd*>(parentWidget())));
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    fields_[i]->setText(settings.value(kFieldRows[i].key, first[i]).toString());
  }
  for (std::size_t p = 0; p < popups_.size(); ++p) {
    popups_[p]->setCurrentIndex(settings.value(designer::kPopupRows[p].key, 0).toInt());
  }
  return true;
}

void LineDesignerWin::Save() const {
  QSettings settings;
  settings.beginGroup(QLatin1String(kGroup));
  const std::string_view name = StructureName(Structure());
  settings.setValue("structure", QString::fromUtf8(name.data(), static_cast<int>(name.size())));
  settings.setValue("units", Symbol(Unit()));
  for (int i = 0; i < kFieldCount; ++i) {
    settings.setValue(kFieldRows[static_cast<std::size_t>(i)].key,
                      fields_[static_cast<std::size_t>(i)]->text());
  }
  for (std::size_t p = 0; p < popups_.size(); ++p) {
    settings.setValue(designer::kPopupRows[p].key, popups_[p]->currentIndex());
  }
}

void LineDesignerWin::Reset() {
  rewriting_ = true;
  TakeSubstrate();
  rewriting_ = false;
  ShowFields();
  Edited();
}

void LineDesignerWin::Follow() {
  for (QLineEdit* field : fields_) {
    connect(field, &QLineEdit::textChanged, this, [this] { Edited(); });
  }
  connect(structure_, &QComboBox::currentIndexChanged, this, [this] {
    ShowFields();
    Edited();
  });
  connect(units_, &QComboBox::currentIndexChanged, this, [this] { ChangeUnits(); });
  for (QComboBox* popup : popups_) {
    connect(popup, &QComboBox::currentIndexChanged, this, [this] {
      ShowFields();
      Edited();
    });
  }
  connect(even_, &QCheckBox::toggled, this, [this] {
    if (const auto design = ReadNow().design) {
      ShowPicture(*design);
    }
  });
  for (std::size_t i = 0; i < find_.size(); ++i) {
    connect(find_[i], &QPushButton::clicked, this,
            [this, i] { Find(static_cast<LineUnknown>(i)); });
  }
  connect(reset_, &QPushButton::clicked, this, [this] { Reset(); });
}

LineStructure LineDesignerWin::Structure() const {
  return designer::Structures()[static_cast<std::size_t>(std::max(0, structure_->currentIndex()))]
      .structure;
}

LengthUnit LineDesignerWin::Unit() const {
  return static_cast<LengthUnit>(std::max(0, units_->currentIndex()));
}

designer::Picks LineDesignerWin::Picks() const {
  return {static_cast<RoughnessModel>(std::max(0, popups_[designer::kRoughness]->currentIndex())),
          static_cast<DielectricModel>(
              std::max(0, popups_[designer::kDielectricModel]->currentIndex()))};
}

designer::Reading LineDesignerWin::ReadNow() const {
  return designer::Read(Texts(), Structure(), Unit(), Picks());
}

designer::FieldTexts LineDesignerWin::Texts() const {
  designer::FieldTexts texts;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    texts[i] = fields_[i]->text();
  }
  return texts;
}

// The structure's own fields, captioned in the unit; its Find buttons; the mode for a pair.
void LineDesignerWin::ShowFields() {
  const LineStructure structure = Structure();
  const designer::StructureRow& row = designer::RowOf(structure);
  const designer::FieldMask fields = designer::ShownFields(structure, Picks().roughness);
  for (int i = 0; i < kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    const bool shown = (fields & designer::Bit(field)) != 0;
    QLineEdit* edit = fields_[static_cast<std::size_t>(i)];
    captions_[static_cast<std::size_t>(i)]->setText(
        designer::Caption(field, structure, Unit(), true));
    captions_[static_cast<std::size_t>(i)]->setVisible(shown);
    edit->setAccessibleName(designer::Caption(field, structure, Unit()));
    const QString words =
        field == designer::kHeight
            ? "The height: " + QString::fromUtf8(row.heightNote)
            : QString::fromUtf8(kFieldRows[static_cast<std::size_t>(i)].description);
    edit->setAccessibleDescription(words);
    edit->setToolTip(words);
    edit->setVisible(shown);
  }
  heightNote_->setText(QString::fromUtf8(row.heightNote));
  for (std::size_t i = 0; i < find_.size(); ++i) {
    find_[i]->setVisible((row.fields & designer::Bit(kUnknownFields[i])) != 0);
  }
  even_->setVisible(IsPair(structure));
}

// The lengths rewritten in the new unit, each as it was read in the old (a text that is no
// length stays as typed); the picture's labels follow.
void LineDesignerWin::ChangeUnits() {
  const LengthUnit unit = Unit();
  if (rewriting_ || unit == shownUnit_) {
    shownUnit_ = unit;
    return;
  }
  rewriting_ = true;
  for (int i = 0; i < kFieldCount; ++i) {
    QLineEdit* field = fields_[static_cast<std::size_t>(i)];
    if (kFieldRows[static_cast<std::size_t>(i)].length) {
      if (const auto read =
              ReadLength(field->text().toStdString(), shownUnit_, i == designer::kThickness)) {
        field->setText(designer::LengthText(read->millimetres, unit));
      }
    }
  }
  rewriting_ = false;
  shownUnit_ = unit;
  ShowFields();
  solvedFor_.clear();  // the pictures' labels are in the unit: drawn again
  Edited();
}

QString LineDesignerWin::InputLines() const {
  QString lines =
      "Structure\t" + structure_->currentText() + "\nUnits\t" + units_->currentText() + '\n';
  const designer::FieldMask shown = designer::ShownFields(Structure(), Picks().roughness);
  for (int i = 0; i < kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    if ((shown & designer::Bit(field)) != 0) {
      lines += designer::Caption(field, Structure(), Unit()) + '\t' +
               fields_[static_cast<std::size_t>(i)]->text() + '\n';
    }
  }
  for (const QComboBox* popup : popups_) {
    lines += popup->accessibleName() + '\t' + popup->currentText() + '\n';
  }
  return lines;
}

QString LineDesignerWin::Text() const {
  return InputLines() + table_->Text(false);
}

void LineDesignerWin::Edited() {
  if (rewriting_) {
    return;
  }
  Save();
  note_.clear();
  Update();
}

// New inputs of the solver ask it again; the rows of the published models follow at once. What
// cannot be read comes first in the message, then how units were read, then the search's news.
void LineDesignerWin::Update() {
  const designer::Reading reading = ReadNow();
  QStringList lines = reading.unread + reading.units;
  if (reading.unread.isEmpty() && !note_.isEmpty()) {
    lines << note_;
  }
  message_->setText(lines.join('\n'));
  for (QPushButton* find : find_) {
    find->setEnabled(reading.design.has_value() && !Finding());
  }
  if (!reading.design) {
    table_->MarkOld();
    lossTable_->MarkOld();
    return;
  }
  std::string key = SolverKey(reading.design->in);
  if (key != solvedFor_) {
    solvedFor_ = std::move(key);
    current_ = drawn_ = false;
    painter_.Stop();
    ShowPicture(*reading.design);
    StartSolving(*reading.design);
  }
  ShowTable(Check(*reading.design));
  ShowLoss(*reading.design);
}

// The solved field once drawn for the newest inputs; until then the outline of these.
void LineDesignerWin::ShowPicture(const designer::Design& design) {
  const bool even = even_->isChecked() && IsPair(design.in.structure);
  if (drawn_) {
    picture_->Show(even ? pictures_.even : pictures_.odd);
    return;
  }
  picture_->Show(DrawLayered(designer::ShapeOf(design, Unit(), even), nullptr));
}

// The rows of the newest inputs. While they are solved the last answer's figures of the same
// structure stay, marked, and no verdict is drawn from them; an answer without figures (a zero
// width's) says nothing of the new inputs: their cells read "solving..." instead.
LineDesignerWin::Checked LineDesignerWin::Check(const designer::Design& design) const {
  const bool kept = solved_ && solved_->structure == design.in.structure &&
                    (current_ || solved_->line.reason.empty());
  if (const auto pair = designer::TodaysPair(design)) {
    const PairCheck check = CheckPair(
        *pair, kept && solved_->today ? solved_->today->Judged(!current_) : PairSolution{});
    return {check.rows, check.limits};
  }
  LineCheck check = CheckLine(design.in, kept ? &solved_->line : nullptr, !current_);
  return {std::move(check.rows), std::move(check.limits)};
}

// Newer inputs stop the running solve; only the newest are solved. Today's pairs are solved as
// their rows judge them, with the pair at zero thickness where that tells the thickness's part.
void LineDesignerWin::StartSolving(const designer::Design& design) {
  solvedDesign_ = design;
  solver_.Start([design](const std::atomic<bool>& stop) {
    Answered answer{design.in.structure, {}, std::nullopt};
    if (const auto pair = designer::TodaysPair(design)) {
      answer.today = SolvePairToJudge(*pair, &stop);
      answer.line.pair = answer.today->pair;
      answer.line.reason = answer.today->pair.reason;
    } else {
      answer.line = SolveLineInputs(design.in, &stop);
    }
    return answer;
  });
}

// The figures at once; the field's pictures follow from another task.
void LineDesignerWin::Solved(const Answered& answer) {
  solved_ = answer;
  current_ = true;
  Update();
  table_->FitRows();
  lossSolver_.Start([key = solvedFor_, in = solvedDesign_->in,
                     line = answer.line](const std::atomic<bool>& stop) {
    return KeyedBasis{key, in.structure, SolveLossBasis(in, line, &stop)};
  });
  painter_.Start(
      [design = *solvedDesign_, unit = Unit(), line = answer.line](const std::atomic<bool>& stop) {
        Pictures pictures;
        pictures.odd = Draw(design, unit, line, false, stop);
        if (IsPair(design.in.structure) && !stop.load()) {
          pictures.even = Draw(design, unit, line, true, stop);
        }
        return pictures;
      });
}

void LineDesignerWin::Drawn(const Pictures& pictures) {
  pictures_ = pictures;
  drawn_ = true;
  if (const auto design = ReadNow().design) {
    ShowPicture(*design);
  }
}

// Rows come and go at the end (the solver's notes, a pair's dispersion), so the table changes
// only the rows that change, and the selection and the scroll stay.
void LineDesignerWin::ShowTable(const Checked& check) {
  const int rows = static_cast<int>(check.rows.size());
  table_->SetRows(rows + static_cast<int>(check.limits.size()));
  for (int row = 0; row < rows; ++row) {
    const PairRow& line = check.rows[static_cast<std::size_t>(row)];
    const auto cells = PairCells(line);
    table_->SetRow(row, cells, line.model,
                   {kDifference, line.verdict == Verdict::kDiffers,
                    QString::fromStdString(cells[kDifference])});
  }
  int row = rows;
  for (const Limit& limit : check.limits) {
    table_->ShowLimit(row++, limit);
  }
}

// The loss at the frequency typed, from the newest basis of the same structure: marked while a
// newer one is solved. The plot follows every edit alike.
void LineDesignerWin::ShowLoss(const designer::Design& design) {
  const bool same = basis_ && basis_->structure == design.in.structure;
  const LossBasis* basis = same ? &basis_->basis : nullptr;
  plot_->ShowLine(design, SolvingLoss() ? nullptr : basis, Unit());
  LossCheck check;
  if (design.gigahertz < 0 || !std::isfinite(design.gigahertz)) {
    check.limits.push_back({false, "The frequency must be a positive number, or 0 for no loss."});
  } else if (design.gigahertz == 0) {
    check.limits.push_back({true, "Type a frequency to see the line's loss."});
  } else {
    check = CheckLoss(design.in, design.loss, design.gigahertz * 1e9, basis, SolvingLoss());
  }
  const int rows = static_cast<int>(check.rows.size());
  lossTable_->SetRows(rows + static_cast<int>(check.limits.size()));
  for (int row = 0; row < rows; ++row) {
    const auto cells = PairCells(check.rows[static_cast<std::size_t>(row)]);
    lossTable_->SetRow(row, cells, check.rows[static_cast<std::size_t>(row)].model);
  }
  for (std::size_t i = 0; i < check.limits.size(); ++i) {
    lossTable_->ShowLimit(rows + static_cast<int>(i), check.limits[i]);
  }
}

// The search solves the line a handful of times or more: off the window's thread. Its answer is
// written only if the other inputs and the unit stayed as they were.
void LineDesignerWin::Find(LineUnknown unknown) {
  const std::optional<designer::Design> design = ReadNow().design;
  if (!design || Finding()) {
    return;
  }
  seeking_ = unknown;
  asked_ = InputLines();
  finder_.Start([in = design->in, target = design->target, unknown](const std::atomic<bool>& stop) {
    return FindLineDimension(in, unknown, target, &stop);
  });
  for (QPushButton* find : find_) {
    find->setEnabled(false);
  }
  note_ = QStringLiteral("Finding the %1...").arg(kUnknownNames[static_cast<std::size_t>(unknown)]);
  message_->setText(note_);
}

void LineDesignerWin::Found(const LineSynthesis& found) {
  const auto index = static_cast<std::size_t>(seeking_);
  const char* what = kUnknownNames[index];
  if (InputLines() != asked_) {
    note_ = QStringLiteral("The inputs changed while the %1 was sought: find it again.").arg(what);
  } else if (std::isnan(found.value)) {
    note_ = QString::fromStdString(found.reason);
  } else {
    fields_[kUnknownFields[index]]->setText(designer::LengthText(found.value, Unit()));
    note_ = QStringLiteral("Found the %1 for the target.").arg(what);
  }
  Update();
}

}  // namespace mq
