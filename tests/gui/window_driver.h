// SPDX-License-Identifier: MIT
// Drives the real calculator window as a user does: typing, clicking, picking popup rows,
// switching pages. Each test gets a freshly built window whose messages are recorded.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <string_view>

#include "model/field_set.h"
#include "ui/macquelvor_wnd.h"

namespace mq::test {

class CalculatorWindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QLineEdit* Field(std::string_view name) const;
  std::string Text(std::string_view name) const;
  // Replaces the field's text by typing, as a user does after selecting what is there.
  void Type(std::string_view name, std::string_view text);
  void Click(std::string_view button);
  void ShowPage(int page);
  // Opens the popup's list and clicks the row.
  void Pick(std::string_view popup, int row);

  MacQuelvorWnd* window_ = nullptr;
  RecordingMessageSink messages_;
};

// Destroys every open calculator and About window.
void CloseAllWindows();

}  // namespace mq::test
