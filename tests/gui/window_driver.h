// SPDX-License-Identifier: MIT
// Drives the real calculator window as a user does: typing, clicking, picking, switching pages.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "model/field_set.h"
#include "tests/support/procedure_checks.h"
#include "ui/macquelvor_wnd.h"

namespace mq::test {

class WindowDriver {
 public:
  explicit WindowDriver(MacQuelvorWnd& window) : window_(window) {}

  check::Texts Snapshot() const;  // every field of the window
  // The texts the procedure leaves over a copy of the window's texts, and its messages.
  check::Texts RunOverACopy(const check::Procedure& procedure,
                            RecordingMessageSink& messages) const;

  // Each returns what went wrong, or an empty text. Typing replaces each field's text by keys.
  std::string TypeAll(std::string_view texts);  // "Name=text Name=text ..."
  std::string Click(std::string_view button);
  std::string ShowPage(int page);
  std::string Pick(std::string_view popup, int row);  // opens the list and clicks the row

 private:
  MacQuelvorWnd& window_;
};

// Each test gets a freshly built window whose messages are recorded.
class CalculatorWindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  MacQuelvorWnd* window_ = nullptr;
  std::unique_ptr<WindowDriver> ui_;
  RecordingMessageSink messages_;
};

// Destroys every open calculator and About window.
void CloseAllWindows();

}  // namespace mq::test
