// SPDX-License-Identifier: MIT
// The Line Designer as a user drives it: opened on the page's substrate with Ctrl+D, each
// structure picked from its popup, lengths typed in any unit, solved, searched, copied, kept
// across runs and closed.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <algorithm>

#include "model/figure_words.h"
#include "model/line_check.h"
#include "model/line_loss.h"
#include "model/loss_check.h"
#include "published/reference_lines.h"
#include "tests/gui/window_driver.h"
#include "ui/cross_check_win.h"
#include "ui/cross_section_view.h"
#include "ui/line_designer_picture.h"
#include "ui/line_designer_plot.h"
#include "ui/line_designer_win.h"

namespace mq::test {
namespace {

template <typename Control = QLineEdit>
Control* Find(LineDesignerWin& designer, const QString& name) {
  for (Control* control : designer.findChildren<Control*>()) {
    if (control->accessibleName() == name || control->objectName() == name) {
      return control;
    }
  }
  ADD_FAILURE() << "no control " << name.toStdString();
  return nullptr;
}

void Retype(LineDesignerWin& designer, const QString& name, const QString& text) {
  QLineEdit* field = Find(designer, name);
  field->selectAll();
  QTest::keyClicks(field, text);
}

// Opens the popup's list and clicks the entry, scrolled into view as a user scrolls to it.
void Pick(LineDesignerWin& designer, const QString& popup, const QString& entry) {
  auto* control = Find<QComboBox>(designer, popup);
  control->showPopup();
  QAbstractItemView* list = control->view();
  const QModelIndex index = list->model()->index(control->findText(entry), 0);
  list->scrollTo(index);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
  ASSERT_EQ(control->currentText(), entry);
}

QString Message(LineDesignerWin& designer) {
  return Find<QLabel>(designer, "Message")->text();
}

QString SolverCell(LineDesignerWin& designer) {  // the impedance's, the first row
  return Find<QTableWidget>(designer, "Line's figures")->item(0, 2)->text();
}

// The names of the fields shown, in the order Tab walks them.
QStringList ShownFields(LineDesignerWin& designer) {
  QStringList names;
  for (QWidget* at = Find<QComboBox>(designer, "Units")->nextInFocusChain();
       at->inherits("QLineEdit") || !at->isVisible(); at = at->nextInFocusChain()) {
    if (at->isVisible()) {
      names << at->accessibleName();
    }
  }
  return names;
}

LineDesignerWin& OpenWithCtrlD(MacQuelvorWnd& window) {
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
  const auto open = window.findChildren<LineDesignerWin*>();
  EXPECT_EQ(open.size(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !open[0]->Solving(); }, 10000));
  return *open[0];
}

void CloseWithEscape(MacQuelvorWnd& window, LineDesignerWin& designer) {
  designer.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &designer; }));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.findChildren<LineDesignerWin*>().isEmpty());
}

// Opened the first time, each page's line (a page without a width: one height wide); the coax
// page starts from page 1's as built. The texts are the calculator's defaults where not typed.
TEST_F(CalculatorWindowTest, LineDesignerOpensOnThePagesSubstrate) {
  const std::tuple<int, const char*, const char*, QStringList> rows[] = {
      {1,
       "WidthField=0,2 HeightField=0.1 DiConstField=3.66",
       "Microstrip",
       {"0.2", "", "0.1", "0", "3.66", "50", "2.5", "5.8e7"}},
      {2, "FreqField2=5", "Stripline", {"3.2", "", "3.2", "0.01", "1", "50", "5", "5.8e7"}},
      {3, "", "Microstrip", {"1.27", "", "1.27", "0", "1", "50", "2.5", "5.8e7"}},
  };
  const QStringList names = {"Width (mm)",      "Top width (mm)",      "Height (mm)",
                             "Thickness (mm)",  "Dielectric constant", "Target impedance (ohm)",
                             "Frequency (GHz)", "Conductivity (S/m)"};
  for (const auto& [page, typed, structure, texts] : rows) {
    QSettings().clear();
    ASSERT_EQ(ui_->ShowPage(page), "");
    ASSERT_EQ(ui_->TypeAll(typed), "");
    LineDesignerWin& designer = OpenWithCtrlD(*window_);
    EXPECT_EQ(Find<QComboBox>(designer, "Structure")->currentText(), structure);
    EXPECT_EQ(ShownFields(designer), names);
    for (int i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(Find(designer, names[i])->text(), texts[i])
          << page << ' ' << names[i].toStdString();
    }
    // Laid out: the table shows below the fields, inside the window.
    const QWidget* table = Find<QTableWidget>(designer, "Line's figures");
    const QWidget* last = Find(designer, names.back());
    EXPECT_TRUE(table->isVisible() && designer.rect().contains(table->geometry()));
    EXPECT_GT(table->mapTo(&designer, QPoint()).y(),
              last->mapTo(&designer, QPoint(0, last->height())).y());
    CloseWithEscape(*window_, designer);
  }
}

