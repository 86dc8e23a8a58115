// SPDX-License-Identifier: MIT
// The Qt layer: the report of an error that escapes start-up, closing the calculator ends the
// program, the menu bar's overflow icon; where a window opens; the pictures and the cross-section:
// their contrast, its scale.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QProxyStyle>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <map>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

#include "app/app.h"
#include "tests/gui/window_driver.h"
#include "toolkit/image_well.h"
#include "toolkit/picture_store.h"
#include "toolkit/placement.h"
#include "ui/cross_section_view.h"
#include "ui/plot_view.h"

namespace mq::test {
namespace {

App& TheApp() {
  return *qobject_cast<App*>(QCoreApplication::instance());
}

// An error while the window is built, or in an event handled while it is, is shown and ends the
// program with failure before the event loop; one in an event of the running loop ends it at
// once, with failure; Quit ends the loop with success.
TEST(Application, RunEndsWithTheRightStatus) {
  QWidget open;  // stands for the calculator's window
  const struct {
    std::function<void()> startUp;
    int status;
    bool loopEndsItself;  // with no help from the box's closer below
  } rows[] = {
      {[] { throw std::runtime_error("no window today"); }, EXIT_FAILURE, false},
      {[] {
         QTimer::singleShot(0, [] { throw std::runtime_error("no window today"); });
         QTest::qWait(50);
       },
       EXIT_FAILURE, false},
      {[] { TheApp().MenuItem("Quit")->trigger(); }, 0, true},
      // The calculator closed by the window manager behind the About window ends the program.
      {[] {
         TheApp().MenuItem("AppleMacQuelvor")->trigger();
         QTimer::singleShot(0, [] { MacQuelvorWnd::Instance().close(); });
       },
       0, true},
      // With a window open, as the calculator's is, an error in an event ends the loop at once.
      {[&open] {
         open.show();
         QTimer::singleShot(10, [] { throw std::runtime_error("no window today"); });
       },
       EXIT_FAILURE, true}};
  for (const auto& row : rows) {
    QString shown;
    int ticks = 0;
    bool forced = false;
    QTimer closer;  // closes the box; ends with 7 an event loop that should not be running
    QObject::connect(&closer, &QTimer::timeout, [&shown, &ticks, &forced] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown = box->text();
        box->close();
      } else if (!shown.isEmpty() || ++ticks > 100) {
        forced = true;
        QCoreApplication::exit(7);
      }
    });
    closer.start(20);
    EXPECT_EQ(TheApp().Run(row.startUp), row.status);
    EXPECT_EQ(shown.contains("no window today"), row.status != 0) << shown.toStdString();
    EXPECT_FALSE(row.loopEndsItself && forced) << shown.toStdString();
  }
  CloseAllWindows();
}

// The menu bar's overflow button takes its icon from the desktop's style when first drawn.
TEST(Application, OverflowIconIsTheStylesOwn) {
  const auto icon = QStyle::SP_ToolBarHorizontalExtensionButton;
  const QIcon deferred = QApplication::style()->standardIcon(icon);
  const auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
  ASSERT_TRUE(style != nullptr && !deferred.isNull());
  EXPECT_EQ(deferred.pixmap(16).toImage(),
            style->baseStyle()->standardIcon(icon).pixmap(16).toImage());
}

