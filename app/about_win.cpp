// SPDX-License-Identifier: MIT
#include "app/about_win.h"

#include <QApplication>
#include <QLayout>
#include <QVBoxLayout>
#include <string>

#include "app/version.h"
#include "toolkit/application.h"
#include "toolkit/open_window.h"
#include "toolkit/window_builder.h"
#include "ui/pictures.h"

namespace mq {
namespace {

using toolkit::Alignment;
using toolkit::ControlKind;
using toolkit::FontRole;

const toolkit::WindowProperties kAboutWindow = {
    .title = "About MacQuelvor",
    .contentWidth = 230,
    .contentHeight = 120,
    .closeButton = true,
    .maximizeButton = false,
    .minimizeButton = true,
};

const std::string& Credits() {
  static const std::string credits = std::string(kVersionText) +
                                     "\r\r"
                                     "(c) 2026 The MacQuelvor team\r"
                                     "Feedback: see the README";
  return credits;
}

std::span<const toolkit::ControlRow> AboutControls() {
  static const toolkit::ControlRow kRows[] = {
      {.name = "StaticText1",
       .kind = ControlKind::kLabel,
       .parent = "",
       .page = 0,
       .geometry = {13, 13, 206, 25},
       .text = "MacQuelvor",
       .alignment = Alignment::kCentre,
       .fontSize = 14,
       .fontRole = FontRole::kSystem,
       .bold = true},
      {.name = "StaticText2",
       .kind = ControlKind::kLabel,
       .parent = "",
       .page = 0,
       .geometry = {13, 44, 206, 50},
       .text = Credits(),
       .alignment = Alignment::kCentre,
       .fontSize = 10,
       .fontRole = FontRole::kSystem},
  };
  return kRows;
}

}  // namespace

AboutWin* AboutWin::OpenInstance() {
  return toolkit::FindOpenWindow<AboutWin>();
}

AboutWin& AboutWin::Instance() {
  if (AboutWin* open = OpenInstance()) {
    return *open;
  }
  auto* about = new AboutWin;
  about->show();
  return *about;
}

AboutWin::AboutWin() {
  setAttribute(Qt::WA_DeleteOnClose);
  auto* content = new QWidget(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(content);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  toolkit::ApplyWindowProperties(*this, *content, kAboutWindow);
  controls_ = toolkit::BuildControls(*content, AboutControls(), ui::ApplicationPictures());
  // Quit and the other application shortcuts work while About is the active window.
  if (auto* app = toolkit::Application::Instance()) {
    app->AttachShortcuts(*this);
  }
}

}  // namespace mq