// Each structure picked from the popup shows its own fields (model/line_check.h's LineInputs,
// as `fieldcalc Line` reads them) and its Find buttons; a field two structures share keeps its
// text across the change.
TEST_F(CalculatorWindowTest, EachStructureShowsItsOwnFields) {
  const QStringList common = {"Width (mm)",         "Top width (mm)",      "Height (mm)",
                              "Thickness (mm)",     "Dielectric constant", "Frequency (GHz)",
                              "Conductivity (S/m)", "Loss tangent"};
  const QStringList mask = {"Mask thickness (mm)", "Mask dielectric constant", "Mask loss tangent"};
  const QStringList cover = {"Cover (mm)", "Dielectric constant above"};
  const QStringList above = {"Height above (mm)", "Dielectric constant above"};
  const QStringList side = {"Gap to ground (mm)", "Ground width (mm)"};
  const std::tuple<const char*, QStringList, const char*> rows[] = {
      {"Microstrip", {}, "Find width"},
      {"Coated microstrip", mask, "Find width"},
      {"Embedded microstrip", cover, "Find width"},
      {"Stripline", {}, "Find width"},
      {"Offset stripline", above, "Find width"},
      {"Coplanar waveguide", side, "Find width Find gap"},
      {"Grounded coplanar waveguide", side, "Find width Find gap"},
      {"Microstrip pair", {"Spacing (mm)"}, "Find width Find spacing"},
      {"Coated microstrip pair", mask + QStringList{"Spacing (mm)"}, "Find width Find spacing"},
      {"Embedded microstrip pair", cover + QStringList{"Spacing (mm)"}, "Find width Find spacing"},
      {"Stripline pair", {"Spacing (mm)"}, "Find width Find spacing"},
      {"Offset stripline pair", above + QStringList{"Spacing (mm)"}, "Find width Find spacing"},
      {"Coplanar waveguide pair", side + QStringList{"Spacing (mm)"},
       "Find width Find spacing Find gap"},
      {"Grounded coplanar waveguide pair", side + QStringList{"Spacing (mm)"},
       "Find width Find spacing Find gap"},
      {"Broadside-coupled stripline pair", {"Spacing (mm)"}, "Find width Find spacing"},
  };
  LineDesignerWin& designer = OpenWithCtrlD(*window_);
  Retype(designer, "Width (mm)", "0.3");
  for (const auto& [structure, own, buttons] : rows) {
    Pick(designer, "Structure", structure);
    const bool pair = QString(structure).endsWith("pair");
    QStringList expected = common + own;
    expected << (pair ? "Target differential impedance (ohm)" : "Target impedance (ohm)");
    QStringList shown;  // the line edits shown, the loss's beyond the Roughness popup too
    for (const QLineEdit* field : designer.findChildren<QLineEdit*>()) {
      if (field->isVisible() && field->parentWidget() == &designer) {
        shown << field->accessibleName();
      }
    }
    std::sort(expected.begin(), expected.end());
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, expected) << structure;
    QStringList finds;
    for (QPushButton* button : designer.findChildren<QPushButton*>()) {
      if (button->isVisible() && button->text().startsWith("Find")) {
        finds << button->text();
      }
    }
    EXPECT_EQ(finds.join(' '), buttons) << structure;
    EXPECT_EQ(Find(designer, "Width (mm)")->text(), "0.3") << structure;
    EXPECT_FALSE(Find<QComboBox>(designer, "Structure")->itemIcon(0).isNull());
  }
}

// A unit typed after the number is read as typed and said so (1 mil = 0.0254 mm; 1 oz of copper
// 0.0348 mm); text that is no length is named and solves nothing; the Units popup rewrites every
// length in the new unit and renames the fields.
TEST_F(CalculatorWindowTest, LineDesignerReadsUnitsAsTyped) {
  LineDesignerWin& designer = OpenWithCtrlD(*window_);
  auto* picture = designer.findChild<CrossSectionView*>();
  Retype(designer, "Width (mm)", "5mil");
  Retype(designer, "Thickness (mm)", "1oz");
  EXPECT_EQ(Message(designer), "Width: 5mil read as 0.127 mm\nThickness: 1oz read as 0.0348 mm");
  EXPECT_TRUE(picture->accessibleDescription().contains(", W 0.127 mm,"));
  Retype(designer, "Height (mm)", "abc");
  EXPECT_TRUE(Message(designer).startsWith("Height: \u201Cabc\u201D is not a number\n"));
  EXPECT_FALSE(Find<QPushButton>(designer, "Find width")->isEnabled());
  Retype(designer, "Height (mm)", "0.1");
  Pick(designer, "Units", "mil");
  EXPECT_EQ(Find(designer, "Width (mil)")->text(), "5");
  EXPECT_EQ(Find(designer, "Height (mil)")->text(), "3.937007874");
  EXPECT_EQ(Find(designer, "Thickness (mil)")->text(), "1.37007874");
  Pick(designer, "Units", "mm");
  EXPECT_EQ(Find(designer, "Height (mm)")->text(), "0.1");
  EXPECT_EQ(Message(designer), "");
}