// A window of the program's own opens to the right of the one it belongs to, else to its left,
// else below it, on the screen (1920 x 1080 here).
TEST(Placement, BesideTheAnchorOnTheScreen) {
  const QRect screen(0, 0, 1920, 1080);
  const QSize frame(700, 230);
  // clang-format off
  const std::tuple<const char*, QRect, QPoint> rows[] = {  // the anchor's frame, the corner
    {"room on the right", QRect(100, 100, 532, 400), QPoint(632, 100)},
    {"exactly room on the right", QRect(100, 100, 1120, 400), QPoint(1220, 100)},
    {"room on the left only", QRect(1300, 900, 532, 170), QPoint(600, 850)},
    {"below, where neither side has room", QRect(500, 100, 900, 400), QPoint(500, 500)},
    {"below, kept on the screen", QRect(600, 700, 1300, 300), QPoint(600, 850)},
  };
  // clang-format on
  for (const auto& [what, anchor, corner] : rows) {
    EXPECT_EQ(toolkit::BesidePosition(anchor, frame, screen), corner) << what;
  }
  // Windows beside one anchor (760, 100, 400 x 400) take the sides the others left free.
  const QRect anchor(760, 100, 400, 400), right(1160, 100, 700, 230), left(60, 100, 700, 230);
  const std::tuple<const char*, std::vector<QRect>, QPoint> taken[] = {
      {"the right taken: the left", {right}, QPoint(60, 100)},
      {"the left taken: the right", {left}, QPoint(1160, 100)},
      {"both taken: below", {right, left}, QPoint(760, 500)},
      {"all taken: the right, as before",
       {right, left, QRect(760, 500, 700, 230)},
       QPoint(1160, 100)},
  };
  for (const auto& [what, others, corner] : taken) {
    EXPECT_EQ(toolkit::BesidePosition(anchor, frame, screen, others), corner) << what;
  }
}

// A window placed beside the calculator passes over the side another open window of the
// program takes, not one that was closed (hidden, kept for its next opening).
TEST(Placement, PassesOverOpenWindowsOnly) {
  QWidget anchor, other, placed;
  anchor.setGeometry(0, 0, 300, 200);
  anchor.show();
  other.setGeometry(300, 0, 300, 200);
  placed.resize(300, 200);
  const QRect frame = anchor.frameGeometry();
  for (const auto& [open, corner] : {std::pair(false, QPoint(frame.right() + 1, 0)),
                                     std::pair(true, QPoint(0, frame.bottom() + 1))}) {
    other.setVisible(open);
    toolkit::PlaceBeside(placed, anchor);
    EXPECT_EQ(placed.pos(), corner) << (open ? "open" : "closed");
  }
}

// WCAG relative luminance of an sRGB colour.
double Luminance(QColor colour) {
  const auto linear = [](double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

// A picture the resources lack is asked for once each time the well is shown, however often it
// is painted: an empty picture schedules another paint, which must not ask again.
TEST(ImageWell, AsksForAMissingPictureOncePerShowing) {
  int asked = 0;
  toolkit::ImageWell well([&asked] {
    ++asked;
    return QPixmap();
  });
  well.resize(40, 30);
  for (const int showing : {1, 2}) {
    well.show();
    for (int paint = 0; paint < 5; ++paint) {
      well.repaint();
      QTest::qWait(5);
    }
    EXPECT_EQ(asked, showing);
    well.hide();
  }
}

// On a dark window the pictures' dark letters and lines keep at least WCAG's 3:1 contrast for
// graphics with the pixels around them.
TEST(ImageWell, PicturesStayReadableInADarkPalette) {
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(0x24, 0x24, 0x24));  // Adwaita dark
  const QSize size(132, 86);
  for (const int id : {168, 169, 170}) {
    const QImage alone = toolkit::PictureStore::LoadFromResources(id, size).toImage();
    QWidget window;
    window.setPalette(dark);
    window.setAutoFillBackground(true);
    window.resize(size);
    auto* well = new toolkit::ImageWell(
        [id, size] { return toolkit::PictureStore::LoadFromResources(id, size); }, &window);
    well->resize(size);
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([well] { return !well->pixmap().isNull(); }));
    const QImage shot = window.grab().toImage();
    const auto isInk = [&alone](int x, int y) {
      const QColor c = alone.pixelColor(x, y);
      return c.alpha() > 200 && c.lightness() < 0x40;
    };
    // Each letter or line pixel against the lightest pixel beside it, two pixels off.
    double weakest = 0;  // none found yet
    for (int y = 2; y < size.height() - 2; ++y) {
      for (int x = 2; x < size.width() - 2; ++x) {
        if (!isInk(x, y)) {
          continue;
        }
        double beside = -1;
        for (const QPoint p :
             {QPoint(x - 2, y), QPoint(x + 2, y), QPoint(x, y - 2), QPoint(x, y + 2)}) {
          if (!isInk(p.x(), p.y())) {
            beside = std::max(beside, Luminance(shot.pixelColor(p)));
          }
        }
        if (beside >= 0) {
          const double ink = Luminance(shot.pixelColor(x, y));
          const double contrast = (std::max(ink, beside) + 0.05) / (std::min(ink, beside) + 0.05);
          weakest = weakest == 0 ? contrast : std::min(weakest, contrast);
        }
      }
    }
    EXPECT_GE(weakest, 3.0) << id;  // and fails where no letter or line was found
  }
}

