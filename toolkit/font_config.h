// SPDX-License-Identifier: MIT
// The desktop's font configuration, read on a thread of its own while Qt starts.
#pragma once

namespace mq::toolkit {

// Starts reading fontconfig's configuration and font cache (parsing some fifty XML files, about
// a third of the work before the first window shows) on a second thread, so that it runs while Qt
// loads its platform plugin and connects to the display instead of after. Called first thing in
// main; does nothing where Qt does not use fontconfig.
void StartReadingFontConfig();

// Returns once that reading is done; called before the first font is used, which would otherwise
// read the same configuration a second time instead of waiting for the first. Does nothing if
// the reading was never started.
void WaitForFontConfig();

}  // namespace mq::toolkit
