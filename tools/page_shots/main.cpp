// SPDX-License-Identifier: MIT
// Writes a PNG of each page of the calculator window, of the cross-check window, of the Line
// Designer on two structures and of its loss plot, and of the About window:
//   page_shots OUTPUT_DIRECTORY
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QSettings>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <utility>

#include "app/about_win.h"
#include "app/app.h"
#include "app/start_up.h"
#include "toolkit/tab_panel.h"
#include "ui/cross_check_win.h"
#include "ui/line_designer_win.h"
#include "ui/macquelvor_wnd.h"

namespace {

bool Save(QWidget& window, const QDir& directory, const QString& name) {
  const QString path = directory.filePath(name + QStringLiteral(".png"));
  if (!window.grab().save(path)) {
    std::fprintf(stderr, "page_shots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

// The Line Designer on a structure, its fields typed as a user types them, once the solver has
// answered and the picture is drawn.
bool SaveDesigner(mq::MacQuelvorWnd& window, const QDir& directory, const QString& name,
                  const QString& structure, const QString& unit,
                  std::initializer_list<std::pair<const char*, const char*>> texts) {
  mq::LineDesignerWin& designer = mq::LineDesignerWin::Show(window);
  for (QComboBox* popup : designer.findChildren<QComboBox*>()) {
    if (popup->accessibleName() == "Units" || popup->accessibleName() == "Structure") {
      const QString pick = popup->accessibleName() == "Units" ? unit : structure;
      popup->setCurrentIndex(popup->findText(pick));
    }
  }
  for (const auto& [field, text] : texts) {
    for (QLineEdit* edit : designer.findChildren<QLineEdit*>()) {
      if (edit->accessibleName() == QLatin1String(field)) {
        edit->setText(QLatin1String(text));
      }
    }
  }
  const bool done =
      QTest::qWaitFor([&designer] { return !designer.Solving() && !designer.Drawing(); }, 20000);
  return Save(designer, directory, name) && done;
}

// The Line Designer's plot of a microstrip's loss against frequency, its copper rough, once the
// loss is solved.
bool SaveLossPlot(mq::MacQuelvorWnd& window, const QDir& directory) {
  mq::LineDesignerWin& designer = mq::LineDesignerWin::Show(window);
  for (QComboBox* popup : designer.findChildren<QComboBox*>()) {
    const QString name = popup->accessibleName();
    const QString pick = name == "Structure"   ? "Microstrip"
                         : name == "Roughness" ? "Huray"
                         : name == "Units"     ? "mm"
                                               : "Loss";
    if (name == "Structure" || name == "Roughness" || name == "Show" || name == "Units") {
      popup->setCurrentIndex(popup->findText(pick));
    }
  }
  for (QLineEdit* edit : designer.findChildren<QLineEdit*>()) {
    const QString name = edit->accessibleName();
    const char* text = name == "Width (mm)"            ? "0.3"
                       : name == "Height (mm)"         ? "0.17"
                       : name == "Thickness (mm)"      ? "0.035"
                       : name == "Dielectric constant" ? "4.1"
                       : name == "Loss tangent"        ? "0.02"
                                                       : nullptr;
    if (text != nullptr) {
      edit->setText(QLatin1String(text));
    }
  }
  designer.findChild<QTabWidget*>()->setCurrentIndex(2);
  const bool done = QTest::qWaitFor(
      [&designer] { return !designer.Solving() && !designer.SolvingLoss() && !designer.Drawing(); },
      20000);
  return Save(designer, directory, QStringLiteral("line-designer-loss")) && done;
}

}  // namespace

int main(int argc, char** argv) {
  mq::App app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() != 2) {
    std::fprintf(stderr, "usage: page_shots OUTPUT_DIRECTORY\n");
    return 2;
  }
  const QDir directory(arguments[1]);
  if (!directory.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "page_shots: cannot create %s\n", qPrintable(arguments[1]));
    return 1;
  }
  // The pictures show the structures typed here, never the last run's Line Designer.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  mq::MacQuelvorWnd& window = mq::StartUp(app);
  const QString pages[] = {QStringLiteral("microstrip"), QStringLiteral("stripline"),
                           QStringLiteral("coaxial")};
  bool saved = true;
  for (int page = 1; page <= 3; ++page) {
    window.Tabs().TabBar()->setCurrentIndex(page - 1);
    // The page's picture arrives just after its first paint.
    window.grab();
    QTest::qWait(50);
    saved = Save(window, directory, pages[page - 1]) && saved;
  }
  // The cross-check of a 3 mm strip on 1.6 mm FR-4 at 10 GHz, with the microstrip page shown, once
  // the field solver has answered.
  window.Tabs().TabBar()->setCurrentIndex(0);
  for (const auto& [field, text] :
       {std::pair("WidthField", "3"), std::pair("HeightField", "1.6"),
        std::pair("DiConstField", "4.6"), std::pair("FreqField", "10")}) {
    window.Fields().SetText(field, text);
  }
  window.PhyToElBtn_Action();
  mq::CrossCheckWin& crossCheck = mq::CrossCheckWin::Show(window);
  saved = QTest::qWaitFor([&crossCheck] { return !crossCheck.Solving(); }, 10000) && saved;
  saved = Save(crossCheck, directory, QStringLiteral("cross-check")) && saved;
  // A grounded coplanar waveguide on 0.5 mm of er 4.3 in mm, and a microstrip pair in mil with
  // one-ounce copper.
  saved = SaveDesigner(window, directory, QStringLiteral("line-designer-gcpw"),
                       QStringLiteral("Grounded coplanar waveguide"), QStringLiteral("mm"),
                       {{"Width (mm)", "0.5"},
                        {"Gap to ground (mm)", "0.2"},
                        {"Height (mm)", "0.5"},
                        {"Thickness (mm)", "0.035"},
                        {"Dielectric constant", "4.3"}}) &&
          saved;
  saved = SaveDesigner(window, directory, QStringLiteral("line-designer-microstrip-pair"),
                       QStringLiteral("Microstrip pair"), QStringLiteral("mil"),
                       {{"Width (mil)", "6"},
                        {"Spacing (mil)", "6"},
                        {"Height (mil)", "4"},
                        {"Thickness (mil)", "1oz"},
                        {"Dielectric constant", "3.66"},
                        {"Target differential impedance (ohm)", "100"}}) &&
          saved;
  saved = SaveLossPlot(window, directory) && saved;
  app.AppleMacQuelvor_Action();
  QCoreApplication::processEvents();
  saved = Save(mq::AboutWin::Instance(), directory, QStringLiteral("about")) && saved;
  return saved ? 0 : 1;
}
