// SPDX-License-Identifier: MIT
#include "ui/cross_section_view.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

namespace mq {
namespace {

constexpr int kLevels = 9;     // equipotentials at 10 %, 20 %, ... 90 %
constexpr int kAcross = 72;    // potential samples across the picture
constexpr int kMostDown = 48;  // and at most this many down it
constexpr double kMargin = 3;  // substrate heights (plane spacings) shown beside the strip
// Past this many millimetres the picture's coordinates, summed and scaled, would overflow.
constexpr double kLargestDrawn = 1e300;
constexpr int kLabelRoom = 18;  // pixels above and below the line for its labels

bool Positive(double value) {
  return std::isfinite(value) && value > 0;
}

QString Millimetres(double value) {
  return QString::number(value, 'g', 4) + " mm";
}

QString PairWords(const LineShape& line) {
  const QString thick =
      line.thickness > 0 ? ", " + Millimetres(line.thickness) + " thick" : QString();
  const QString where = line.page == 1 ? "on " + Millimetres(line.height)
                                       : "between planes " + Millimetres(line.height) + " apart";
  return QString(line.page == 1 ? "a microstrip pair" : "a stripline pair") + ", W " +
         Millimetres(line.width) + ", spacing " + Millimetres(line.spacing) + thick + ", " + where +
         ", er " + QString::number(line.permittivity, 'g', 4) +
         (line.even ? ", even mode" : ", odd mode");
}

QString Describe(const LineShape& line, const QString& fault, const char* field) {
  QString what;
  const QString er = ", er " + QString::number(line.permittivity, 'g', 4);
  const QString thick =
      line.thickness > 0 ? ", " + Millimetres(line.thickness) + " thick," : QString();
  if (!fault.isEmpty()) {
    return "Cross-section: " + fault;
  }
  if (line.pair) {
    what = PairWords(line);
  } else if (line.page == 1) {
    what = Millimetres(line.width) + " strip" + thick + " on " + Millimetres(line.height) + er;
  } else if (line.page == 2) {
    what = Millimetres(line.width) + " strip" + thick + " between planes " +
           Millimetres(line.height) + " apart" + er;
  } else {
    what = Millimetres(line.width) + " inner in " + Millimetres(line.height) + " outer" + er;
  }
  return "Cross-section: " + what + ", " + field;
}

// Dimensions a picture can hold: positive, finite and within what its coordinates sum to.
bool Drawable(const LineShape& line) {
  return Positive(line.width) && Positive(line.height) && line.permittivity >= 1 &&
         std::isfinite(line.thickness) && line.thickness >= 0 &&
         std::max({line.width, line.height, line.thickness}) < kLargestDrawn &&
         (!line.pair || (Positive(line.spacing) && line.spacing < kLargestDrawn));
}

// The centres of the strips drawn: one on the centre line, or a pair either side of it.
std::vector<double> StripCentres(const LineShape& line) {
  if (!line.pair) {
    return {0};
  }
  const double offset = (line.spacing + line.width) / 2;
  return {-offset, offset};
}

// A line no one can build, drawn as typed with its fault named.
QString FaultOf(const LineShape& line) {
  if (line.page == 3 && line.width >= line.height) {
    return "the inner diameter, " + Millimetres(line.width) + ", is not smaller than the outer, " +
           Millimetres(line.height) + ".";
  }
  if (line.page == 2 && line.thickness >= line.height) {
    return "the strip, " + Millimetres(line.thickness) + " thick, does not fit between planes " +
           Millimetres(line.height) + " apart.";
  }
  return {};
}

QRectF Region(const LineShape& line) {
  const double h = line.height,
               half = line.width / 2 + (line.pair ? line.width / 2 + line.spacing / 2 : 0);
  if (line.page == 1) {
    const double side = half + kMargin * h;
    return {-side, 0, 2 * side, h + line.thickness + kMargin * h};
  }
  if (line.page == 2) {
    const double side = half + kMargin * h / 2;
    return {-side, 0, 2 * side, std::max(h, line.thickness)};
  }
  const double r = 0.55 * std::max(line.height, line.width);
  return {-r, -r, 2 * r, 2 * r};
}

// Marching squares over a grid of potentials: the segments where it crosses each level, of
// either sign where the field has both.
std::vector<QLineF> Contours(const std::vector<double>& grid, int across, int down,
                             const QRectF& region, bool bothSigns) {
  const auto at = [&](int i, int j) { return grid[static_cast<std::size_t>(j * across + i)]; };
  const auto point = [&](double i, double j) {
    return QPointF(region.left() + region.width() * i / (across - 1),
                   region.top() + region.height() * j / (down - 1));
  };
  std::vector<QLineF> lines;
  for (int level = bothSigns ? -kLevels : 1; level <= kLevels; ++level) {
    const double v = level / 10.0;
    if (level == 0) {
      continue;
    }
    for (int j = 0; j + 1 < down; ++j) {
      for (int i = 0; i + 1 < across; ++i) {
        const std::array<double, 4> c = {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)};
        const std::array<QPointF, 4> corner = {point(i, j), point(i + 1, j), point(i + 1, j + 1),
                                               point(i, j + 1)};
        std::array<QPointF, 4> crossings;
        std::size_t found = 0;
        for (int e = 0; e < 4; ++e) {
          const double a = c[e] - v, b = c[(e + 1) % 4] - v;
          if ((a < 0) != (b < 0)) {
            const double f = a / (a - b);
            crossings[found++] = corner[e] + f * (corner[(e + 1) % 4] - corner[e]);
          }
        }
        for (std::size_t k = 0; k + 1 < found; k += 2) {
          lines.emplace_back(crossings[k], crossings[k + 1]);
        }
      }
    }
  }
  return lines;
}

// WCAG contrast of two colours.
double Contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& colour) {
    const auto linear = [](double c) {
      return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Mix(const QColor& a, const QColor& b, double f) {
  return QColor::fromRgbF(static_cast<float>(a.redF() + f * (b.redF() - a.redF())),
                          static_cast<float>(a.greenF() + f * (b.greenF() - a.greenF())),
                          static_cast<float>(a.blueF() + f * (b.blueF() - a.blueF())));
}

// The accent colour, moved toward the ink until it stands at 3:1 against both backgrounds.
QColor Readable(const QColor& accent, const QColor& ink, const QColor& back, const QColor& fill) {
  QColor colour = accent;
  for (int step = 1; step <= 10 && std::min(Contrast(colour, back), Contrast(colour, fill)) < 3;
       ++step) {
    colour = Mix(accent, ink, step / 10.0);
  }
  return colour;
}

}  // namespace

CrossSectionPicture DrawCrossSection(const LineShape& line, const field_solver::Answer* field) {
  CrossSectionPicture picture;
  picture.line = line;
  picture.drawable = Drawable(line);
  if (!picture.drawable) {
    picture.description = QStringLiteral("Cross-section: nothing to draw for these dimensions");
    return picture;
  }
  picture.fault = FaultOf(line);
  const bool solved = picture.fault.isEmpty() && field != nullptr && field->reason.empty();
  picture.description = Describe(line, picture.fault,
                                 field == nullptr ? "solving"
                                 : solved         ? "equipotentials every 10 %"
                                                  : "no field");
  picture.region = Region(line);
  if (!solved) {
    return picture;
  }
  const QRectF& r = picture.region;
  const int down = std::clamp(static_cast<int>(kAcross * r.height() / r.width()), 8, kMostDown);
  std::vector<double> grid;
  grid.reserve(static_cast<std::size_t>(kAcross * down));
  for (int j = 0; j < down; ++j) {
    for (int i = 0; i < kAcross; ++i) {
      grid.push_back(field_solver::Potential(*field, r.left() + r.width() * i / (kAcross - 1),
                                             r.top() + r.height() * j / (down - 1)));
    }
  }
  picture.equipotentials = Contours(grid, kAcross, down, r, line.pair && !line.even);
  return picture;
}

CrossSectionView::CrossSectionView(QWidget* parent) : QWidget(parent) {
  setMinimumHeight(120);
  setAccessibleName(QStringLiteral("Cross-section"));
}

QSize CrossSectionView::sizeHint() const {
  return {480, 180};
}

void CrossSectionView::Show(CrossSectionPicture picture) {
  picture_ = std::move(picture);
  updating_ = false;
  setAccessibleDescription(picture_.description);
  update();
}

void CrossSectionView::SetUpdating(bool updating) {
  if (updating_ != updating) {
    updating_ = updating;
    setAccessibleDescription(picture_.description + (updating ? ", updating" : ""));
    update();
  }
}

void CrossSectionView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor back = palette().color(QPalette::Window);
  const QColor ink = palette().color(QPalette::WindowText);
  const QColor fill = Mix(back, palette().color(QPalette::Highlight), 0.2);
  painter.fillRect(rect(), back);
  if (!picture_.drawable) {
    painter.setPen(ink);
    painter.drawText(rect(), Qt::AlignCenter,
                     QStringLiteral("Nothing to draw for these dimensions"));
    return;
  }
  // To scale: one factor for both axes, y up, the region centred, with room for the labels.
  const QRectF& region = picture_.region;
  const double scale =
      std::min((width() - 8) / region.width(), (height() - 2 * kLabelRoom) / region.height());
  QTransform toPixels;
  toPixels.translate(width() / 2.0, height() / 2.0);
  toPixels.scale(scale, -scale);
  toPixels.translate(-region.center().x(), -region.center().y());
  PaintLine(painter, toPixels, ink, fill);
  // The equipotentials stay inside the region drawn.
  painter.save();
  painter.setClipRect(toPixels.mapRect(region));
  painter.setPen(QPen(Readable(palette().color(QPalette::Highlight), ink, back, fill), 1));
  for (const QLineF& segment : picture_.equipotentials) {
    painter.drawLine(toPixels.map(segment));
  }
  painter.restore();
  PaintLabels(painter, toPixels, ink);
  const QRect text = rect().adjusted(6, 2, -6, -2);
  painter.setPen(ink);
  const QString mode = picture_.line.even ? ", even mode" : ", odd mode";
  painter.drawText(text, Qt::AlignLeft | Qt::AlignTop,
                   "er " + QString::number(picture_.line.permittivity, 'g', 4) +
                       (picture_.line.pair ? mode : QString()));
  if (updating_) {
    painter.drawText(text, Qt::AlignRight | Qt::AlignTop, QStringLiteral("updating..."));
  }
  if (!picture_.fault.isEmpty()) {
    painter.setPen(QPen(Qt::red));
    painter.drawText(text, Qt::AlignHCenter | Qt::AlignBottom, "Impossible: " + picture_.fault);
  }
}