// The cross-section in a dark palette and in a light one with a pale accent: its lines,
// conductors and letters (every colour that covers more than a few pixels, but the background and
// the substrate's tint) stand at WCAG's 3:1 against both.
TEST(CrossSectionView, StaysReadableInDarkAndLightPalettes) {
  const std::tuple<const char*, QColor, QColor, QColor> palettes[] = {
      {"Adwaita dark", QColor(0x24, 0x24, 0x24), Qt::white, QColor(0x35, 0x84, 0xe4)},
      {"light with a yellow accent", Qt::white, Qt::black, QColor(0xf6, 0xd3, 0x2d)},
      {"dark with a red accent", QColor(0x24, 0x24, 0x24), Qt::white, QColor(0xc0, 0x1c, 0x28)},
  };
  for (const auto& [name, window, text, accent] : palettes) {
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, window);  // under the labels
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Highlight, accent);
    CrossSectionView view(nullptr);
    view.setPalette(palette);
    view.resize(480, 180);
    const auto answer = field_solver::SolveMicrostrip(2.9, 1.27, 0.035, 4.6);
    view.Show(DrawCrossSection({1, 2.9, 1.27, 0.035, 4.6}, &answer));
    const QImage shot = view.grab().toImage();
    // The labels are text on the base colour, whose smoothed edges are the desktop's affair.
    const auto labels = view.Labels();
    std::map<QRgb, int> counts;
    for (int i = 0; i < shot.width() * shot.height(); ++i) {
      const QPoint at(i % shot.width(), i / shot.width());
      if (std::none_of(labels.begin(), labels.end(),
                       [&at](const auto& label) { return label.box.contains(at); })) {
        ++counts[shot.pixel(at)];
      }
    }
    std::vector<std::pair<int, QRgb>> byCount;
    std::transform(counts.begin(), counts.end(), std::back_inserter(byCount),
                   [](const auto& entry) { return std::pair(entry.second, entry.first); });
    std::sort(byCount.rbegin(), byCount.rend());
    ASSERT_GE(byCount.size(), 4u) << name;
    const QColor back(byCount[0].second), tint(byCount[1].second);
    int inks = 0;
    for (std::size_t i = 2; i < byCount.size() && byCount[i].first >= 30; ++i, ++inks) {
      const QColor ink(byCount[i].second);
      const auto contrast = [&ink](const QColor& other) {
        const double a = Luminance(ink), b = Luminance(other);
        return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
      };
      EXPECT_GE(std::min(contrast(back), contrast(tint)), 3.0) << name << ink.name().toStdString();
    }
    EXPECT_GE(inks, 2) << name;  // the conductors and the equipotentials at least
  }
}

// A view whose ink is pure red, so that what it draws is found by its colour.
void InkInRed(QWidget& view, QSize size = QSize(480, 180)) {
  QPalette palette;
  palette.setColor(QPalette::WindowText, Qt::red);
  view.setPalette(palette);
  view.resize(size);
}