// Find gap on a grounded coplanar waveguide (tests/data/line_gcpw.fields) writes the gap
// FindLineDimension finds for 50 ohm, and the solver's cell then shows that line's impedance;
// Ctrl+A, Ctrl+C copies the structure, the inputs with their units and the table.
TEST_F(CalculatorWindowTest, LineDesignerFindsTheGapAndCopies) {
  LineDesignerWin& designer = OpenWithCtrlD(*window_);
  Pick(designer, "Structure", "Grounded coplanar waveguide");
  for (const auto& [name, text] : {std::pair("Width (mm)", "0.5"),
                                   {"Gap to ground (mm)", "0.2"},
                                   {"Height (mm)", "0.5"},
                                   {"Thickness (mm)", "0.035"},
                                   {"Dielectric constant", "4.3"}}) {
    Retype(designer, name, text);
  }
  QTest::mouseClick(Find<QPushButton>(designer, "Find gap"), Qt::LeftButton);
  EXPECT_FALSE(Find<QPushButton>(designer, "Find width")->isEnabled())
      << "both searches wait while one runs";
  ASSERT_TRUE(QTest::qWaitFor([&] { return !designer.Finding() && !designer.Solving(); }, 30000));
  LineInputs in;
  in.structure = LineStructure::kGroundedCoplanar;
  in.width = in.height = 0.5;
  in.gap = 0.2;
  in.thickness = 0.035;
  in.permittivity = 4.3;
  const LineSynthesis found = FindLineDimension(in, LineUnknown::kGap, 50);
  EXPECT_NEAR(Find(designer, "Gap to ground (mm)")->text().toDouble(), found.value,
              1e-9 * found.value);
  EXPECT_EQ(Message(designer), "Found the gap for the target.");
  in.gap = Find(designer, "Gap to ground (mm)")->text().toDouble();
  EXPECT_EQ(SolverCell(designer).section(' ', 0, 0).toStdString(),
            Figure(SolveLineInputs(in).single.impedance, 6));

  designer.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &designer; }));
  auto* table = Find<QTableWidget>(designer, "Line's figures");
  table->setFocus();
  QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_EQ(copied, designer.Text());
  EXPECT_TRUE(copied.startsWith("Structure\tGrounded coplanar waveguide\nUnits\tmm\nWidth "
                                "(mm)\t0.5\nTop width (mm)\t\nGap to ground (mm)\t0.") &&
              copied.contains("\nQuantity\tPublished model\tField solver\tDifference\n"
                              "Impedance (ohm)\t") &&
              copied.contains("\nwarning: The published model is "))
      << copied.toStdString();
}

// The structure, the unit and the texts come back in a window opened afresh (as in a new run);
// Reset gives the page's line again.
TEST_F(CalculatorWindowTest, LineDesignerRemembersAndResets) {
  LineDesignerWin& designer = OpenWithCtrlD(*window_);
  const QString fresh = designer.Text().section("\nQuantity", 0, 0);
  Pick(designer, "Structure", "Offset stripline pair");
  Pick(designer, "Units", "um");
  Retype(designer, "Height above (um)", "200");
  const QString typed = designer.Text().section("\nQuantity", 0, 0);
  CloseWithEscape(*window_, designer);
  LineDesignerWin& again = OpenWithCtrlD(*window_);
  EXPECT_EQ(again.Text().section("\nQuantity", 0, 0), typed);
  QTest::mouseClick(Find<QPushButton>(again, "Reset"), Qt::LeftButton);
  EXPECT_EQ(again.Text().section("\nQuantity", 0, 0), fresh);
  // Where the manual page says they are kept (here under the run's own directory).
  EXPECT_TRUE(QSettings().fileName().endsWith("/MacQuelvor/MacQuelvor.conf"))
      << QSettings().fileName().toStdString();
}

