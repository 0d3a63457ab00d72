#include "screencalc_cli.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // No setlocale: the program stays in the "C" locale whatever LANG says,
    // and prints no number through the streams anyway.
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return screencalc::runScreencalc(args, std::cin, std::cout, std::cerr);
}
