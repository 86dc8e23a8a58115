// SPDX-License-Identifier: MIT
// The Line Designer's plot: the line's impedance, eeff or loss against frequency (one loss basis
// for every frequency, so it follows the inputs as they are typed), or its impedance against the
// width or a pair's spacing, each point solved off the window's thread with the points done so
// far drawn, a progress bar and a Cancel that stops within a solve. The sweep goes to CSV, the
// plot to PNG or SVG, and a length of the line to a Touchstone file.
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "model/line_loss.h"
#include "toolkit/background_solve.h"
#include "ui/line_designer_fields.h"
#include "ui/plot_view.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace mq {

class LinePlotPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit LinePlotPanel(QWidget* parent);
  ~LinePlotPanel() override;

  // The newest line read, its loss basis (null while none is solved for it) and the unit its
  // lengths are shown in.
  void ShowLine(const designer::Design& design, const LossBasis* basis, LengthUnit unit);
  bool Sweeping() const { return sweeper_.Running(); }
  const PlotView& Plot() const { return *plot_; }

  // Each writes its file and returns what went wrong, or nothing; the buttons ask for the path.
  QString SaveCsv(const QString& path) const;
  QString SavePicture(const QString& path) const;  // SVG for a name ending .svg, else PNG
  QString SaveTouchstone(const QString& path) const;

  // A point of a width or spacing sweep: mm and ohm.
  struct SizePoint {
    double x = 0, solver = 0, published = 0;
  };

 private:
  enum Against { kFrequency, kWidth, kSpacing };
  struct Range {
    double start = 0, stop = 0;  // Hz, or mm
    int points = 0;
  };
  struct Shared;

  void Build();
  QLayout* BuildExports();
  void Follow();
  Against AgainstNow() const;
  void DefaultRange();
  void Caption();
  std::optional<Range> ReadRange(QString& reason) const;
  void Replot();
  void StartSweep();
  void CancelSweep();
  void ShowSized(const std::vector<SizePoint>& points, int total);
  void Save(const QString& title, const QString& filter,
            QString (LinePlotPanel::*save)(const QString&) const);

  QComboBox* against_;
  QComboBox* show_;
  std::array<QLabel*, 3> rangeCaptions_{};
  std::array<QLineEdit*, 3> range_{};  // start, stop, points
  QPushButton* sweep_;
  QPushButton* cancel_;
  QProgressBar* progress_;
  PlotView* plot_;
  QLabel* readout_;
  QLabel* status_;
  QLabel* lengthCaption_;
  QLineEdit* length_;
  QLineEdit* reference_;
  QTimer* poll_;
  std::optional<designer::Design> design_;
  std::optional<LossBasis> basis_;
  LengthUnit unit_ = LengthUnit::kMillimetre;
  Against swept_ = kFrequency;    // what the sized points are against
  std::vector<SizePoint> sized_;  // of the last width or spacing sweep
  std::shared_ptr<Shared> shared_;
  toolkit::BackgroundSolve<std::vector<SizePoint>> sweeper_;
};

}  // namespace mq
