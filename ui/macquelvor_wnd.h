// SPDX-License-Identifier: MIT
// The calculator window: three pages of named fields, two arrow buttons and two material popups
// each. It computes nothing itself; its handlers run the line models and material handlers
// over its fields.
#pragma once

#include <QMainWindow>
#include <memory>

#include "model/field_set.h"
#include "toolkit/controls.h"
#include "toolkit/message_box_sink.h"
#include "toolkit/qt_field_set.h"

class QLabel;

namespace mq::toolkit {
class TabPanel;
}

namespace mq {

class MacQuelvorWnd final : public QMainWindow {
  Q_OBJECT

 public:
  // The open calculator window, or a newly built one, shown at once with page 1 selected.
  static MacQuelvorWnd& Instance();

  const toolkit::Controls& Controls() const { return controls_; }
  FieldSet& Fields() { return fields_; }
  toolkit::TabPanel& Tabs() const;

  // Runs the shown page's "<-" (analysis) or "->" (synthesis) exactly as a click on it does.
  void RunShownPage(bool analysis);
  // The shown page as plain text, a line per popup and field in reading order:
  // "Dielectric: Air", "Width: 2.9 mm".
  QString PageText() const;

  // Where ShowMessage goes; tests put a recorder here. Null restores the modal message box.
  void SetMessageSink(MessageSink* sink);

  void ElToPhyBtn_Action();
  void PhyToElBtn_Action();
  void DiPopup2_Change();
  void ConPopup2_Change();
  void DiPopup3_Change();
  void ConPopup3_Change();
  void ElToPhyBtn2_Action();
  void PhyToElBtn2_Action();
  void ElToPhyBtn3_Action();
  void PhyToElBtn3_Action();
  void DiPopup_Change();
  void ConPopup_Change();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  MacQuelvorWnd();

  int SelectedRow(std::string_view popup) const;
  void ConnectEvents();
  void SetKeyboardOrder();
  void SetAccessibleNames();
  void LinkCaption(QLabel& caption, QWidget& control);

  toolkit::Controls controls_;
  toolkit::QtFieldSet fields_{controls_};
  toolkit::MessageBoxSink messageBox_{this};
  MessageSink* messages_ = &messageBox_;
};

}  // namespace mq