// An edit keeps the last figures, marked, with no verdict drawn from them and no cell
// "solving...", in rows of the same heights with every note in view; the new figures come before
// the field's picture. Every row shows at the opening size, so no scroll bar comes and goes.
TEST_F(CalculatorWindowTest, LineDesignerKeepsItsFiguresWhileSolving) {
  ASSERT_EQ(ui_->TypeAll("WidthField=0.2 HeightField=0.1 DiConstField=3.66"), "");
  LineDesignerWin& designer = OpenWithCtrlD(*window_);
  Pick(designer, "Structure", "Microstrip pair");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !designer.Drawing(); }, 10000));
  auto* table = Find<QTableWidget>(designer, "Line's figures");
  const auto inView = [table] {
    const QTableWidgetItem* last = table->item(table->rowCount() - 1, 0);
    return !table->verticalScrollBar()->isVisible() &&
           table->viewport()->rect().contains(table->visualItemRect(last));
  };
  EXPECT_TRUE(inView());
  const QString before = SolverCell(designer);
  QList<int> heights;
  for (int row = 0; row < table->rowCount(); ++row) {
    heights << table->rowHeight(row);
  }
  Retype(designer, "Spacing (mm)", "0.25");
  ASSERT_TRUE(designer.Solving());
  EXPECT_EQ(SolverCell(designer), before + " (updating)");
  EXPECT_TRUE(!designer.Text().contains("solving...") && designer.Text().contains("being updated"));
  for (int row = 0; row < std::min<int>(table->rowCount(), heights.size()); ++row) {
    EXPECT_EQ(table->rowHeight(row), heights[row]) << row;
  }
  EXPECT_TRUE(inView());
  auto* picture = designer.findChild<CrossSectionView*>();
  // Event by event, so that the moment the figures come is seen before anything after it.
  QEventLoop events;
  while (designer.Solving()) {
    events.processEvents(QEventLoop::WaitForMoreEvents);
  }
  EXPECT_TRUE(picture->accessibleDescription().endsWith(", solving"));
  EXPECT_FALSE(SolverCell(designer).endsWith("(updating)"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !designer.Drawing(); }, 10000));
  EXPECT_EQ(picture->accessibleDescription(),
            "Cross-section: microstrip pair, W 0.2 mm, s 0.25 mm, h 0.1 mm, er 3.66, odd mode, "
            "equipotentials every 10 %");
  QTest::mouseClick(Find<QCheckBox>(designer, "Even mode"), Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_TRUE(picture->accessibleDescription().contains("even mode, equipotentials"));
  EXPECT_TRUE(inView());
}

// From the keyboard: each caption's Alt+letter goes to its control, each caption on its
// control's row, to its left.
TEST_F(CalculatorWindowTest, LineDesignerCaptionsLeadToTheirControls) {
  LineDesignerWin& designer = OpenWithCtrlD(*window_);
  Pick(designer, "Structure", "Microstrip pair");
  designer.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &designer; }));
  const std::pair<Qt::Key, const char*> rows[] = {
      {Qt::Key_R, "Structure"},       {Qt::Key_U, "Units"},
      {Qt::Key_W, "Width (mm)"},      {Qt::Key_O, "Top width (mm)"},
      {Qt::Key_S, "Spacing (mm)"},    {Qt::Key_H, "Height (mm)"},
      {Qt::Key_T, "Thickness (mm)"},  {Qt::Key_D, "Dielectric constant"},
      {Qt::Key_F, "Frequency (GHz)"}, {Qt::Key_G, "Target differential impedance (ohm)"}};
  for (const auto& [key, name] : rows) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(), name);
  }
  for (const QLabel* caption : designer.findChildren<QLabel*>()) {
    if (const QWidget* control = caption->buddy(); control != nullptr && control->isVisible()) {
      const QRect at = caption->geometry(), of = control->geometry();
      EXPECT_TRUE(at.right() < of.left() && at.center().y() >= of.top() &&
                  at.center().y() <= of.bottom())
          << caption->text().toStdString();
    }
  }
}

// Every control of the two side windows has its own place: one left out of the layout would sit
// over another at the window's corner. In the Line Designer each field and button says in a
// tooltip what it does.
TEST_F(CalculatorWindowTest, SideWindowsControlsEachHaveTheirPlace) {
  LineDesignerWin& designer = OpenWithCtrlD(*window_);
  Pick(designer, "Structure", "Grounded coplanar waveguide pair");
  CrossCheckWin& check = CrossCheckWin::Show(*window_);
  for (QWidget* window : {static_cast<QWidget*>(&designer), static_cast<QWidget*>(&check)}) {
    QApplication::sendPostedEvents();
    QList<QWidget*> shown;
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->isVisible() && !child->isWindow()) {
        shown << child;
      }
    }
    EXPECT_GE(shown.size(), 4) << window->windowTitle().toStdString();
    for (int i = 0; i < shown.size(); ++i) {
      const std::string name = shown[i]->accessibleName().toStdString();
      const bool works = shown[i]->inherits("QLineEdit") || shown[i]->inherits("QAbstractButton") ||
                         shown[i]->inherits("QComboBox");
      EXPECT_TRUE(window != &designer || !works || !shown[i]->toolTip().isEmpty()) << name;
      EXPECT_TRUE(window->rect().contains(shown[i]->geometry())) << name;
      for (int j = i + 1; j < shown.size(); ++j) {
        EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
            << name << " over " << shown[j]->accessibleName().toStdString();
      }
    }
  }
}

