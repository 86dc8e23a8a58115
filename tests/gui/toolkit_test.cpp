// SPDX-License-Identifier: MIT
// The toolkit layer on its own: pictures by id, lookups by name, the Edit menu's commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "app/app.h"
#include "tests/gui/window_driver.h"
#include "toolkit/controls.h"
#include "toolkit/picture_store.h"
#include "toolkit/qt_field_set.h"
#include "toolkit/window_builder.h"

namespace mq::test {
namespace {

TEST(PictureStore, LoadsEachPictureOnceAndRetriesAMissingOne) {
  int loads = 0;
  toolkit::PictureStore store([&loads](int id, QSize size) {
    ++loads;
    if (id == 404) {
      return QPixmap();
    }
    QPixmap picture(size);
    picture.fill(Qt::white);
    return picture;
  });
  EXPECT_FALSE(store.Picture(170, QSize(132, 86)).isNull());
  EXPECT_FALSE(store.Picture(170, QSize(132, 86)).isNull());
  EXPECT_EQ(loads, 1);
  EXPECT_TRUE(store.Picture(404, QSize(132, 86)).isNull());
  EXPECT_TRUE(store.Picture(404, QSize(132, 86)).isNull());
  EXPECT_EQ(loads, 3);
}

TEST(PictureStore, ResourcesHoldTheThreeLineTypes) {
  for (const int id : {168, 169, 170}) {
    const QPixmap picture = toolkit::PictureStore::LoadFromResources(id, QSize(132, 86));
    ASSERT_FALSE(picture.isNull()) << id;
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(132, 86)) << id;
  }
  EXPECT_TRUE(toolkit::PictureStore::LoadFromResources(171, QSize(132, 86)).isNull());
}

TEST(ImageWell, FetchesItsPictureWhenFirstShown) {
  int loads = 0;
  toolkit::PictureStore store([&loads](int, QSize size) {
    ++loads;
    QPixmap picture(size);
    picture.fill(Qt::gray);
    return picture;
  });
  const toolkit::ControlRow rows[] = {{.name = "ImageWell1",
                                       .kind = toolkit::ControlKind::kImageWell,
                                       .parent = "",
                                       .page = 0,
                                       .geometry = {380, 55, 132, 86},
                                       .text = "",
                                       .pictureId = 170}};
  QWidget content;
  const toolkit::Controls controls = toolkit::BuildControls(content, rows, store);
  EXPECT_EQ(loads, 0);
  content.show();
  EXPECT_EQ(loads, 0) << "the window must appear before the picture is loaded";
  EXPECT_TRUE(QTest::qWaitFor([&loads] { return loads == 1; }, 2000));
  EXPECT_EQ(controls.Find<QLabel>("ImageWell1")->pixmap().size(), QSize(132, 86));
  content.hide();
  content.show();
  QTest::qWait(50);
  EXPECT_EQ(loads, 1);
}

TEST(Controls, UnknownNamesFailLoudly) {
  toolkit::Controls controls;
  QLineEdit field;
  controls.Add("WidthField", &field);
  EXPECT_EQ(controls.Find<QLineEdit>("WidthField"), &field);
  EXPECT_THROW(controls.Find("WidthField4"), toolkit::UnknownControlError);
  EXPECT_THROW(controls.Find<QAction>("WidthField"), toolkit::UnknownControlError);
  toolkit::QtFieldSet fields(controls);
  EXPECT_THROW(fields.Text("Nothing"), UnknownFieldError);
  EXPECT_THROW(fields.SetText("Nothing", "1"), UnknownFieldError);
}

class EditMenu : public CalculatorWindowTest {};

TEST_F(EditMenu, CommandsActOnTheFocusedField) {
  auto* app = qobject_cast<App*>(QCoreApplication::instance());
  ASSERT_NE(app, nullptr);
  Type("WidthField", "3.25");
  window_->activateWindow();
  Field("WidthField")->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), Field("WidthField"));
  app->MenuItem("SelectAll")->trigger();
  app->MenuItem("Cut")->trigger();
  EXPECT_EQ(Text("WidthField"), "");
  Field("HeightField")->setFocus();
  app->MenuItem("SelectAll")->trigger();
  app->MenuItem("Paste")->trigger();
  EXPECT_EQ(Text("HeightField"), "3.25");
  EXPECT_EQ(app->MenuItem("Quit")->shortcut(), QKeySequence(QKeySequence::Quit));
}

}  // namespace
}  // namespace mq::test