void CrossSectionView::PaintLine(QPainter& painter, const QTransform& toPixels, const QColor& ink,
                                 const QColor& fill) {
  const QRectF& region = picture_.region;
  const LineShape& line = picture_.line;
  const double h = line.height, half = line.width / 2;
  const auto box = [&](double left, double bottom, double right, double top) {
    return toPixels.mapRect(QRectF(QPointF(left, bottom), QPointF(right, top))).normalized();
  };
  // Conductors never thinner than two pixels, so a strip 0.01 h wide still shows.
  const auto conductor = [&](QRectF r) {
    r.setHeight(std::max(r.height(), 2.0));
    r.setWidth(std::max(r.width(), 2.0));
    painter.fillRect(r, ink);
  };
  // What cannot be built is outlined in red where it fails.
  const QPen faultPen(Qt::red, 2, Qt::DashLine);
  if (line.page == 3) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 3));
    painter.setBrush(fill);
    painter.drawEllipse(box(-h / 2, -h / 2, h / 2, h / 2));
    painter.setBrush(ink);
    if (!picture_.fault.isEmpty()) {
      painter.setPen(faultPen);
    }
    painter.drawEllipse(box(-half, -half, half, half));
    painter.setRenderHint(QPainter::Antialiasing, false);
    return;
  }
  painter.fillRect(box(region.left(), 0, region.right(), h), fill);
  conductor(box(region.left(), 0, region.right(), 0).adjusted(0, -1, 0, 2));
  if (line.page == 2) {
    conductor(box(region.left(), h, region.right(), h).adjusted(0, -2, 0, 1));
  }
  const double base = line.page == 1 ? h : (h - line.thickness) / 2;
  for (const double centre : StripCentres(line)) {
    const QRectF strip = box(centre - half, base, centre + half, base + line.thickness);
    conductor(strip);
    if (!picture_.fault.isEmpty()) {
      painter.setPen(faultPen);
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(strip);
    }
  }
}