// The dimensions' and layers' labels cover no strip and no other label, at the opening size and
// at 900 x 560 (the fields' two columns leave the picture about 300 pixels wide).
TEST_F(CalculatorWindowTest, LineDesignerPictureLabelsKeepClear) {
  ASSERT_EQ(ui_->TypeAll("WidthField=0.2 HeightField=0.1 DiConstField=3.66"), "");
  LineDesignerWin& designer = OpenWithCtrlD(*window_);
  Retype(designer, "Thickness (mm)", "0.035");
  auto* view = designer.findChild<CrossSectionView*>();
  for (const char* structure : {"Microstrip pair", "Grounded coplanar waveguide pair",
                                "Coated microstrip", "Broadside-coupled stripline pair"}) {
    Pick(designer, "Structure", structure);
    // A pair's strips side by side, a broadside pair's one over the other; never one on the other.
    const auto strips = view->StripRects();
    const bool pair = QString(structure).endsWith("pair");
    ASSERT_EQ(strips.size(), pair ? 2u : 1u) << structure;
    if (pair) {
      EXPECT_FALSE(strips[0].intersects(strips[1])) << structure;
      EXPECT_EQ(std::abs(strips[0].center().x() - strips[1].center().x()) < 1,
                QString(structure).startsWith("Broadside"))
          << structure;
    }
    for (const QSize size : {QSize(1180, 820), QSize(900, 560)}) {
      designer.resize(size);
      QApplication::sendPostedEvents();
      const auto labels = view->Labels();
      EXPECT_GE(labels.size(), 4u) << structure;
      for (std::size_t i = 0; i < labels.size(); ++i) {
        for (std::size_t j = i + 1; j < labels.size(); ++j) {
          EXPECT_FALSE(labels[i].box.intersects(labels[j].box))
              << structure << ' ' << labels[i].text.toStdString() << labels[j].text.toStdString();
        }
        for (const QRectF& strip : view->StripRects()) {
          EXPECT_FALSE(labels[i].box.intersects(strip)) << labels[i].text.toStdString();
        }
      }
    }
  }
}

// The picture's shape is the line typed: the etched strip's foot W wide and its upper face the
// top width, centred over it; the mask a coat over the substrate beside the strip as well as
// over the strip, as thick as typed.
TEST(LineDesignerPicture, DrawsTheEtchedStripAndTheMaskAsTyped) {
  designer::Design design;
  LineInputs& in = design.in;
  in.structure = LineStructure::kCoatedMicrostrip;
  in.width = 0.2, in.topWidth = 0.1, in.height = 0.1, in.thickness = 0.035;
  in.permittivity = 4.3, in.maskThickness = 0.02, in.maskPermittivity = 3.5;
  const LayeredShape shape = designer::ShapeOf(design, LengthUnit::kMillimetre, false);
  ASSERT_EQ(shape.strips.size(), 1u);
  std::vector<QPointF> corners(shape.strips[0].begin(), shape.strips[0].begin() + 4);
  std::sort(corners.begin(), corners.end(),
            [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
  EXPECT_NEAR(std::abs(corners[1].x() - corners[0].x()), 0.2, 1e-12);
  EXPECT_NEAR(std::abs(corners[3].x() - corners[2].x()), 0.1, 1e-12);
  EXPECT_NEAR(corners[2].x() + corners[3].x(), corners[0].x() + corners[1].x(), 1e-12);
  EXPECT_TRUE(shape.mask.contains(QPointF(0.15, 0.11)));    // over the substrate, beside
  EXPECT_TRUE(shape.mask.contains(QPointF(0, 0.145)));      // over the strip
  EXPECT_FALSE(shape.mask.contains(QPointF(0.15, 0.125)));  // above the coat
}

// Closing the window or quitting during a Find stops it: when the pool is done and its answers
// delivered, nothing was written, and a window that is gone was not touched.
TEST_F(CalculatorWindowTest, LineDesignerStopsFindingWhenClosedOrQuit) {
  for (const bool quit : {false, true}) {
    LineDesignerWin& designer = OpenWithCtrlD(*window_);
    const QPointer<LineDesignerWin> open(&designer);
    Retype(designer, "Target impedance (ohm)", "40");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !designer.Solving(); }, 10000));
    const QString width = Find(designer, "Width (mm)")->text();
    QTest::mouseClick(Find<QPushButton>(designer, "Find width"), Qt::LeftButton);
    ASSERT_TRUE(designer.Finding()) << quit;
    if (quit) {
      ASSERT_TRUE(QMetaObject::invokeMethod(qApp, "aboutToQuit"));
    } else {
      designer.close();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      EXPECT_TRUE(open.isNull());
    }
    QThreadPool::globalInstance()->waitForDone();
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    if (quit) {
      EXPECT_EQ(Find(designer, "Width (mm)")->text(), width);
      EXPECT_NE(Message(designer), "Found the width for the target.");
      designer.close();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }
}