// The picture is to scale: measured in pixels down the middle column and across the strip, the
// strip's width, its height above the ground plane, its thickness and the upper plane stand in
// the ratios of the dimensions typed (to a pixel or two of rounding and the planes' width). A
// row ends with the height of the strip's bottom above the ground plane.
TEST(CrossSectionView, DrawsTheLineToScale) {
  const std::tuple<const char*, LineShape, double> rows[] = {
      {"microstrip, thick", {1, 2.9, 1.27, 0.5, 4.6}, 1.27},
      {"stripline, centred", {2, 4, 3.2, 0.8, 4}, 1.2},
  };
  for (const auto& [what, line, bottom] : rows) {
    CrossSectionView view(nullptr);
    InkInRed(view);
    view.Show(DrawCrossSection(line, nullptr));
    const QImage shot = view.grab().toImage();
    const auto red = [&shot](int x, int y) { return shot.pixelColor(x, y) == Qt::red; };
    std::vector<int> runs;  // the rows where each red run down the middle starts and stops
    for (int y = shot.height() - 1, x = shot.width() / 2, inside = 0; y >= -1; --y) {
      if ((y >= 0 && red(x, y)) != inside) {
        inside = !inside;
        runs.push_back(inside ? y : y + 1);
      }
    }
    ASSERT_EQ(runs.size(), line.page == 1 ? 4u : 6u) << what;
    int left = shot.width() / 2, right = left;
    for (const int row = (runs[2] + runs[3]) / 2; red(left - 1, row) || red(right + 1, row);) {
      left -= red(left - 1, row);
      right += red(right + 1, row);
    }
    const double pixelsPerMm = (right - left + 1) / line.width;
    const double ground = (runs[0] + runs[1]) / 2.0;
    EXPECT_NEAR(ground - runs[2], bottom * pixelsPerMm, 3) << what;
    EXPECT_NEAR(runs[2] - runs[3] + 1, line.thickness * pixelsPerMm, 1.5) << what;
    if (line.page == 2) {
      EXPECT_NEAR(ground - (runs[4] + runs[5]) / 2.0, line.height * pixelsPerMm, 3) << what;
    }
  }
}

// Where each red run along row y of a picture starts and stops.
std::vector<int> RedRuns(const QImage& shot, int y) {
  std::vector<int> edges;
  for (int x = 0, inside = 0; x <= shot.width(); ++x) {
    if ((x < shot.width() && shot.pixelColor(x, y) == Qt::red) != inside) {
      inside = !inside;
      edges.push_back(x);
    }
  }
  return edges;
}

// The coaxial line to scale: along the middle row the outer conductor's ring stands D apart and
// the inner conductor d across; the dielectric between is tinted, the outside is not.
// Any line of the layered solver: its plane, strip and side grounds painted in ink where they
// lie (a plane at the foot down the middle, the strip above it, a side ground beside), and a
// shape with no strip not drawn at all.
TEST(CrossSectionView, DrawsALayeredLine) {
  LayeredShape shape;
  shape.layers = {{0, 1, 4.3}};
  shape.planes = {0};
  shape.strips = {QPolygonF(QRectF(-0.5, 1, 1, 0.1))};
  shape.sideGrounds = {QRectF(1.5, 1, 1.5, 0.1)};
  shape.region = QRectF(-3, 0, 6, 2);
  CrossSectionView view(nullptr);
  InkInRed(view);
  view.Show(DrawLayered(shape, nullptr));
  const QImage shot = view.grab().toImage();
  const auto inkedRows = [&shot](int x) {
    int runs = 0;
    for (int y = 0, inside = 0; y < shot.height(); ++y) {
      const bool red = shot.pixelColor(x, y) == Qt::red;
      runs += red && !inside;
      inside = red;
    }
    return runs;
  };
  EXPECT_EQ(inkedRows(shot.width() / 2), 2);          // the strip and the plane
  EXPECT_EQ(inkedRows(shot.width() * 3 / 8 + 1), 1);  // the plane alone, in the gap
  EXPECT_EQ(inkedRows(shot.width() * 7 / 8), 2);      // a side ground and the plane
  shape.strips.clear();
  EXPECT_FALSE(DrawLayered(shape, nullptr).drawable);
}

