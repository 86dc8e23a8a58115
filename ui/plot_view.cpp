// SPDX-License-Identifier: MIT
// The plot's drawing and its readout: see ui/plot_view.h.
#include "ui/plot_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace mq {
namespace {

constexpr double kMargin = 8;

// Dashes as well as colours, so the curves are told apart in grey and by the colour-blind.
QPen CurvePen(const QPalette& palette, std::size_t index) {
  static const std::array<Qt::PenStyle, 6> kDashes = {
      Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine, Qt::SolidLine};
  const std::array<QColor, 3> colours = {palette.color(QPalette::Highlight),
                                         palette.color(QPalette::Link),
                                         palette.color(QPalette::WindowText)};
  QPen pen(colours[index % colours.size()], index >= kDashes.size() - 1 ? 1.0 : 2.0);
  pen.setStyle(kDashes[index % kDashes.size()]);
  return pen;
}

bool Finite(const QPointF& p) {
  return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Where the data go on the widget: the axes' ends and the plotting area.
struct Frame {
  QRectF area;
  double x0 = 0, x1 = 1, y0 = 0, y1 = 1;
  bool logX = false;

  double X(double x) const { return logX ? std::log10(x) : x; }
  double MapX(double x) const { return area.left() + area.width() * (X(x) - x0) / (x1 - x0); }
  double MapY(double y) const { return area.bottom() - area.height() * (y - y0) / (y1 - y0); }
  QPointF Map(QPointF p) const { return {MapX(p.x()), MapY(p.y())}; }
};

// Round steps of 1, 2 or 5 times a power of ten, about five to the span.
double TickStep(double span) {
  const double raw = span / 5, power = std::pow(10, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 5.0}) {
    if (m * power >= raw) {
      return m * power;
    }
  }
  return 10 * power;
}

// The data's ends, a little room above and below; a flat curve gets a span of its own.
Frame FrameOf(const PlotData& data, QRectF area) {
  Frame f{area, 0, 0, 0, 0, data.logX};
  double xMin = INFINITY, xMax = -INFINITY, yMin = INFINITY, yMax = -INFINITY;
  for (const PlotCurve& curve : data.curves) {
    for (const QPointF& p : curve.points) {
      if (Finite(p) && (!data.logX || p.x() > 0)) {
        xMin = std::min(xMin, f.X(p.x()));
        xMax = std::max(xMax, f.X(p.x()));
        yMin = std::min(yMin, p.y());
        yMax = std::max(yMax, p.y());
      }
    }
  }
  const double pad = yMax > yMin ? 0.05 * (yMax - yMin) : std::max(1e-9, 0.05 * std::abs(yMax));
  f.x0 = xMin;
  f.x1 = xMax > xMin ? xMax : xMin + 1;
  f.y0 = yMin - pad;
  f.y1 = yMax + pad;
  return f;
}

QString Number(double value) {
  return QString::number(value, 'g', 4);
}

// Decades on a log axis, round steps on a linear one.
std::vector<double> XTicks(const Frame& f) {
  std::vector<double> ticks;
  if (f.logX) {
    for (double d = std::ceil(f.x0 - 1e-9); d <= f.x1 + 1e-9; ++d) {
      ticks.push_back(std::pow(10, d));
    }
    return ticks;
  }
  const double step = TickStep(f.x1 - f.x0);
  for (double x = std::ceil(f.x0 / step) * step; x <= f.x1 + 1e-9 * step; x += step) {
    ticks.push_back(x);
  }
  return ticks;
}

void PaintAxes(QPainter& painter, const Frame& f, const PlotData& data, const QPalette& palette) {
  const QColor ink = palette.color(QPalette::WindowText);
  const QColor grid = palette.color(QPalette::Mid);
  const QFontMetricsF metrics(painter.font());
  painter.setPen(grid);
  const double yStep = TickStep(f.y1 - f.y0);
  for (double y = std::ceil(f.y0 / yStep) * yStep; y <= f.y1; y += yStep) {
    const double at = f.MapY(y);
    painter.setPen(grid);
    painter.drawLine(QPointF(f.area.left(), at), QPointF(f.area.right(), at));
    painter.setPen(ink);
    const QString words = Number(std::abs(y) < 1e-9 * yStep ? 0 : y);
    painter.drawText(QRectF(0, at - 10, f.area.left() - 4, 20), Qt::AlignRight | Qt::AlignVCenter,
                     words);
  }
  for (const double x : XTicks(f)) {
    const double at = f.MapX(x);
    painter.setPen(grid);
    painter.drawLine(QPointF(at, f.area.top()), QPointF(at, f.area.bottom()));
    painter.setPen(ink);
    painter.drawText(QRectF(at - 40, f.area.bottom() + 2, 80, metrics.height()), Qt::AlignCenter,
                     Number(x));
  }
  painter.setPen(ink);
  painter.drawRect(f.area);
  const QString xTitle = data.xName + " (" + data.xUnit + ')';
  painter.drawText(QRectF(f.area.left(), f.area.bottom() + metrics.height() + 2, f.area.width(),
                          metrics.height()),
                   Qt::AlignCenter, xTitle);
}

QString YTitle(const PlotData& data) {
  return data.yName + (data.yUnit.isEmpty() ? "" : " (" + data.yUnit + ')');
}

// The legend across the top: the y title, then each curve's short stretch of line before its
// name, running on to a new row where an entry would pass the right edge.
struct Legend {
  std::vector<QRectF> boxes;  // the title's, then each curve's
  double height = 0;
};

Legend LayOutLegend(const PlotData& data, double width, const QFontMetricsF& metrics) {
  constexpr double kLine = 36, kGap = 16;
  Legend legend;
  double x = kMargin, y = kMargin;
  legend.boxes.emplace_back(x, y, metrics.horizontalAdvance(YTitle(data)), metrics.height());
  x += legend.boxes.back().width() + 24;
  for (const PlotCurve& curve : data.curves) {
    const double entry = kLine + metrics.horizontalAdvance(curve.name);
    if (x + entry + kGap > width) {
      x = kMargin;
      y += metrics.height();
    }
    legend.boxes.emplace_back(x, y, entry, metrics.height());
    x += entry + kGap;
  }
  legend.height = y + metrics.height() + kMargin / 2;
  return legend;
}

// The legend painted; its height.
double PaintLegend(QPainter& painter, const PlotData& data, double width, const QPalette& palette) {
  const QFontMetricsF metrics(painter.font());
  const Legend legend = LayOutLegend(data, width, metrics);
  painter.setPen(palette.color(QPalette::WindowText));
  const QRectF& title = legend.boxes.front();
  painter.drawText(QPointF(title.left(), title.top() + metrics.ascent()), YTitle(data));
  for (std::size_t i = 0; i < data.curves.size(); ++i) {
    const QRectF& box = legend.boxes[i + 1];
    painter.setPen(CurvePen(palette, i));
    painter.drawLine(QPointF(box.left(), box.center().y()),
                     QPointF(box.left() + 30, box.center().y()));
    painter.setPen(palette.color(QPalette::WindowText));
    painter.drawText(QPointF(box.left() + 36, box.top() + metrics.ascent()), data.curves[i].name);
  }
  return legend.height;
}

QRectF Area(QSize size, double top, const QFontMetricsF& metrics) {
  const double left = metrics.horizontalAdvance(QStringLiteral("-0.0000e-00")) + 6;
  return QRectF(QPointF(left, top + kMargin),
                QPointF(size.width() - 2 * kMargin, size.height() - 2 * metrics.height() - 8));
}

}  // namespace

