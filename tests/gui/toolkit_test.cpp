// SPDX-License-Identifier: MIT
// The thin layer over Qt: pictures by id, image wells, controls by name, the application's
// menus and its report of an error that escapes start-up.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

#include "app/app.h"
#include "tests/gui/window_driver.h"
#include "toolkit/controls.h"
#include "toolkit/image_well.h"
#include "toolkit/picture_store.h"
#include "toolkit/qt_field_set.h"
#include "toolkit/window_builder.h"

namespace mq::test {
namespace {

App& TheApp() {
  return *qobject_cast<App*>(QCoreApplication::instance());
}

TEST(PictureStore, ResourcesHoldTheThreeLineTypes) {
  for (const int id : {168, 169, 170}) {
    const QPixmap picture = toolkit::PictureStore::LoadFromResources(id, QSize(132, 86));
    ASSERT_FALSE(picture.isNull()) << id;
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(132, 86)) << id;
  }
  EXPECT_TRUE(toolkit::PictureStore::LoadFromResources(171, QSize(132, 86)).isNull());
}

// A well is fetched once it is painted, and a picture the resources lack is asked for once per
// showing, not on every paint.
TEST(ImageWell, FetchesOnceWhenFirstShownAndOncePerShowingWhenMissing) {
  for (const bool present : {true, false}) {
    int loads = 0;
    toolkit::PictureStore store([&loads, present](int, QSize size) {
      ++loads;
      QPixmap picture(present ? size : QSize());
      picture.fill(Qt::gray);
      return picture;
    });
    const toolkit::ControlRow rows[] = {
        {"ImageWell1", toolkit::ControlKind::kImageWell, "", 0, {380, 55, 132, 86}, "", {}, 170}};
    QWidget content;
    const toolkit::Controls controls = toolkit::BuildControls(content, rows, store);
    content.show();
    EXPECT_EQ(loads, 0) << "the window must appear before the picture is loaded";
    EXPECT_TRUE(QTest::qWaitFor([&loads] { return loads >= 1; }, 2000));
    QTest::qWait(100);
    EXPECT_EQ(loads, 1) << (present ? "present" : "absent");
    content.hide();
    content.show();
    QTest::qWait(100);
    EXPECT_EQ(loads, present ? 1 : 2);
    EXPECT_EQ(controls.Find<QLabel>("ImageWell1")->pixmap().isNull(), !present);
  }
}

TEST(Controls, UnknownNamesFailLoudly) {
  toolkit::Controls controls;
  QLineEdit field;
  controls.Add("WidthField", &field);
  EXPECT_EQ(controls.Find<QLineEdit>("WidthField"), &field);
  EXPECT_THROW(controls.Find("WidthField4"), toolkit::UnknownControlError);
  EXPECT_THROW(controls.Find<QAction>("WidthField"), toolkit::UnknownControlError);
  toolkit::QtFieldSet fields(controls);
  EXPECT_THROW(fields.SetText("Nothing", "1"), UnknownFieldError);
}

// An error while the window is built, or in an event handled while it is, is shown to the user,
// and the program ends with failure without entering the event loop.
TEST(Application, ReportsAnErrorThatEscapesStartUp) {
  const std::function<void()> startUps[] = {
      [] { throw std::runtime_error("no window today"); },
      [] {
        QTimer::singleShot(0, [] { throw std::runtime_error("no window today"); });
        QTest::qWait(50);
      }};
  for (const auto& startUp : startUps) {
    QString shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown = box->text();
        box->close();
      }
    });
    closer.start(20);
    QTimer loopEnder;  // ends an event loop that should never have started
    QObject::connect(&loopEnder, &QTimer::timeout, qApp, &QCoreApplication::quit);
    loopEnder.start(1000);
    EXPECT_EQ(TheApp().Run(startUp), EXIT_FAILURE);
    EXPECT_TRUE(shown.contains("no window today")) << shown.toStdString();
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

// On a dark window the pictures' dark letters and lines keep at least WCAG's 3:1 contrast for
// graphics with the pixels around them.
TEST(ImageWell, PicturesStayReadableInADarkPalette) {
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(0x24, 0x24, 0x24));  // Adwaita dark
  dark.setColor(QPalette::WindowText, Qt::white);
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
    double weakest = 100;
    int inkPixels = 0;
    for (int y = 2; y < size.height() - 2; ++y) {
      for (int x = 2; x < size.width() - 2; ++x) {
        if (!isInk(x, y)) {
          continue;
        }
        ++inkPixels;
        double beside = -1;
        for (const QPoint p :
             {QPoint(x - 2, y), QPoint(x + 2, y), QPoint(x, y - 2), QPoint(x, y + 2)}) {
          if (!isInk(p.x(), p.y())) {
            beside = std::max(beside, Luminance(shot.pixelColor(p)));
          }
        }
        if (beside >= 0) {
          const double ink = Luminance(shot.pixelColor(x, y));
          weakest =
              std::min(weakest, (std::max(ink, beside) + 0.05) / (std::min(ink, beside) + 0.05));
        }
      }
    }
    EXPECT_GT(inkPixels, 10) << id;
    EXPECT_GE(weakest, 3.0) << id;
  }
}

class Menus : public CalculatorWindowTest {};

TEST_F(Menus, EditCommandsActOnTheFocusedField) {
  ASSERT_EQ(ui_->Type("WidthField", "3.25"), "");
  window_->activateWindow();
  window_->Controls().Find("WidthField")->setFocus();
  TheApp().MenuItem("SelectAll")->trigger();
  TheApp().MenuItem("Cut")->trigger();
  EXPECT_EQ(ui_->Text("WidthField"), "");
  window_->Controls().Find("HeightField")->setFocus();
  TheApp().MenuItem("SelectAll")->trigger();
  TheApp().MenuItem("Paste")->trigger();
  EXPECT_EQ(ui_->Text("HeightField"), "3.25");
}

}  // namespace
}  // namespace mq::test
