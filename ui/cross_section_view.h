// SPDX-License-Identifier: MIT
// The line's cross-section drawn to scale, with the field solver's equipotentials every 10 %,
// so a mistyped dimension shows at a glance. The picture is worked out off the window's thread;
// the view only paints it, in the colours of the palette, light or dark.
#pragma once

#include <QLineF>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <atomic>
#include <optional>
#include <vector>

#include "solver/field_solver.h"

namespace mq {

// A page's line in mm: strip width, substrate height (or plane spacing), strip thickness; for
// the coax the inner and outer diameters. A pair is two such strips (page 1 or 2) `spacing` apart
// at their facing edges, drawn with one mode's field: the odd mode's runs from -1 on the left
// strip to +1 on the right.
struct LineShape {
  int page = 0;
  double width = 0;
  double height = 0;
  double thickness = 0;
  double permittivity = 0;
  bool pair = false;
  double spacing = 0;
  bool even = false;
};

// Any line of the layered solver, in mm, x from the line's (pair's) centre and y up from the
// lower ground plane (from the substrate's lower face where there is none), as the solver's
// potential reads them: the dielectric layers, each across the picture; the planes, strips and
// side grounds; the mask; and the dimensions' words, each beside the point it measures.
struct LayeredShape {
  struct Layer {
    double bottom = 0, top = 0;
    double permittivity = 1;
  };
  struct Dimension {
    QString text;
    QPointF at;
    Qt::Alignment side;  // Qt::AlignTop: the label above the point; Bottom, Right or Center
  };
  std::vector<Layer> layers;  // bottom up
  std::vector<double> planes;
  std::vector<QPolygonF> strips;
  std::vector<QRectF> sideGrounds;
  QPainterPath mask;
  double maskPermittivity = 1;
  std::vector<Dimension> dimensions;
  QString words;  // the structure and its dimensions, as a screen reader says them
  bool pair = false;
  bool even = false;
  QRectF region;  // the part of the plane shown
};

// The shape's layers, mask, planes and conductors in the palette's colours, the mapping given
// (y up): for the view, and for the small pictures of a popup.
void PaintLayers(QPainter& painter, const LayeredShape& shape, const QTransform& toPixels,
                 const QPalette& palette);

struct CrossSectionPicture {
  LineShape line;
  std::optional<LayeredShape> layered;  // drawn in place of the page's line
  bool drawable = false;                // the dimensions make a line, or one with a fault
  QString fault;                        // what is impossible about it: d >= D, t >= b
  QRectF region;                        // the part of the plane shown, mm, y up from ground
  std::vector<QLineF> equipotentials;   // 10 % to 90 % (and -10 % to -90 %), mm
  QString description;                  // what a screen reader says of it
};

// The picture of the line with the solver's potential, or without it while the solver works
// (null): a fraction of a second's work at most. A raised `stop`, read between rows of the grid,
// ends it early with the outline alone, so that closing or quitting never waits for a picture.
CrossSectionPicture DrawCrossSection(const LineShape& line, const field_solver::Answer* field,
                                     const std::atomic<bool>* stop = nullptr);

// The layered line with the solver's potential where its answer carries one (odd mode running
// from -1 to +1 for a pair), or its outline alone while the solver works (null).
CrossSectionPicture DrawLayered(const LayeredShape& shape, const field_solver::Answer* field,
                                const std::atomic<bool>* stop = nullptr);

// A dimension's words and where they are painted, in the view's pixels.
struct CrossSectionLabel {
  QString text;
  QRectF box;
};

class CrossSectionView final : public QWidget {
  Q_OBJECT

 public:
  explicit CrossSectionView(QWidget* parent);
  void Show(CrossSectionPicture picture);
  // Marks the picture as being of earlier inputs while the newest are solved; Show clears it.
  void SetUpdating(bool updating);

  QSize sizeHint() const override;

  // At the view's present size: the dimensions' labels, and the strips they keep clear of.
  std::vector<CrossSectionLabel> Labels() const;
  std::vector<QRectF> StripRects() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintLine(QPainter& painter, const QTransform& toPixels, const QColor& ink,
                 const QColor& fill);
  void PaintLabels(QPainter& painter);
  QTransform ToPixels() const;
  std::vector<CrossSectionLabel> LayeredLabels() const;

  CrossSectionPicture picture_;
  bool updating_ = false;
};

}  // namespace mq