PlotView::PlotView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setMinimumSize(320, 200);
  setAccessibleName(QStringLiteral("Plot"));
}

void PlotView::SetPlot(PlotData data) {
  data_ = std::move(data);
  std::size_t points = 0;
  for (const PlotCurve& curve : data_.curves) {
    points = std::max(points, curve.points.size());
  }
  setAccessibleDescription(data_.curves.empty()
                               ? data_.note
                               : QStringLiteral("%1 against %2, %3 curves of %4 points")
                                     .arg(data_.yName, data_.xName.toLower())
                                     .arg(data_.curves.size())
                                     .arg(points));
  update();
}

void PlotView::Paint(QPainter& painter, QSize size) const {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(QRect(QPoint(0, 0), size), palette().color(QPalette::Base));
  const double top = PaintLegend(painter, data_, size.width(), palette());
  const Frame f = FrameOf(data_, Area(size, top, QFontMetricsF(painter.font())));
  if (data_.curves.empty() || !std::isfinite(f.y0)) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap, data_.note);
    return;
  }
  PaintAxes(painter, f, data_, palette());
  painter.setClipRect(f.area.adjusted(-2, -2, 2, 2));
  for (std::size_t i = 0; i < data_.curves.size(); ++i) {
    QPainterPath path;
    bool drawing = false;
    for (const QPointF& p : data_.curves[i].points) {
      if (!Finite(p)) {
        drawing = false;
        continue;
      }
      drawing ? path.lineTo(f.Map(p)) : path.moveTo(f.Map(p));
      drawing = true;
    }
    painter.strokePath(path, CurvePen(palette(), i));
  }
  painter.setClipping(false);
}

// The fonts' metrics as the painting on the screen has them.
QFontMetricsF PlotView::ScreenMetrics() const {
  QImage probe(1, 1, QImage::Format_ARGB32);
  QPainter painter(&probe);
  painter.setFont(font());
  return QFontMetricsF(painter.font());
}

std::vector<QRectF> PlotView::LegendBoxes() const {
  return LayOutLegend(data_, width(), ScreenMetrics()).boxes;
}

QString PlotView::ReadoutAt(QPointF at) const {
  const double top = LayOutLegend(data_, width(), ScreenMetrics()).height;
  const Frame f = FrameOf(data_, Area(size(), top, QFontMetricsF(font())));
  double best = std::numeric_limits<double>::infinity();
  QString words;
  for (const PlotCurve& curve : data_.curves) {
    for (const QPointF& p : curve.points) {
      const QPointF d = f.Map(p) - at;
      if (Finite(p) && QPointF::dotProduct(d, d) < best) {
        best = QPointF::dotProduct(d, d);
        words = QStringLiteral("%1: %2 %3, %4 %5")
                    .arg(curve.name, Number(p.x()), data_.xUnit, Number(p.y()), data_.yUnit)
                    .trimmed();
      }
    }
  }
  return words;
}

void PlotView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  Paint(painter, size());
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
  emit ReadoutChanged(ReadoutAt(event->position()));
}

void PlotView::leaveEvent(QEvent* /*event*/) {
  emit ReadoutChanged({});
}

}  // namespace mq
