// SPDX-License-Identifier: MIT
// The Line Designer's plot, its sweeps and its files: see ui/line_designer_plot.h.
#include "ui/line_designer_plot.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QSvgGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <mutex>
#include <sstream>

#include "model/length_units.h"
#include "model/line_sweep.h"
#include "model/loss_check.h"
#include "model/number_text.h"

namespace mq {

// The points a running sweep has done, read by the window's thread while it works.
struct LinePlotPanel::Shared {
  std::mutex lock;
  std::vector<SizePoint> done;
};

namespace {

constexpr double kHertzPerGigahertz = 1e9;
constexpr QSize kPictureSize(960, 600);
constexpr std::array<const char*, 3> kRangeNames = {"Start", "Stop", "Points"};
constexpr std::array<const char*, 3> kShown = {"Impedance", "Effective permittivity", "Loss"};

QString Symbol(LengthUnit unit) {
  const std::string_view symbol = UnitSymbol(unit);
  return QString::fromUtf8(symbol.data(), static_cast<int>(symbol.size()));
}

PlotCurve Curve(const QString& name, const std::vector<double>& x, const std::vector<double>& y) {
  PlotCurve curve{name, {}};
  for (std::size_t i = 0; i < x.size(); ++i) {
    curve.points.emplace_back(x[i], y[i]);
  }
  return curve;
}

// Each curve's figures at every frequency, the published model's beside the solver's where it
// gives any; a pair's impedance and loss are its differential signal's.
struct FrequencyFigures {
  std::vector<double> ghz, z, zPublished, odd, even, ePublished;
  std::array<std::vector<double>, 3> loss, lossPublished;  // conductor, dielectric, total, dB/m
};

FrequencyFigures FiguresAt(const designer::Design& d, const LossBasis& basis,
                           const std::vector<double>& hertz) {
  FrequencyFigures f;
  const bool pair = IsPair(d.in.structure);
  const PublishedLine published = PublishedFigures(d.in);
  for (const double h : hertz) {
    const LineLoss at = LossOfLine(basis, d.loss, h);
    const ModeLoss& mode = pair ? at.odd : at.single;
    const PublishedLoss model = PublishedLossOf(d.in, d.loss, h);
    f.ghz.push_back(h / kHertzPerGigahertz);
    f.z.push_back(pair ? 2 * at.odd.impedance : mode.impedance);
    f.zPublished.push_back(published.impedance);
    f.odd.push_back(mode.permittivity);
    f.even.push_back(at.even.permittivity);
    f.ePublished.push_back(published.permittivity);
    const std::array<double, 3> solver = {mode.conductor, mode.dielectric, mode.Total()};
    const std::array<double, 3> closed = {model.conductor, model.dielectric, model.Total()};
    for (std::size_t k = 0; k < 3; ++k) {
      f.loss[k].push_back(solver[k] * kDecibelsPerNeper);
      f.lossPublished[k].push_back(closed[k] * kDecibelsPerNeper);
    }
  }
  return f;
}

// Curves of published figures are drawn only where the model gives some.
void AddPublished(PlotData& data, const QString& name, const std::vector<double>& x,
                  const std::vector<double>& y) {
  if (std::any_of(y.begin(), y.end(), [](double v) { return std::isfinite(v); })) {
    data.curves.push_back(Curve(name, x, y));
  }
}

PlotData FrequencyPlot(const designer::Design& d, const FrequencyFigures& f, int shown) {
  const bool pair = IsPair(d.in.structure);
  PlotData data{
      QStringLiteral("Frequency"), QStringLiteral("GHz"), kShown[shown], {}, true, {}, {}};
  if (shown == 0) {
    data.yName = pair ? QStringLiteral("Differential impedance") : data.yName;
    data.yUnit = QStringLiteral("ohm");
    data.curves.push_back(Curve(QStringLiteral("Field solver"), f.ghz, f.z));
    AddPublished(data, QStringLiteral("Published model"), f.ghz, f.zPublished);
  } else if (shown == 1) {
    data.curves.push_back(
        Curve(pair ? QStringLiteral("Odd mode") : QStringLiteral("Field solver"), f.ghz, f.odd));
    if (pair) {
      data.curves.push_back(Curve(QStringLiteral("Even mode"), f.ghz, f.even));
    }
    AddPublished(data, QStringLiteral("Published model"), f.ghz, f.ePublished);
  } else {
    data.yName = pair ? QStringLiteral("Differential loss") : data.yName;
    data.yUnit = QStringLiteral("dB/m");
    const std::array<QString, 3> kinds = {QStringLiteral("Conductor"), QStringLiteral("Dielectric"),
                                          QStringLiteral("Total")};
    for (std::size_t k = 0; k < 3; ++k) {
      data.curves.push_back(Curve(kinds[k] + " (field solver)", f.ghz, f.loss[k]));
    }
    for (std::size_t k = 0; k < 3; ++k) {
      AddPublished(data, kinds[k] + " (published)", f.ghz, f.lossPublished[k]);
    }
  }
  return data;
}

// Every point of a width or spacing sweep: the line solved, its published figure beside it.
std::vector<LinePlotPanel::SizePoint> SweepSizes(LineInputs in, double LineInputs::*size,
                                                 const std::vector<double>& values,
                                                 std::mutex& lock,
                                                 std::vector<LinePlotPanel::SizePoint>& done,
                                                 const std::atomic<bool>& stop) {
  std::vector<LinePlotPanel::SizePoint> points;
  for (const double value : values) {
    in.*size = value;
    const LineSolution solved = SolveLineInputs(in, &stop);
    if (stop.load()) {
      break;
    }
    points.push_back(
        {value, solved.Impedance(IsPair(in.structure)), PublishedFigures(in).impedance});
    const std::lock_guard<std::mutex> hold(lock);
    done = points;
  }
  return points;
}

}  // namespace

LinePlotPanel::LinePlotPanel(QWidget* parent)
    : QWidget(parent),
      against_(new QComboBox(this)),
      show_(new QComboBox(this)),
      sweep_(new QPushButton(QStringLiteral("Sweep"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      progress_(new QProgressBar(this)),
      plot_(new PlotView(this)),
      readout_(new QLabel(this)),
      status_(new QLabel(this)),
      lengthCaption_(new QLabel(this)),
      length_(new QLineEdit(QStringLiteral("100"), this)),
      reference_(new QLineEdit(QStringLiteral("50"), this)),
      poll_(new QTimer(this)),
      shared_(std::make_shared<Shared>()),
      sweeper_(*this, [this](const std::vector<SizePoint>& points) {
        poll_->stop();
        ShowSized(points, static_cast<int>(points.size()));
      }) {
  Build();
  Follow();
  DefaultRange();
}

// A sweep still running stops at its next step; the pool is not waited for.
LinePlotPanel::~LinePlotPanel() = default;

void LinePlotPanel::Build() {
  auto* controls = new QHBoxLayout;
  const std::pair<const char*, QComboBox*> popups[] = {{"Plot against", against_}, {"Show", show_}};
  for (const auto& [caption, popup] : popups) {
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    label->setBuddy(popup);
    popup->setAccessibleName(label->text());
    controls->addWidget(label);
    controls->addWidget(popup);
  }
  against_->addItems(
      {QStringLiteral("Frequency"), QStringLiteral("Width"), QStringLiteral("Spacing")});
  against_->setToolTip(QStringLiteral("What the plot's x is: the frequency, or a dimension"));
  for (const char* shown : kShown) {
    show_->addItem(QString::fromUtf8(shown));
  }
  show_->setToolTip(QStringLiteral("The quantity plotted against frequency"));
  for (std::size_t i = 0; i < range_.size(); ++i) {
    rangeCaptions_[i] = new QLabel(this);
    range_[i] = new QLineEdit(this);
    range_[i]->setMaximumWidth(80);
    rangeCaptions_[i]->setBuddy(range_[i]);
    range_[i]->setToolTip(i == 2 ? QStringLiteral("How many points, log-spaced in frequency")
                                 : QStringLiteral("An end of the plot's x"));
    controls->addWidget(rangeCaptions_[i]);
    controls->addWidget(range_[i]);
  }
  sweep_->setToolTip(QStringLiteral("Solve the line at every point of the range"));
  cancel_->setToolTip(QStringLiteral("Stop the sweep, keeping the points done"));
  progress_->setAccessibleName(QStringLiteral("Sweep progress"));
  sweep_->setAccessibleName(sweep_->text());
  cancel_->setAccessibleName(cancel_->text());
  controls->addWidget(sweep_);
  controls->addWidget(cancel_);
  controls->addWidget(progress_);
  controls->addStretch();
  cancel_->hide();
  progress_->hide();
  readout_->setAccessibleName(QStringLiteral("Pointer readout"));
  status_->setObjectName(QStringLiteral("Plot message"));
  status_->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(plot_, 1);
  layout->addWidget(readout_);
  layout->addLayout(BuildExports());
  layout->addWidget(status_);
}

QLayout* LinePlotPanel::BuildExports() {
  struct Button {
    const char* caption;
    const char* tip;
    const char* filter;
    QString (LinePlotPanel::*save)(const QString&) const;
  };
  static const Button kButtons[] = {
      {"Save CSV…", "The sweep's figures as CSV, as fieldcalc Sweep writes them", "CSV (*.csv)",
       &LinePlotPanel::SaveCsv},
      {"Save PNG…", "The plot as a PNG picture", "PNG (*.png)", &LinePlotPanel::SavePicture},
      {"Save SVG…", "The plot as an SVG drawing", "SVG (*.svg)", &LinePlotPanel::SavePicture},
      {"Save Touchstone…", "The line of the length given at the plot's frequencies",
       "Touchstone (*.s2p *.s4p)", &LinePlotPanel::SaveTouchstone}};
  auto* row = new QHBoxLayout;
  auto* reference = new QLabel(QStringLiteral("Reference (ohm)"), this);
  for (const Button& b : kButtons) {
    auto* button = new QPushButton(QString::fromUtf8(b.caption), this);
    button->setAccessibleName(button->text());
    button->setToolTip(QString::fromUtf8(b.tip));
    if (b.save == &LinePlotPanel::SaveTouchstone) {
      lengthCaption_->setBuddy(length_);
      reference->setBuddy(reference_);
      reference_->setAccessibleName(reference->text());
      length_->setToolTip(QStringLiteral("The line's length in the Touchstone file"));
      reference_->setToolTip(QStringLiteral("Every port's reference impedance"));
      for (QWidget* w :
           std::initializer_list<QWidget*>{lengthCaption_, length_, reference, reference_}) {
        row->addWidget(w);
      }
      length_->setMaximumWidth(80);
      reference_->setMaximumWidth(80);
    }
    row->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, b] {
      Save(QString::fromUtf8(b.caption).chopped(1), QString::fromUtf8(b.filter), b.save);
    });
  }
  row->addStretch();
  return row;
}

void LinePlotPanel::Follow() {
  connect(against_, &QComboBox::currentIndexChanged, this, [this] {
    DefaultRange();
    Replot();
  });
  connect(show_, &QComboBox::currentIndexChanged, this, [this] { Replot(); });
  for (QLineEdit* field : range_) {
    connect(field, &QLineEdit::textEdited, this, [this] { Replot(); });
  }
  connect(sweep_, &QPushButton::clicked, this, [this] { StartSweep(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { CancelSweep(); });
  connect(plot_, &PlotView::ReadoutChanged, readout_, &QLabel::setText);
  connect(poll_, &QTimer::timeout, this, [this] {
    const std::lock_guard<std::mutex> hold(shared_->lock);
    ShowSized(shared_->done, progress_->maximum());
  });
}

LinePlotPanel::Against LinePlotPanel::AgainstNow() const {
  return static_cast<Against>(std::max(0, against_->currentIndex()));
}

// A frequency sweep from 1 MHz to 100 GHz; a dimension's from a quarter of it to four times.
void LinePlotPanel::DefaultRange() {
  const Against against = AgainstNow();
  double now = 1;
  if (design_) {
    now = against == kSpacing ? design_->in.spacing : design_->in.width;
  }
  const QStringList texts =
      against == kFrequency
          ? QStringList{QStringLiteral("0.001"), QStringLiteral("100"), QStringLiteral("101")}
          : QStringList{designer::LengthText(now / 4, unit_), designer::LengthText(4 * now, unit_),
                        QStringLiteral("16")};
  for (std::size_t i = 0; i < range_.size(); ++i) {
    range_[i]->setText(texts[static_cast<int>(i)]);
  }
  Caption();
}

void LinePlotPanel::Caption() {
  const Against against = AgainstNow();
  const QString unit = against == kFrequency ? QStringLiteral("GHz") : Symbol(unit_);
  for (std::size_t i = 0; i < range_.size(); ++i) {
    const QString name = QString::fromUtf8(kRangeNames[i]);
    rangeCaptions_[i]->setText(i == 2 ? name : name + " (" + unit + ')');
    range_[i]->setAccessibleName(rangeCaptions_[i]->text());
  }
  lengthCaption_->setText("Length (" + Symbol(unit_) + ')');
  length_->setAccessibleName(lengthCaption_->text());
  show_->setEnabled(against == kFrequency);
  sweep_->setVisible(against != kFrequency);
}

void LinePlotPanel::ShowLine(const designer::Design& design, const LossBasis* basis,
                             LengthUnit unit) {
  const bool pair = IsPair(design.in.structure);
  design_ = design;
  basis_.reset();
  if (basis != nullptr) {
    basis_ = *basis;
  }
  if (unit != unit_) {
    unit_ = unit;
    if (AgainstNow() != kFrequency) {
      DefaultRange();
    }
    Caption();
  }
  if (auto* items = qobject_cast<QStandardItemModel*>(against_->model())) {
    items->item(kSpacing)->setEnabled(pair);
  }
  if (!pair && AgainstNow() == kSpacing) {
    against_->setCurrentIndex(kWidth);
  }
  if (AgainstNow() == kFrequency) {
    Replot();
  }
}

// The range as typed: GHz read as Hz, lengths in the unit (or as typed) as mm.
std::optional<LinePlotPanel::Range> LinePlotPanel::ReadRange(QString& reason) const {
  std::array<double, 3> values{};
  for (std::size_t i = 0; i < range_.size(); ++i) {
    const std::string text = range_[i]->text().toStdString();
    std::optional<double> value;
    if (i == 2 || AgainstNow() == kFrequency) {
      value = ReadWholeNumber(text);
    } else if (const auto length = ReadLength(text, unit_, false)) {
      value = length->millimetres;
    }
    if (!value) {
      reason = QString::fromUtf8(kRangeNames[i]) + ": \u201C" + range_[i]->text() +
               "\u201D is not a number";
      return std::nullopt;
    }
    values[i] = *value;
  }
  const bool whole = values[2] == std::floor(values[2]) && values[2] >= 2 && values[2] <= 10000;
  if (!(values[0] > 0 && values[1] > values[0]) || !whole) {
    reason = QStringLiteral("The plot needs 0 < Start < Stop and 2 to 10000 whole Points.");
    return std::nullopt;
  }
  const double scale = AgainstNow() == kFrequency ? kHertzPerGigahertz : 1;
  return Range{values[0] * scale, values[1] * scale, static_cast<int>(values[2])};
}

// The frequency plot from the line's one loss basis; a dimension's from its last sweep.
void LinePlotPanel::Replot() {
  QString reason;
  const auto range = ReadRange(reason);
  status_->setText(reason);
  if (AgainstNow() != kFrequency) {
    ShowSized(sized_, static_cast<int>(sized_.size()));
    return;
  }
  PlotData data;
  data.note = QStringLiteral("Solving the line's loss...");
  if (basis_ && !basis_->reason.empty()) {
    data.note = QString::fromStdString(basis_->reason);
  } else if (!range) {
    data.note = reason;
  } else if (basis_ && design_) {
    const auto hertz = LogSpaced(range->start, range->stop, range->points);
    data = FrequencyPlot(*design_, FiguresAt(*design_, *basis_, hertz),
                         std::max(0, show_->currentIndex()));
  }
  plot_->SetPlot(std::move(data));
}

// Each point of the range solved in turn; the window keeps working, and Cancel keeps the points
// done.
void LinePlotPanel::StartSweep() {
  QString reason;
  const auto range = ReadRange(reason);
  status_->setText(reason);
  if (!range || !design_) {
    return;
  }
  swept_ = AgainstNow();
  sized_.clear();
  std::vector<double> values;
  for (int i = 0; i < range->points; ++i) {
    values.push_back(range->start + (range->stop - range->start) * i / (range->points - 1));
  }
  auto shared = std::make_shared<Shared>();
  shared_ = shared;
  const auto size = swept_ == kSpacing ? &LineInputs::spacing : &LineInputs::width;
  sweeper_.Start([in = design_->in, size, values, shared](const std::atomic<bool>& stop) {
    return SweepSizes(in, size, values, shared->lock, shared->done, stop);
  });
  progress_->setRange(0, range->points);
  progress_->setValue(0);
  progress_->show();
  cancel_->show();
  sweep_->setEnabled(false);
  poll_->start(100);
}

void LinePlotPanel::CancelSweep() {
  sweeper_.Stop();
  poll_->stop();
  const int total = progress_->maximum();
  std::vector<SizePoint> done;
  {
    const std::lock_guard<std::mutex> hold(shared_->lock);
    done = shared_->done;
  }
  ShowSized(done, static_cast<int>(done.size()));
  status_->setText(QStringLiteral("Cancelled after %1 of %2 points.").arg(done.size()).arg(total));
}

// The points done so far; the sweep's controls back once all `total` are.
void LinePlotPanel::ShowSized(const std::vector<SizePoint>& points, int total) {
  sized_ = points;
  const bool done = static_cast<int>(points.size()) >= total;
  progress_->setValue(static_cast<int>(points.size()));
  progress_->setVisible(!done);
  cancel_->setVisible(!done);
  sweep_->setEnabled(done);
  const double scale = FromMillimetres(1, unit_);
  PlotData data{swept_ == kSpacing ? QStringLiteral("Spacing") : QStringLiteral("Width"),
                Symbol(unit_),
                design_ && IsPair(design_->in.structure) ? QStringLiteral("Differential impedance")
                                                         : QStringLiteral("Impedance"),
                QStringLiteral("ohm"),
                false,
                {},
                QStringLiteral("Sweep to plot the impedance against the dimension.")};
  std::vector<double> x, solver, published;
  for (const SizePoint& p : points) {
    x.push_back(p.x * scale);
    solver.push_back(p.solver);
    published.push_back(p.published);
  }
  if (!points.empty()) {
    data.curves.push_back(Curve(QStringLiteral("Field solver"), x, solver));
    AddPublished(data, QStringLiteral("Published model"), x, published);
  }
  plot_->SetPlot(std::move(data));
}

void LinePlotPanel::Save(const QString& title, const QString& filter,
                         QString (LinePlotPanel::*save)(const QString&) const) {
  const QString path = QFileDialog::getSaveFileName(this, title, {}, filter);
  if (!path.isEmpty()) {
    const QString failed = (this->*save)(path);
    status_->setText(failed.isEmpty() ? "Saved " + path : failed);
  }
}

namespace {

QString Write(const QString& path, const std::string& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size())) {
    return "Cannot write " + path + ": " + file.errorString();
  }
  return {};
}

}  // namespace

// The frequency sweep in fieldcalc Sweep's columns; a dimension's as mm and ohm.
QString LinePlotPanel::SaveCsv(const QString& path) const {
  QString reason;
  const auto range = ReadRange(reason);
  if (AgainstNow() != kFrequency) {
    std::ostringstream out;
    out.precision(10);
    out << (swept_ == kSpacing ? "spacing_mm" : "width_mm") << ",impedance,published_impedance\n";
    for (const SizePoint& p : sized_) {
      out << p.x << ',' << p.solver << ',' << p.published << '\n';
    }
    return Write(path, out.str());
  }
  if (!range || !basis_ || !basis_->reason.empty() || !design_) {
    return reason.isEmpty() ? QStringLiteral("There is no sweep to save yet.") : reason;
  }
  return Write(path, SweepCsv(IsPair(design_->in.structure), *basis_, design_->loss,
                              LogSpaced(range->start, range->stop, range->points)));
}

QString LinePlotPanel::SavePicture(const QString& path) const {
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(kPictureSize);
    svg.setViewBox(QRect(QPoint(0, 0), kPictureSize));
    svg.setTitle(QStringLiteral("MacQuelvor Line Designer plot"));
    QPainter painter(&svg);
    painter.setFont(plot_->font());
    plot_->Paint(painter, kPictureSize);
    return painter.end() ? QString() : "Cannot write " + path;
  }
  QImage image(kPictureSize, QImage::Format_ARGB32);
  {
    QPainter painter(&image);
    painter.setFont(plot_->font());
    plot_->Paint(painter, kPictureSize);
  }
  return image.save(path, "PNG") ? QString() : "Cannot write " + path;
}

QString LinePlotPanel::SaveTouchstone(const QString& path) const {
  QString reason;
  const auto range = ReadRange(reason);
  const auto length = ReadLength(length_->text().toStdString(), unit_, false);
  const auto reference = ReadWholeNumber(reference_->text().toStdString());
  if (AgainstNow() != kFrequency || !range || !basis_ || !basis_->reason.empty() || !design_) {
    return QStringLiteral("A Touchstone file needs the line's loss plotted against frequency.");
  }
  if (!length || !(length->millimetres > 0) || !reference || !(*reference > 0)) {
    return QStringLiteral("The length and the reference must be positive numbers.");
  }
  const touchstone::FileLine file{std::string(StructureName(design_->in.structure)),
                                  length->millimetres * 1e-3, *reference};
  return Write(path, SweepTouchstone(IsPair(design_->in.structure), *basis_, design_->loss,
                                     LogSpaced(range->start, range->stop, range->points), file));
}

}  // namespace mq
