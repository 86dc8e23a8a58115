// SPDX-License-Identifier: MIT
#include "ui/cross_section_view.h"

#include <QPainter>
#include <QPainterPath>
#include <QStringList>
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

// The potential sampled over the region and traced at every tenth; a raised `stop` ends it with
// none.
std::vector<QLineF> Equipotentials(const field_solver::Answer& field, const QRectF& r,
                                   bool bothSigns, const std::atomic<bool>* stop) {
  const int down = std::clamp(static_cast<int>(kAcross * r.height() / r.width()), 8, kMostDown);
  std::vector<double> grid;
  grid.reserve(static_cast<std::size_t>(kAcross * down));
  for (int j = 0; j < down; ++j) {
    if (stop != nullptr && stop->load()) {
      return {};
    }
    for (int i = 0; i < kAcross; ++i) {
      grid.push_back(field_solver::Potential(field, r.left() + r.width() * i / (kAcross - 1),
                                             r.top() + r.height() * j / (down - 1)));
    }
  }
  return Contours(grid, kAcross, down, r, bothSigns);
}

// A layer's tint: the denser the dielectric, the deeper; the mask in green, as boards show it.
QColor LayerTint(const QPalette& palette, double permittivity) {
  const double depth = std::clamp(0.08 + 0.035 * (permittivity - 1), 0.08, 0.4);
  return Mix(palette.color(QPalette::Window), palette.color(QPalette::Highlight), depth);
}

QColor MaskTint(const QPalette& palette) {
  return Mix(palette.color(QPalette::Window), QColor(0, 150, 70), 0.45);
}

}  // namespace

void PaintLayers(QPainter& painter, const LayeredShape& shape, const QTransform& toPixels,
                 const QPalette& palette) {
  const QRectF& region = shape.region;
  const QColor ink = palette.color(QPalette::WindowText);
  for (const LayeredShape::Layer& layer : shape.layers) {
    painter.fillRect(toPixels
                         .mapRect(QRectF(QPointF(region.left(), layer.bottom),
                                         QPointF(region.right(), layer.top)))
                         .normalized(),
                     LayerTint(palette, layer.permittivity));
  }
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(MaskTint(palette));
  painter.drawPath(toPixels.map(shape.mask));
  painter.setBrush(ink);
  for (const QPolygonF& strip : shape.strips) {
    painter.drawPolygon(toPixels.map(strip));
  }
  painter.restore();
  // Conductors never thinner than two pixels, so thin copper still shows.
  const auto conductor = [&](const QRectF& mm) {
    QRectF r = toPixels.mapRect(mm).normalized();
    r.setHeight(std::max(r.height(), 2.0));
    painter.fillRect(r, ink);
  };
  for (const double plane : shape.planes) {
    conductor(QRectF(QPointF(region.left(), plane), QPointF(region.right(), plane)));
  }
  for (const QRectF& ground : shape.sideGrounds) {
    conductor(ground);
  }
}

CrossSectionPicture DrawCrossSection(const LineShape& line, const field_solver::Answer* field,
                                     const std::atomic<bool>* stop) {
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
  if (solved) {
    picture.equipotentials = Equipotentials(*field, picture.region, line.pair && !line.even, stop);
  }
  return picture;
}

CrossSectionPicture DrawLayered(const LayeredShape& shape, const field_solver::Answer* field,
                                const std::atomic<bool>* stop) {
  CrossSectionPicture picture;
  picture.layered = shape;
  picture.line.pair = shape.pair;
  picture.line.even = shape.even;
  picture.region = shape.region;
  picture.drawable = shape.region.isValid() && std::isfinite(shape.region.width()) &&
                     std::isfinite(shape.region.height()) && !shape.strips.empty();
  if (!picture.drawable) {
    picture.description = QStringLiteral("Cross-section: nothing to draw for these dimensions");
    return picture;
  }
  // An answer of the layered solver may carry no field to draw: its figures stand alone.
  const bool solved = field != nullptr && field->reason.empty() && field->field != nullptr;
  picture.description = "Cross-section: " + shape.words + ", " +
                        (field == nullptr ? "solving"
                         : solved         ? "equipotentials every 10 %"
                                          : "no field drawn");
  if (solved) {
    picture.equipotentials =
        Equipotentials(*field, picture.region, shape.pair && !shape.even, stop);
  }
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
  const QRectF& region = picture_.region;
  const QTransform toPixels = ToPixels();
  if (picture_.layered) {
    PaintLayers(painter, *picture_.layered, toPixels, palette());
  } else {
    PaintLine(painter, toPixels, ink, fill);
  }
  // The equipotentials stay inside the region drawn.
  painter.save();
  painter.setClipRect(toPixels.mapRect(region));
  painter.setPen(QPen(Readable(palette().color(QPalette::Highlight), ink, back, fill), 1));
  for (const QLineF& segment : picture_.equipotentials) {
    painter.drawLine(toPixels.map(segment));
  }
  painter.restore();
  PaintLabels(painter);
  const QRect text = rect().adjusted(6, 2, -6, -2);
  painter.setPen(ink);
  // A layered line labels each layer's er in the picture: only the mode is left to say here.
  QStringList corner;
  if (!picture_.layered) {
    corner << "er " + QString::number(picture_.line.permittivity, 'g', 4);
  }
  if (picture_.line.pair) {
    corner << (picture_.line.even ? QStringLiteral("even mode") : QStringLiteral("odd mode"));
  }
  painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, corner.join(QStringLiteral(", ")));
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
  const double h = line.height;
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
    painter.drawEllipse(box(-line.width / 2, -line.width / 2, line.width / 2, line.width / 2));
    painter.setRenderHint(QPainter::Antialiasing, false);
    return;
  }
  painter.fillRect(box(region.left(), 0, region.right(), h), fill);
  conductor(box(region.left(), 0, region.right(), 0).adjusted(0, -1, 0, 2));
  if (line.page == 2) {
    conductor(box(region.left(), h, region.right(), h).adjusted(0, -2, 0, 1));
  }
  for (const QRectF& strip : StripRects()) {
    conductor(strip);
    if (!picture_.fault.isEmpty()) {
      painter.setPen(faultPen);
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(strip);
    }
  }
}

