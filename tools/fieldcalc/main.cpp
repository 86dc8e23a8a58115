// SPDX-License-Identifier: MIT
#include <iostream>
#include <string>
#include <vector>

#include "tools/fieldcalc/fieldcalc.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return mq::RunFieldCalc(args, std::cin, std::cout, std::cerr);
}