// The readout under the pointer names the point drawn nearest it: the first at the plot's lower
// left, the last at its upper right, the middle one (on a log axis) at its centre.
TEST(PlotView, ReadsOutThePointUnderThePointer) {
  PlotView view(nullptr);
  view.resize(600, 400);
  view.SetPlot(
      {"Frequency", "GHz", "Loss", "dB/m", true, {{"Total", {{1, 0}, {10, 5}, {100, 10}}}}, {}});
  EXPECT_EQ(view.ReadoutAt(QPointF(0, 400)), "Total: 1 GHz, 0 dB/m");
  EXPECT_EQ(view.ReadoutAt(QPointF(600, 0)), "Total: 100 GHz, 10 dB/m");
  const QString middle = view.ReadoutAt(QPointF(300, 200));
  EXPECT_EQ(middle, "Total: 10 GHz, 5 dB/m");
}

// Without curves the plot says why in their place: its note, in the text's colour, mid-plot.
TEST(PlotView, SaysItsNoteWhereThereAreNoCurves) {
  PlotView view(nullptr);
  InkInRed(view, QSize(600, 400));
  const auto inkedMidRows = [&view] {
    const QImage shot = view.grab().toImage();
    int inked = 0;
    for (int y = shot.height() / 3; y < shot.height() * 2 / 3; ++y) {
      bool red = false;  // anti-aliased text: reddish
      for (int x = 0; x < shot.width(); ++x) {
        red = red || (shot.pixelColor(x, y).red() > 150 && shot.pixelColor(x, y).green() < 100);
      }
      inked += red ? 1 : 0;
    }
    return inked;
  };
  view.SetPlot({"Frequency", "GHz", "Loss", "dB/m", true, {}, "Solving the line's loss..."});
  EXPECT_GT(inkedMidRows(), 3);
  view.SetPlot({"Frequency", "GHz", "Loss", "dB/m", true, {}, {}});
  EXPECT_EQ(inkedMidRows(), 0);
}

TEST(CrossSectionView, DrawsTheCoaxToScale) {
  const LineShape coax{3, 1, 4, 0, 2.1};
  QPalette palette;
  palette.setColor(QPalette::WindowText, Qt::red);
  palette.setColor(QPalette::Window, Qt::white);
  CrossSectionView view(nullptr);
  view.setPalette(palette);
  view.resize(480, 180);
  view.Show(DrawCrossSection(coax, nullptr));
  const QImage shot = view.grab().toImage();
  const int y = shot.height() / 2;
  const std::vector<int> edges = RedRuns(shot, y);
  ASSERT_EQ(edges.size(), 6u);  // the ring's left side, the inner conductor, the ring's right
  const double outer = (edges[4] + edges[5] - edges[0] - edges[1]) / 2.0;
  EXPECT_NEAR((edges[3] - edges[2]) / outer, coax.width / coax.height, 2 / outer);
  EXPECT_NE(shot.pixelColor((edges[3] + edges[4]) / 2, y), QColor(Qt::white));
  EXPECT_EQ(shot.pixelColor(edges[0] / 2, y), QColor(Qt::white));
  const auto labels = view.Labels();  // both diameters, above the ring
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_EQ(labels[0].text, "D 4 mm, d 1 mm");
  EXPECT_LT(labels[0].box.bottom(), y - outer / 2);
}

// A strip of no thickness is painted two pixels thick, and the place the labels keep clear of
// holds every pixel of it.
TEST(CrossSectionView, KeepsLabelsOffAFlatStrip) {
  CrossSectionView view(nullptr);
  InkInRed(view);
  view.Show(DrawCrossSection({1, 2, 1, 0, 4.3}, nullptr));
  const QImage shot = view.grab().toImage();
  const QRectF strip = view.StripRects().front();
  const int x = shot.width() / 2;
  int painted = 0;
  for (int y = 0; y < static_cast<int>(strip.bottom()) + 3; ++y) {  // above the ground plane
    if (shot.pixelColor(x, y) == Qt::red) {
      ++painted;
      EXPECT_TRUE(strip.contains(QPointF(x + 0.5, y + 0.5))) << y;
    }
  }
  EXPECT_EQ(painted, 2);
}

