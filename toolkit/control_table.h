// SPDX-License-Identifier: MIT
// A window described as data: its properties and one row per named control, in creation order.
#pragma once

#include <string_view>

namespace mq::toolkit {

enum class ControlKind {
  kTabPanel,
  kGroupBox,
  kLabel,
  kEditField,
  kPopupMenu,
  kPushButton,
  kImageWell
};

enum class Alignment { kDefault, kLeft, kRight, kCentre };

enum class FontRole { kSystem, kGeneva };

struct Geometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Geometry is in content-area coordinates of the window, also for controls placed on a tab page
// or in a group box; the builder converts it for the parent. Page 0 means on the window itself.
struct ControlRow {
  std::string_view name;
  ControlKind kind;
  std::string_view parent;  // a group box's name, or empty for the page (or window) itself
  int page;
  Geometry geometry;
  std::string_view text;  // caption, initial text, tab captions or popup items ('\r'-separated)
  Alignment alignment = Alignment::kDefault;
  int pictureId = 0;                      // image wells: the picture resource shown
  int fontSize = 0;                       // 0: the size common to the kind
  FontRole fontRole = FontRole::kGeneva;  // only read when fontSize is given
  bool bold = false;
};

struct WindowProperties {
  std::string_view title;
  int contentWidth;
  int contentHeight;
  bool closeButton;
  bool maximizeButton;
  bool minimizeButton;
};

}  // namespace mq::toolkit
