// SPDX-License-Identifier: MIT
// The layered shape of each structure: see ui/line_designer_picture.h. Coordinates as the
// solver's potential reads them (solver/field_solver.h): mm, x from the line's (pair's) centre,
// y up from the lower plane, or from the substrate's lower face where there is none.
#include "ui/line_designer_picture.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace mq::designer {
namespace {

using Kind = field_solver::LineKind;

constexpr double kSide = 3;   // heights shown beside the outermost conductor
constexpr double kAbove = 2;  // and above an open line's highest face

// The vertical stack of a structure, in mm: where the strips' feet stand and the layers.
struct Stack {
  double foot = 0;  // the (lower) strip's lower face
  double top = 0;   // the upper plane, or the region's top for an open line
  std::vector<LayeredShape::Layer> layers;
  std::vector<double> planes;
};

Kind KindOf(LineStructure s) {
  LineInputs in;
  in.structure = s;
  return SolverLine(in).kind;
}

Stack StackOf(const LineInputs& in) {
  const double h = in.height, t = in.thickness, er = in.permittivity;
  const double above = in.permittivityAbove.value_or(er), mask = in.maskThickness;
  switch (KindOf(in.structure)) {
    case Kind::kStripline:
      return {(h - t) / 2, h, {{0, h, er}}, {0, h}};
    case Kind::kOffsetStripline: {
      const double b = h + t + in.heightAbove;
      return {h, b, {{0, h, er}, {h, b, above}}, {0, b}};
    }
    case Kind::kBroadside: {
      const double b = SolverLine(in).height;
      return {h, b, {{0, b, er}}, {0, b}};
    }
    case Kind::kEmbeddedMicrostrip:
      return {h, h + t + in.cover + kAbove * h, {{0, h, er}, {h, h + t + in.cover, above}}, {0}};
    case Kind::kCoplanar:
      return {h, h + t + kAbove * h, {{0, h, er}}, {}};
    case Kind::kCoatedMicrostrip:
      return {h, h + t + mask + kAbove * h, {{0, h, er}}, {0}};
    default:
      return {h, h + t + kAbove * h, {{0, h, er}}, {0}};
  }
}

QPolygonF Trapezoid(double centre, double foot, const LineInputs& in) {
  const double bottom = in.width / 2, top = in.topWidth.value_or(in.width) / 2;
  const double t = std::max(in.thickness, 0.0);
  return QPolygonF({QPointF(centre - bottom, foot), QPointF(centre + bottom, foot),
                    QPointF(centre + top, foot + t), QPointF(centre - top, foot + t)});
}

// The strips' centres: one on the centre line, an edge-coupled pair either side of it.
std::vector<double> Centres(const LineInputs& in) {
  if (!IsPair(in.structure) || in.structure == LineStructure::kBroadsidePair) {
    return {0};
  }
  const double offset = (in.spacing + in.width) / 2;
  return {-offset, offset};
}

// The conformal mask: a coat over the substrate and each strip, drawn under the strips.
QPainterPath Mask(const LineInputs& in, const std::vector<QPolygonF>& strips, double left,
                  double right) {
  QPainterPath mask;
  if (KindOf(in.structure) != Kind::kCoatedMicrostrip || !(in.maskThickness > 0)) {
    return mask;
  }
  const double m = in.maskThickness, h = in.height;
  mask.addRect(QRectF(QPointF(left, h), QPointF(right, h + m)));
  for (const QPolygonF& strip : strips) {
    QPainterPath coat;
    coat.addPolygon(QPolygonF({strip[0] + QPointF(-m, 0), strip[1] + QPointF(m, 0),
                               strip[2] + QPointF(m, m), strip[3] + QPointF(-m, m)}));
    mask = mask.united(coat);
  }
  return mask;
}

// Four digits, as the picture's labels have room for; the fields keep every digit.
QString Length(double mm, LengthUnit unit) {
  const std::string_view symbol = UnitSymbol(unit);
  return QString::number(FromMillimetres(mm, unit), 'g', 4) + ' ' +
         QString::fromUtf8(symbol.data(), static_cast<int>(symbol.size()));
}

// The words of a screen reader and the labels, dimension by dimension.
void Label(LayeredShape& shape, const QString& name, double mm, LengthUnit unit, QPointF at,
           Qt::Alignment side) {
  const QString text = name + ' ' + Length(mm, unit);
  shape.words += ", " + text;
  shape.dimensions.push_back({text, at, side});
}

void LabelDimensions(LayeredShape& shape, const Design& design, const Stack& stack,
                     LengthUnit unit) {
  const LineInputs& in = design.in;
  const QPolygonF& strip = shape.strips.back();
  const double right = strip.boundingRect().right(), top = strip.boundingRect().bottom();
  const double mid = (stack.foot + top) / 2;
  Label(shape, QStringLiteral("W"), in.width, unit, QPointF(strip[0].x() / 2 + right / 2, top),
        Qt::AlignTop);
  if (in.topWidth && *in.topWidth != in.width) {
    Label(shape, QStringLiteral("top W"), *in.topWidth, unit, QPointF(right, top), Qt::AlignTop);
  }
  if (IsPair(in.structure)) {
    const bool broadside = in.structure == LineStructure::kBroadsidePair;
    Label(shape, QStringLiteral("s"), in.spacing, unit,
          broadside ? QPointF(right, stack.foot + in.thickness + in.spacing / 2)
                    : QPointF(0, stack.foot),
          broadside ? Qt::AlignRight : Qt::AlignBottom);
  }
  const bool coplanar = (RowOf(in.structure).fields & Bit(kGap)) != 0;
  if (coplanar) {
    Label(shape, QStringLiteral("g"), in.gap, unit, QPointF(right + in.gap / 2, stack.foot),
          Qt::AlignBottom);
  }
  const bool planes =
      in.structure == LineStructure::kStripline || in.structure == LineStructure::kStriplinePair;
  Label(shape, planes ? QStringLiteral("b") : QStringLiteral("h"), in.height, unit,
        QPointF(shape.region.left(), in.height / 2), Qt::AlignRight);
  if (in.thickness > 0) {
    Label(shape, QStringLiteral("t"), in.thickness, unit, QPointF(right, mid), Qt::AlignRight);
  }
  const FieldMask fields = RowOf(in.structure).fields;
  if ((fields & Bit(kHeightAbove)) != 0) {
    Label(shape, QStringLiteral("h above"), in.heightAbove, unit,
          QPointF(shape.region.left(), (top + stack.top) / 2), Qt::AlignRight);
  }
  // Left of the strip, at the height they measure, clear of W over it.
  const double left = shape.strips.front().boundingRect().left() - in.maskThickness;
  if ((fields & Bit(kCover)) != 0) {
    Label(shape, QStringLiteral("cover"), in.cover, unit, QPointF(left, top + in.cover / 2),
          Qt::AlignLeft);
  }
  if ((fields & Bit(kMaskThickness)) != 0) {
    Label(shape, QStringLiteral("mask"), in.maskThickness, unit,
          QPointF(left, in.height + in.maskThickness), Qt::AlignLeft);
  }
}

void AddConductors(LayeredShape& shape, const LineInputs& in, const Stack& stack) {
  if (in.structure == LineStructure::kBroadsidePair) {
    shape.strips = {Trapezoid(0, stack.foot, in),
                    Trapezoid(0, stack.foot + in.thickness + in.spacing, in)};
    return;
  }
  for (const double centre : Centres(in)) {
    shape.strips.push_back(Trapezoid(centre, stack.foot, in));
  }
  if ((RowOf(in.structure).fields & Bit(kGap)) == 0) {
    return;
  }
  const double inner = Centres(in).back() + in.width / 2 + in.gap;
  const double outer = in.groundWidth ? inner + *in.groundWidth : shape.region.right();
  for (const double sign : {-1.0, 1.0}) {
    shape.sideGrounds.emplace_back(QPointF(sign * inner, stack.foot),
                                   QPointF(sign * outer, stack.foot + in.thickness));
  }
}

}  // namespace