// Each dimension beside what it measures: W above the (right) strip, s above a pair's gap, h (b)
// at the left, t at the (right) strip's right edge; d and D above the coax.
void CrossSectionView::PaintLabels(QPainter& painter, const QTransform& toPixels,
                                   const QColor& ink) {
  const LineShape& line = picture_.line;
  const double h = line.height, half = line.width / 2;
  painter.setPen(ink);
  const QFontMetrics metrics(painter.font());
  const auto label = [&](QPointF at, const QString& text, Qt::Alignment align) {
    QRectF box(0, 0, metrics.horizontalAdvance(text) + 4, metrics.height());
    box.moveCenter(at);
    if (align & Qt::AlignLeft) {
      box.moveLeft(at.x() + 4);
    }
    if (align & Qt::AlignBottom) {
      box.moveBottom(at.y() - 2);
    }
    if (align & Qt::AlignTop) {
      box.moveTop(at.y() + 2);
    }
    painter.drawText(box, Qt::AlignCenter, text);
  };
  if (line.page == 3) {
    const QPointF top = toPixels.map(QPointF(0, std::max(h, line.width) / 2));
    label(top, "D " + Millimetres(h) + ", d " + Millimetres(line.width), Qt::AlignBottom);
    return;
  }
  const double base = line.page == 1 ? h : (h - line.thickness) / 2;
  const double top = std::max(base + line.thickness, line.page == 1 ? h : 0.0);
  const double right = StripCentres(line).back();
  label(toPixels.map(QPointF(right, top)), "W " + Millimetres(line.width), Qt::AlignBottom);
  if (line.pair) {  // under the gap, clear of W
    label(toPixels.map(QPointF(0, base)), "s " + Millimetres(line.spacing), Qt::AlignTop);
  }
  label(toPixels.map(QPointF(picture_.region.left(), h / 2)),
        (line.page == 1 ? "h " : "b ") + Millimetres(h), Qt::AlignLeft);
  if (line.thickness > 0) {
    label(toPixels.map(QPointF(right + half, base + line.thickness / 2)),
          "t " + Millimetres(line.thickness), Qt::AlignLeft);
  }
}

}  // namespace mq
