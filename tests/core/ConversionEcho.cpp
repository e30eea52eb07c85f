// Prints what every conversion makes of each file's text, one line a file, so that two builds
// (native, and WebAssembly under node) can be compared byte for byte on the fuzz corpus.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "runtime/NumberText.h"

int main(int argc, char** argv) {
    using namespace velmarith;
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(file)), {});
        const auto integer = TextToInteger(text);
        const auto single = TextToSingle(text);
        const auto number = TextToDouble(text);
        std::cout << (integer ? IntegerToText(*integer) : "-") << '\t'
                  << (single ? SingleToText(*single) : "-") << '\t'
                  << (number ? DoubleToText(*number) + " " + DoubleToShortText(*number) : "-")
                  << '\t' << (number ? SingleToText(RoundToSingle(*number).value_or(0)) : "-")
                  << '\n';
    }
    return 0;
}