// A 0.3 mm microstrip of 35 um copper on 0.17 mm of er 4.1, tan d 0.02, typed; its loss solved.
LineInputs TypeLossyMicrostrip(LineDesignerWin& designer, const char* structure = "Microstrip") {
  Pick(designer, "Structure", structure);
  LineInputs in;
  in.structure = *StructureNamed(QString(structure).toLower().replace(' ', '-').toStdString());
  in.width = in.spacing = 0.3;
  in.height = 0.17;
  in.thickness = 0.035;
  in.permittivity = 4.1;
  for (const auto& [name, text] : {std::pair("Width (mm)", "0.3"),
                                   {"Height (mm)", "0.17"},
                                   {"Thickness (mm)", "0.035"},
                                   {"Dielectric constant", "4.1"},
                                   {"Frequency (GHz)", "10"},
                                   {"Loss tangent", "0.02"}}) {
    Retype(designer, name, text);
  }
  if (in.structure == LineStructure::kMicrostripPair) {
    Retype(designer, "Spacing (mm)", "0.3");
  }
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return !designer.Solving() && !designer.SolvingLoss(); }, 30000));
  return in;
}

std::string LossCell(LineDesignerWin& designer, int row, int column = 2) {
  return Find<QTableWidget>(designer, "Line's loss")->item(row, column)->text().toStdString();
}

// The loss cells read LossOfLine on the same inputs (dB/m, and per inch 0.0254 of it); the
// published cell the Microstrip page's form. Hammerstad and Jensen's roughness, picked, shows
// its rms field alone and raises the conductor loss as LossOfLine does.
TEST_F(CalculatorWindowTest, LineDesignerShowsTheLossAndItsRoughness) {
  LineDesignerWin& designer = OpenWithCtrlD(*window_);
  const LineInputs in = TypeLossyMicrostrip(designer);
  const LossBasis basis = SolveLossBasis(in, SolveLineInputs(in));
  LossInputs loss;
  loss.lossTangent = 0.02;
  const LineLoss smooth = LossOfLine(basis, loss, 10e9);
  const double db = kDecibelsPerNeper;
  EXPECT_EQ(LossCell(designer, 0), Figure(smooth.single.conductor * db, 6));
  EXPECT_EQ(LossCell(designer, 1), Figure(smooth.single.conductor * db * 0.0254, 6));
  EXPECT_EQ(LossCell(designer, 2), Figure(smooth.single.dielectric * db, 6));
  EXPECT_EQ(LossCell(designer, 5), Figure(smooth.single.Total() * db * 0.0254, 6));
  EXPECT_EQ(LossCell(designer, 7), Figure(smooth.skinDepth * 1e6, 6));  // the notes after it
  EXPECT_EQ(LossCell(designer, 0, 1), Figure(PublishedLossOf(in, loss, 10e9).conductor * db));
  EXPECT_FALSE(Find(designer, "Roughness rms (um)")->isVisible());
  Pick(designer, "Roughness", "Hammerstad\u2013Jensen");
  EXPECT_TRUE(Find(designer, "Roughness rms (um)")->isVisible());
  EXPECT_FALSE(Find(designer, "Nodule radius (um)")->isVisible());
  Retype(designer, "Roughness rms (um)", "1.5");
  loss.roughness = RoughnessModel::kHammerstad;
  loss.roughnessRms = 1.5;
  const LineLoss rough = LossOfLine(basis, loss, 10e9);
  EXPECT_GT(rough.single.conductor, 1.2 * smooth.single.conductor);
  EXPECT_EQ(LossCell(designer, 0), Figure(rough.single.conductor * db, 6));
  EXPECT_EQ(LossCell(designer, 6), Figure(rough.roughnessFactor, 6));
  QLineEdit* rms = Find(designer, "Roughness rms (um)");  // a roughness needs its height
  rms->selectAll();
  QTest::keyClick(rms, Qt::Key_Backspace);
  EXPECT_TRUE(Message(designer).startsWith("Roughness rms: \u201C\u201D is not a number"))
      << Message(designer).toStdString();
  Retype(designer, "Roughness rms (um)", "1.5");
  // Copper of 2 um at 1 GHz, under three skin depths: its note below the rows, which keep theirs.
  Retype(designer, "Thickness (mm)", "0.002");
  Retype(designer, "Frequency (GHz)", "1");
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !designer.Solving() && !designer.SolvingLoss(); }, 30000));
  const auto* table = Find<QTableWidget>(designer, "Line's loss");
  EXPECT_EQ(LossCell(designer, 7), Figure(reference::SkinDepthMetres(1e9, 5.8e7) * 1e6, 6));
  EXPECT_NE(table->item(table->rowCount() - 1, 0)->text().indexOf("DC resistance"), -1);
  Retype(designer, "Conductivity (S/m)", "x");
  EXPECT_TRUE(Message(designer).startsWith("Conductivity: \u201Cx\u201D is not a number"));
}