// To scale: one factor for both axes, y up, the region centred, with room for the labels.
QTransform CrossSectionView::ToPixels() const {
  const QRectF& region = picture_.region;
  const double scale =
      std::min((width() - 8) / region.width(), (height() - 2 * kLabelRoom) / region.height());
  QTransform toPixels;
  toPixels.translate(width() / 2.0, height() / 2.0);
  toPixels.scale(scale, -scale);
  toPixels.translate(-region.center().x(), -region.center().y());
  return toPixels;
}

// As painted: never thinner than two pixels, so a strip 0.01 h wide still shows.
std::vector<QRectF> CrossSectionView::StripRects() const {
  const LineShape& line = picture_.line;
  std::vector<QRectF> strips;
  if (!picture_.drawable || (line.page == 3 && !picture_.layered)) {
    return strips;
  }
  const QTransform toPixels = ToPixels();
  if (picture_.layered) {
    for (const QPolygonF& strip : picture_.layered->strips) {
      strips.push_back(toPixels.map(strip).boundingRect());
    }
    return strips;
  }
  const double half = line.width / 2,
               base = line.page == 1 ? line.height : (line.height - line.thickness) / 2;
  for (const double centre : StripCentres(line)) {
    QRectF strip = toPixels
                       .mapRect(QRectF(QPointF(centre - half, base),
                                       QPointF(centre + half, base + line.thickness)))
                       .normalized();
    strip.setHeight(std::max(strip.height(), 2.0));
    strip.setWidth(std::max(strip.width(), 2.0));
    strips.push_back(strip);
  }
  return strips;
}

namespace {

// The first of a label's places that keeps clear of the strips, of the labels placed before it
// and of the view's edges; failing that, the nearest clear place above or below the first, kept
// within the view's width (a narrow view has height to spare); failing that, the first.
QRectF Clear(std::vector<QRectF> places, const std::vector<QRectF>& taken, const QRectF& view) {
  const QRectF first = places.front();
  for (int step = 1; step <= 8; ++step) {
    for (const int sign : {-1, 1}) {
      QRectF moved = first.translated(0, sign * step * (first.height() + 2));
      // A label wider than the view starts at its left edge (clamp's bounds would cross).
      moved.moveLeft(std::max(view.left(), std::min(moved.left(), view.right() - moved.width())));
      places.push_back(moved);
    }
  }
  for (const QRectF& place : places) {
    if (view.contains(place) && std::none_of(taken.begin(), taken.end(), [&](const QRectF& t) {
          return t.intersects(place);
        })) {
      return place;
    }
  }
  return first;
}

}  // namespace

