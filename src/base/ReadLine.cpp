#include "base/ReadLine.h"

std::string readLine(std::istream& in) {
    std::string line;
    std::streambuf* buf = in.rdbuf();
    if (!buf || !in.good()) {
        in.setstate(std::ios::eofbit);
        return line;
    }
    while (true) {
        int c = buf->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            break;
        }
        if (c == '\n' || c == 0xFF) break;
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}