LinePlotPanel& ShowPlot(LineDesignerWin& designer) {
  auto* tabs = designer.findChild<QTabWidget*>();
  QTabBar* bar = tabs->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
  EXPECT_EQ(tabs->currentIndex(), 2);
  return *designer.findChild<LinePlotPanel*>();
}

// The loss plotted over 1 MHz to 100 GHz, then 11 points: the sweep in fieldcalc Sweep's columns
// (model/line_sweep.h), the plot as SVG and PNG, and the pair as a 4-port Touchstone file.
TEST_F(CalculatorWindowTest, LineDesignerPlotsAndSavesTheSweep) {
  LineDesignerWin& designer = OpenWithCtrlD(*window_);
  TypeLossyMicrostrip(designer, "Microstrip pair");
  LinePlotPanel& panel = ShowPlot(designer);
  Pick(designer, "Show", "Loss");
  // Each control of the tab says what it does when hovered and has a name a screen reader says.
  for (QWidget* control : panel.findChildren<QWidget*>()) {
    if (control->isVisible() && (control->inherits("QLineEdit") || control->inherits("QComboBox") ||
                                 control->inherits("QAbstractButton"))) {
      EXPECT_FALSE(control->toolTip().isEmpty() || control->accessibleName().isEmpty())
          << control->metaObject()->className() << ' ' << control->accessibleName().toStdString();
    }
  }
  const PlotData& data = panel.Plot().Data();
  ASSERT_EQ(data.curves.size(), 3u);  // the pair's loss has no published form
  ASSERT_EQ(data.curves[2].points.size(), 101u);
  // At the window's narrowest, in text twice the usual size, the legend runs on to a new row,
  // each entry in view, none over another.
  designer.resize(designer.minimumSizeHint());
  auto* plot = designer.findChild<PlotView*>();
  QFont large = plot->font();
  large.setPointSizeF(2 * large.pointSizeF());
  plot->setFont(large);
  QApplication::sendPostedEvents();
  const std::vector<QRectF> legend = plot->LegendBoxes();
  ASSERT_EQ(legend.size(), 4u);
  EXPECT_GT(legend.back().top(), legend.front().top()) << plot->width();
  for (std::size_t i = 0; i < legend.size(); ++i) {
    EXPECT_TRUE(QRectF(plot->rect()).contains(legend[i])) << i;
    for (std::size_t j = i + 1; j < legend.size(); ++j) {
      EXPECT_FALSE(legend[i].intersects(legend[j])) << i << ' ' << j;
    }
  }
  EXPECT_DOUBLE_EQ(data.curves[2].points.front().x(), 0.001);
  EXPECT_DOUBLE_EQ(data.curves[2].points.back().x(), 100);
  Retype(designer, "Points", "11");
  EXPECT_EQ(panel.Plot().Data().curves[0].points.size(), 11u);
  // The pointer over the plot: its readout, under the plot, names the point under it.
  const QPoint over(plot->width() / 2, plot->height() / 2);
  QTest::mouseMove(plot, over);
  EXPECT_EQ(Find<QLabel>(designer, "Pointer readout")->text(), plot->ReadoutAt(over));
  EXPECT_TRUE(plot->ReadoutAt(over).startsWith("Total (field solver): "));
  const QTemporaryDir dir;
  const auto read = [&dir](const char* name) {
    QFile file(dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  };
  ASSERT_EQ(panel.SaveCsv(dir.filePath("sweep.csv")), "");
  const QStringList lines = read("sweep.csv").split('\n', Qt::SkipEmptyParts);
  EXPECT_EQ(lines.size(), 12);
  EXPECT_EQ(lines[0],
            "frequency_ghz,differential_impedance,odd_impedance,even_impedance,odd_permittivity,"
            "even_permittivity,conductor_loss,dielectric_loss,total_loss");
  for (const auto& [field, bad] : {std::pair{"Length (mm)", "0"}, {"Reference (ohm)", "0"}}) {
    const QString kept = Find(designer, field)->text();
    Retype(designer, field, bad);
    EXPECT_EQ(panel.SaveTouchstone(dir.filePath("bad.s4p")),
              "The length and the reference must be positive numbers.");
    Retype(designer, field, kept);
  }
  ASSERT_EQ(panel.SaveTouchstone(dir.filePath("pair.s4p")), "");
  const QString s4p = read("pair.s4p");
  EXPECT_TRUE(s4p.contains("\n# Hz S RI R 50\n") &&
              s4p.contains("! ports 1 and 3 the near and far ends of line 1"))
      << s4p.left(300).toStdString();
  ASSERT_EQ(panel.SavePicture(dir.filePath("plot.svg")), "");
  EXPECT_TRUE(read("plot.svg").contains("<svg width="));  // a size to open at, as the PNG's
  ASSERT_EQ(panel.SavePicture(dir.filePath("plot.png")), "");
  EXPECT_EQ(QImage(dir.filePath("plot.png")).size(), QSize(960, 600));
  // A new width: until its loss is solved, the last line's curves are gone and none is saved.
  Retype(designer, "Width (mm)", "0.25");
  ASSERT_TRUE(designer.Solving());
  EXPECT_EQ(panel.Plot().Data().note, "Solving the line's loss...");
  EXPECT_EQ(panel.SaveCsv(dir.filePath("old.csv")), "There is no sweep to save yet.");
}

// A width sweep solves point after point; Cancel, clicked once some are done, stops it within a
// solve, keeps the points done, and the window answers a new width as before.
TEST_F(CalculatorWindowTest, LineDesignerCancelsAWidthSweep) {
  LineDesignerWin& designer = OpenWithCtrlD(*window_);
  LineInputs in = TypeLossyMicrostrip(designer);
  LinePlotPanel& panel = ShowPlot(designer);
  Pick(designer, "Plot against", "Width");
  // The range follows the unit: a quarter of the 0.3 mm width and four times it, read in mil.
  Pick(designer, "Units", "mil");
  EXPECT_NEAR(Find(designer, "Start (mil)")->text().toDouble() * 0.0254, 0.075, 1e-9);
  EXPECT_NEAR(Find(designer, "Stop (mil)")->text().toDouble() * 0.0254, 1.2, 1e-9);
  Pick(designer, "Units", "mm");
  Retype(designer, "Points", "200");
  QTest::mouseClick(Find<QPushButton>(designer, "Sweep"), Qt::LeftButton);
  ASSERT_TRUE(panel.Sweeping());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !panel.Plot().Data().curves.empty(); }, 30000));
  QTest::mouseClick(Find<QPushButton>(designer, "Cancel"), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !panel.Sweeping(); }));
  const std::size_t done = panel.Plot().Data().curves[0].points.size();
  EXPECT_TRUE(done > 0 && done < 200) << done;
  EXPECT_DOUBLE_EQ(panel.Plot().Data().curves[0].points.front().x(), 0.075);
  EXPECT_TRUE(Find<QLabel>(designer, "Plot message")->text().startsWith("Cancelled after"));
  EXPECT_TRUE(Find<QPushButton>(designer, "Sweep")->isEnabled());
  Retype(designer, "Width (mm)", "0.25");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !designer.Solving(); }, 30000));
  in.width = 0.25;
  EXPECT_EQ(SolverCell(designer).section(' ', 0, 0).toStdString(),
            Figure(SolveLineInputs(in).single.impedance, 6));
  // A sweep run to its end: every point plotted, the last the line analysed at that width.
  Retype(designer, "Points", "3");
  QTest::mouseClick(Find<QPushButton>(designer, "Sweep"), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !panel.Sweeping(); }, 30000));
  EXPECT_TRUE(Find<QPushButton>(designer, "Sweep")->isEnabled());
  const auto& points = panel.Plot().Data().curves.at(0).points;
  ASSERT_EQ(points.size(), 3u);
  in.width = points.back().x();
  EXPECT_NEAR(points.back().y(), SolveLineInputs(in).single.impedance, 1e-9);
}

}  // namespace
}  // namespace mq::test
