// printMarked with fuzzed format text and a few arguments: formatting,
// colour markup, pauses, word wrapping and the scrollback.
//
// Input: byte 0 chooses the arguments and the scrolling, bytes 1-8 an
// integer, bytes 9-16 a double, then the format text, a zero byte and
// the text given for %s.
#include <cstdint>
#include <cstring>
#include <string>

#include "console/Input.h"
#include "console/MemoryConsole.h"
#include "console/Output.h"

namespace {
constexpr std::size_t kHeader = 17;

template <class T>
T readValue(const std::uint8_t* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryConsole screen;
    setConsole(&screen);
    if (size < kHeader) return 0;
    std::uint8_t choice = data[0];
    long long number = readValue<long long>(data + 1);
    double real = readValue<double>(data + 9);
    std::string rest(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
    std::size_t zero = rest.find('\0');
    std::string format = rest.substr(0, zero);
    std::string text = zero == std::string::npos ? std::string("word") : rest.substr(zero + 1);

    resetInputState();
    clearScrollback();
    // Start part-way along a line now and then, so wrapping begins mid-line.
    if (choice & 0x80) printMarked("%s", std::string(choice & 0x3F, 'x'));
    switch (choice % 6) {
        case 0: printMarked(format.c_str()); break;
        case 1: printMarked(format.c_str(), static_cast<int>(number)); break;
        case 2: printMarked(format.c_str(), text, static_cast<int>(number)); break;
        case 3: printMarked(format.c_str(), real, text, static_cast<char>(number)); break;
        case 4: printMarked(format.c_str(), static_cast<unsigned>(number), text.c_str(), real, number); break;
        default: printMarked(format.c_str(), text, text, static_cast<const void*>(&screen), static_cast<short>(number)); break;
    }
    if (choice & 0x40) {
        for (int i = 0; i < (choice & 0x0F); ++i) scrollViewUp();
        scrollViewDown();
    }
    (void)stripMarkup(format);
    std::string wrapped = format;
    wrapMarkedText(wrapped, choice % kTextWidth);
    return 0;
}