// A pair's strips, measured in pixels along a row through them, stand the spacing typed apart,
// either side of the middle.
TEST(CrossSectionView, DrawsAPairToScale) {
  const LineShape pair{1, 1, 1, 0.2, 4.3, true, 0.5, false};
  CrossSectionView view(nullptr);
  InkInRed(view);
  view.Show(DrawCrossSection(pair, nullptr));
  const QImage shot = view.grab().toImage();
  const int y = static_cast<int>(view.StripRects().front().center().y());
  const std::vector<int> edges = RedRuns(shot, y);
  ASSERT_EQ(edges.size(), 4u);
  const double pixelsPerMm = (edges[1] - edges[0]) / pair.width;
  EXPECT_NEAR(edges[3] - edges[2], edges[1] - edges[0], 1);
  EXPECT_NEAR(edges[2] - edges[1], pair.spacing * pixelsPerMm, 2);
  EXPECT_NEAR((edges[1] + edges[2]) / 2.0, shot.width() / 2.0, 1.5);
}

// However crowded, a page line's labels stand clear of one another and of the strips: strips
// narrower than their W label with copper beside them, a pair almost touching, in a small view.
TEST(CrossSectionView, PageLabelsKeepClearOfEachOther) {
  const LineShape crowded[] = {
      {1, 0.1, 1, 0.035, 4.3}, {1, 0.1, 1, 0.035, 4.3, true, 0.02, false}, {2, 0.1, 1, 0.035, 2.2}};
  CrossSectionView view(nullptr);
  view.resize(240, 140);
  for (const LineShape& line : crowded) {
    view.Show(DrawCrossSection(line, nullptr));
    const auto labels = view.Labels();
    EXPECT_GE(labels.size(), 3u);
    for (std::size_t i = 0; i < labels.size(); ++i) {
      for (std::size_t j = i + 1; j < labels.size(); ++j) {
        EXPECT_FALSE(labels[i].box.intersects(labels[j].box))
            << labels[i].text.toStdString() << " over " << labels[j].text.toStdString();
      }
      for (const QRectF& strip : view.StripRects()) {
        EXPECT_FALSE(labels[i].box.intersects(strip)) << labels[i].text.toStdString();
      }
    }
  }
}

// Each dimension's label stands beside what it measures, with room around it: W above the right
// strip, s under the gap (each a few pixels off), h at the left within the substrate, t right of
// the strip at its height.
TEST(CrossSectionView, LabelsStandBesideWhatTheyMeasure) {
  CrossSectionView view(nullptr);
  view.resize(480, 180);
  view.Show(DrawCrossSection({1, 1, 1, 0.2, 4.3, true, 0.5, false}, nullptr));
  const auto strips = view.StripRects();
  const QRectF strip = strips.back();
  std::map<QChar, QRectF> box;
  for (const CrossSectionLabel& label : view.Labels()) {
    box[label.text.front()] = label.box;
  }
  const double ground = strip.bottom() + strip.height() / 0.2;  // h is five t below the strip
  EXPECT_LE(box['W'].bottom(), strip.top());
  EXPECT_GE(box['W'].bottom(), strip.top() - 4);
  EXPECT_NEAR(box['W'].center().x(), strip.center().x(), 1);
  EXPECT_GE(box['s'].top(), strip.bottom());
  EXPECT_LE(box['s'].top(), strip.bottom() + 4);
  EXPECT_NEAR(box['s'].center().x(), (strips.front().right() + strip.left()) / 2, 1);
  EXPECT_LT(box['h'].right(), strips.front().left());
  EXPECT_GT(box['h'].center().y(), strip.bottom());
  EXPECT_LT(box['h'].center().y(), ground);
  EXPECT_GE(box['t'].left(), strip.right());
  EXPECT_NEAR(box['t'].center().y(), strip.center().y(), box['t'].height());
  // Their words are painted, in the palette's text colour.
  QPalette palette;
  palette.setColor(QPalette::Text, Qt::red);
  view.setPalette(palette);
  const QImage shot = view.grab().toImage();
  for (const auto& [letter, place] : box) {
    int painted = 0;
    for (int y = place.toRect().top(); y <= place.toRect().bottom(); ++y) {
      for (int x = place.toRect().left(); x <= place.toRect().right(); ++x) {
        const QColor pixel = shot.pixelColor(x, y);  // red, or smoothed toward the backing
        painted += pixel.red() - pixel.green() > 100;
      }
    }
    EXPECT_GT(painted, 5) << letter.toLatin1();
  }
}