// Each dimension beside what it measures: W above the (right) strip, s under a pair's gap, h (b)
// at the left, t at the (right) strip's right edge; d and D above the coax. Where its place is
// taken a label moves to the next, so none covers a strip or another label.
std::vector<CrossSectionLabel> CrossSectionView::Labels() const {
  const LineShape& line = picture_.line;
  if (!picture_.drawable) {
    return {};
  }
  if (picture_.layered) {
    return LayeredLabels();
  }
  const QFontMetricsF metrics(font());
  const QTransform toPixels = ToPixels();
  const auto sized = [&](const QString& text) {
    return QRectF(0, 0, metrics.horizontalAdvance(text) + 8, metrics.height() + 2);
  };
  // A box with its bottom (top, left) edge a little way from the point, centred on it otherwise.
  const auto above = [](QRectF box, QPointF at) {
    box.moveCenter(at);
    box.moveBottom(at.y() - 2);
    return box;
  };
  const auto below = [](QRectF box, QPointF at) {
    box.moveCenter(at);
    box.moveTop(at.y() + 2);
    return box;
  };
  const auto rightOf = [](QRectF box, QPointF at) {
    box.moveCenter(at);
    box.moveLeft(at.x() + 4);
    return box;
  };
  const double h = line.height;
  std::vector<CrossSectionLabel> labels;
  std::vector<QRectF> taken = StripRects();
  const auto place = [&](const QString& text, std::initializer_list<QRectF> places) {
    labels.push_back({text, Clear(places, taken, rect())});
    taken.push_back(labels.back().box);
  };
  if (line.page == 3) {
    const QString text = "D " + Millimetres(h) + ", d " + Millimetres(line.width);
    place(text, {above(sized(text), toPixels.map(QPointF(0, std::max(h, line.width) / 2)))});
    return labels;
  }
  const QRectF strip = StripRects().back();
  const QString w = "W " + Millimetres(line.width);
  const QRectF wBox = sized(w);
  place(w, {above(wBox, QPointF(strip.center().x(), strip.top())),
            above(wBox, QPointF(strip.center().x(), strip.top() - wBox.height())),
            above(wBox, QPointF(strip.right() + wBox.width() / 2, strip.top())),
            below(wBox, QPointF(strip.center().x(), strip.bottom()))});
  if (line.pair) {  // under the gap, clear of W
    const QString s = "s " + Millimetres(line.spacing);
    const QRectF sBox = sized(s);
    const QPointF gap(toPixels.map(QPointF(0, 0)).x(), strip.bottom());
    place(s, {below(sBox, gap), below(sBox, gap + QPointF(0, sBox.height())),
              above(sBox, QPointF(gap.x(), strip.top()))});
  }
  const QString hText = (line.page == 1 ? "h " : "b ") + Millimetres(h);
  const QRectF hBox = sized(hText);
  const double left = toPixels.map(QPointF(picture_.region.left(), 0)).x();
  place(hText, {rightOf(hBox, QPointF(left, toPixels.map(QPointF(0, h / 2)).y())),
                rightOf(hBox, QPointF(left, toPixels.map(QPointF(0, h / 4)).y())),
                rightOf(hBox, QPointF(left, toPixels.map(QPointF(0, 3 * h / 4)).y()))});
  if (line.thickness > 0) {
    const QString t = "t " + Millimetres(line.thickness);
    const QRectF tBox = sized(t);
    place(t, {rightOf(tBox, QPointF(strip.right(), strip.center().y())),
              rightOf(tBox, QPointF(strip.right(), strip.bottom() + tBox.height() / 2 + 2)),
              rightOf(tBox, QPointF(strip.right(), strip.top() - tBox.height() / 2 - 2)),
              rightOf(tBox, QPointF(strip.right() + wBox.width() / 2, strip.center().y()))});
  }
  return labels;
}

// Each dimension on the side of its point it asks for, or where Clear finds room near it; the
// layers' er at the right, a little in from the edge.
std::vector<CrossSectionLabel> CrossSectionView::LayeredLabels() const {
  const QFontMetricsF metrics(font());
  const QTransform toPixels = ToPixels();
  std::vector<CrossSectionLabel> labels;
  std::vector<QRectF> taken = StripRects();
  const auto place = [&](const QString& text, QPointF at, Qt::Alignment side) {
    QRectF box(0, 0, metrics.horizontalAdvance(text) + 8, metrics.height() + 2);
    box.moveCenter(at);
    if (side & Qt::AlignTop) {
      box.moveBottom(at.y() - 2);
    } else if (side & Qt::AlignBottom) {
      box.moveTop(at.y() + 2);
    } else if (side & Qt::AlignRight) {
      box.moveLeft(at.x() + 4);
    } else if (side & Qt::AlignLeft) {
      box.moveRight(at.x() - 4);
    }
    // Beside its point, or half its width to either side, before Clear moves it up or down.
    const QRectF shifted = box.translated(box.width() / 2 + 4, 0);
    labels.push_back(
        {text, Clear({box, box.translated(-box.width() / 2 - 4, 0), shifted}, taken, rect())});
    taken.push_back(labels.back().box);
  };
  const LayeredShape& shape = *picture_.layered;
  for (const LayeredShape::Dimension& d : shape.dimensions) {
    place(d.text, toPixels.map(d.at), d.side);
  }
  const double right = shape.region.right() - 0.04 * shape.region.width();
  for (const LayeredShape::Layer& layer : shape.layers) {
    place("er " + QString::number(layer.permittivity, 'g', 4),
          toPixels.map(QPointF(right, (layer.bottom + layer.top) / 2)), Qt::AlignLeft);
  }
  if (!shape.mask.isEmpty()) {
    const QRectF mask = shape.mask.boundingRect();
    place("mask er " + QString::number(shape.maskPermittivity, 'g', 4),
          toPixels.map(QPointF(right, mask.bottom())), Qt::AlignLeft);
  }
  return labels;
}

// On a backing of the base colour, so no equipotential runs through the words; its corners are
// not smoothed, which would leave colours between the backing and the substrate's tint.
void CrossSectionView::PaintLabels(QPainter& painter) {
  painter.save();
  for (const CrossSectionLabel& label : Labels()) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRoundedRect(label.box, 4, 4);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(label.box, Qt::AlignCenter, label.text);
  }
  painter.restore();
}

}  // namespace mq
