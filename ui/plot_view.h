// SPDX-License-Identifier: MIT
// A plot of a few curves against one x, drawn with QPainter: linear or logarithmic x, the
// figures of the nearest point under the pointer, curves told apart by their dash as well as by
// their colour, in the palette's colours so it reads in a dark theme too. It paints onto any
// QPainter, so the same drawing goes to the screen, a PNG and an SVG.
//
// Qt Charts would have drawn this, but it is licensed under the GPL 3 alone, which would make the
// whole package GPL 3; the cross-section is already drawn with QPainter, and so is this.
#pragma once

#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

namespace mq {

struct PlotCurve {
  QString name;                 // as the legend gives it
  std::vector<QPointF> points;  // in the axes' units; a point that is not finite is left out
};

struct PlotData {
  QString xName, xUnit;  // "Frequency", "GHz"
  QString yName, yUnit;  // "Loss", "dB/m"
  bool logX = false;
  std::vector<PlotCurve> curves;
  QString note;  // said in place of the curves when there are none
};

class PlotView final : public QWidget {
  Q_OBJECT

 public:
  explicit PlotView(QWidget* parent);

  void SetPlot(PlotData data);
  const PlotData& Data() const { return data_; }
  // The plot drawn into `size`, for the screen and for the files alike.
  void Paint(QPainter& painter, QSize size) const;
  // The nearest point to `at` (in the widget) as "Total (field solver): 2.5 GHz, 1.23 dB/m";
  // nothing where there are no points.
  QString ReadoutAt(QPointF at) const;
  // The legend's entries on the screen: the y title's, then each curve's line and name.
  std::vector<QRectF> LegendBoxes() const;

 signals:
  void ReadoutChanged(const QString& words);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QFontMetricsF ScreenMetrics() const;

  PlotData data_;
};

}  // namespace mq
