// SPDX-License-Identifier: MIT
#include "toolkit/font_config.h"

#ifdef MACQUELVOR_FONTCONFIG
#include <fontconfig/fontconfig.h>

#include <thread>
#endif

namespace mq::toolkit {

#ifdef MACQUELVOR_FONTCONFIG

namespace {

// Joined on destruction too, should the program end before its first window.
std::jthread& Reader() {
  static std::jthread reader;
  return reader;
}

}  // namespace

void StartReadingFontConfig() {
  // FcInit installs the configuration it reads as the current one; Qt's own FcInit then finds it.
  Reader() = std::jthread([] { FcInit(); });
}

void WaitForFontConfig() {
  if (Reader().joinable()) {
    Reader().join();
  }
}

#else

void StartReadingFontConfig() {}
void WaitForFontConfig() {}

#endif

}  // namespace mq::toolkit
