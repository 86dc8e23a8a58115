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
#include <stdexcept>

#include "app/app.h"
#include "tests/gui/window_driver.h"
#include "toolkit/controls.h"
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

// An error while the window is built is shown to the user, and the program ends with failure.
TEST(Application, ReportsAnErrorThatEscapesStartUp) {
  QString shown;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&shown] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->close();
    }
  });
  closer.start(20);
  const int status = TheApp().Run([] { throw std::runtime_error("no window today"); });
  EXPECT_EQ(status, EXIT_FAILURE);
  EXPECT_TRUE(shown.contains("no window today")) << shown.toStdString();
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