LayeredShape ShapeOf(const Design& design, LengthUnit unit, bool even) {
  const LineInputs& in = design.in;
  const Stack stack = StackOf(in);
  LayeredShape shape;
  shape.layers = stack.layers;
  shape.planes = stack.planes;
  shape.pair = IsPair(in.structure);
  shape.even = even;
  shape.maskPermittivity = in.maskPermittivity;
  double half = Centres(in).back() + std::max(in.width, in.topWidth.value_or(0)) / 2;
  if ((RowOf(in.structure).fields & Bit(kGap)) != 0) {
    half += in.gap + in.groundWidth.value_or(0);
  }
  const double side = half + kSide * in.height;
  shape.region = QRectF(QPointF(-side, 0), QPointF(side, stack.top));
  AddConductors(shape, in, stack);
  shape.mask = Mask(in, shape.strips, -side, side);
  shape.words = QString::fromUtf8(RowOf(in.structure).name).toLower();
  LabelDimensions(shape, design, stack, unit);
  for (const LayeredShape::Layer& layer : shape.layers) {
    shape.words += ", er " + QString::number(layer.permittivity, 'g', 4);
  }
  if (shape.pair) {
    shape.words += even ? QStringLiteral(", even mode") : QStringLiteral(", odd mode");
  }
  return shape;
}

QIcon StructureIcon(LineStructure structure, const QPalette& palette) {
  Design nominal;
  nominal.in = {structure, 1, std::nullopt, 0.8, 0.6, 0.8, 1, 1, 0.35, 0.5, 0.25, 4, 3, 3};
  nominal.in.topWidth = 0.7;  // the etched slope shows in every picture
  LayeredShape shape = ShapeOf(nominal, LengthUnit::kMillimetre, false);
  // Closer in than the window's picture: a little substrate beside the conductors, a little air.
  const double top = shape.planes.size() == 2 ? shape.planes.back() : 2.2;
  shape.region = QRectF(QPointF(-3.2, 0), QPointF(3.2, top));
  QPixmap pixmap(40, 24);
  pixmap.fill(palette.color(QPalette::Window));
  QPainter painter(&pixmap);
  const QRectF r = shape.region;
  const double scale = std::min(38 / r.width(), 22 / r.height());
  QTransform toPixels;
  toPixels.translate(20, 12);
  toPixels.scale(scale, -scale);
  toPixels.translate(-r.center().x(), -r.center().y());
  PaintLayers(painter, shape, toPixels, palette);
  return QIcon(pixmap);
}

}  // namespace mq::designer