// What cannot be built is named in red under the picture; the permittivity above it stays in
// the palette's ink.
TEST(CrossSectionView, NamesTheFaultInRedAndTheRestInInk) {
  QPalette palette;
  palette.setColor(QPalette::WindowText, Qt::blue);
  CrossSectionView view(nullptr);
  view.setPalette(palette);
  view.resize(480, 180);
  view.Show(DrawCrossSection({3, 3, 2, 0, 2.1}, nullptr));  // d 3 mm in D 2 mm
  const QImage shot = view.grab().toImage();
  const auto count = [&shot](QRect area, QColor colour) {
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        found += shot.pixelColor(x, y) == colour;
      }
    }
    return found;
  };
  const QRect words(0, 0, shot.width() / 4, 16), fault(0, shot.height() - 16, shot.width(), 16);
  EXPECT_GT(count(words, Qt::blue), 10);
  EXPECT_EQ(count(words, Qt::red), 0);
  EXPECT_GT(count(fault, Qt::red), 20);
}

// The coax's equipotentials lie where its field puts them: the potential ln(D / 2r) / ln(D / d)
// of every point drawn is one of 10 %, ..., 90 %, and each of them is drawn.
TEST(CrossSectionView, DrawsTheCoaxialEquipotentialsAtTheirRadii) {
  const double d = 1, D = 4;
  const auto answer = field_solver::SolveCoax(d, D, 2.1);
  const CrossSectionPicture picture = DrawCrossSection({3, d, D, 0, 2.1}, &answer);
  std::map<long, int> points;  // per tenth
  for (const QLineF& segment : picture.equipotentials) {
    for (const QPointF& p : {segment.p1(), segment.p2()}) {
      const double tenths = 10 * std::log(D / (2 * std::hypot(p.x(), p.y()))) / std::log(D / d);
      EXPECT_NEAR(tenths, std::round(tenths), 0.3);
      ++points[std::lround(tenths)];
    }
  }
  EXPECT_EQ(points.size(), 9u);
  EXPECT_EQ(points.begin()->first, 1);
}

// A line past what a picture's coordinates hold (the solver still answers for it) is not drawn.
TEST(CrossSectionView, DrawsNothingPastWhatItCanHold) {
  const auto answer = field_solver::SolveMicrostrip(1e308, 1e308, 0, 4);
  const CrossSectionPicture picture = DrawCrossSection({1, 1e308, 1e308, 0, 4}, &answer);
  EXPECT_TRUE(answer.reason.empty() && !picture.drawable && picture.equipotentials.empty());
  // Nor is a pair whose strips have no spacing between them.
  for (const double spacing : {0.0, -0.2, std::nan("")}) {
    EXPECT_FALSE(DrawCrossSection({1, 1, 1, 0, 4, true, spacing, false}, nullptr).drawable)
        << spacing;
  }
}

// A line no one can build is drawn as typed, its fault named for the eye and the ear.
TEST(CrossSectionView, NamesWhatCannotBeBuilt) {
  const std::pair<LineShape, QString> rows[] = {
      {{3, 3, 2, 0, 1}, "the inner diameter, 3 mm, is not smaller than the outer, 2 mm."},
      {{2, 1, 3.2, 3.2, 1}, "the strip, 3.2 mm thick, does not fit between planes 3.2 mm apart."}};
  for (const auto& [line, fault] : rows) {
    const CrossSectionPicture picture = DrawCrossSection(line, nullptr);
    EXPECT_TRUE(picture.drawable);
    EXPECT_EQ(picture.description, "Cross-section: " + fault);
  }
}

}  // namespace
}  // namespace mq::test
