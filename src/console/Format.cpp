#include "console/Format.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {
// A double beyond the integer range (or NaN) has no integer value: it is
// held at the nearest end instead of being converted blindly.
long long doubleAsInteger(double d) {
    using Limits = std::numeric_limits<long long>;
    if (std::isnan(d)) return 0;
    if (d >= 9.2e18) return Limits::max();
    if (d <= -9.2e18) return Limits::min();
    return static_cast<long long>(d);
}

long long asSigned(const FormatArg& a) {
    switch (a.kind) {
        case FormatArg::Kind::Signed: return a.i;
        case FormatArg::Kind::Unsigned: return static_cast<long long>(a.u);
        case FormatArg::Kind::Double: return doubleAsInteger(a.d);
        default: return 0;
    }
}
unsigned long long asUnsigned(const FormatArg& a) {
    if (a.kind == FormatArg::Kind::Unsigned) return a.u;
    // Like printf, a negative int printed unsigned shows its 32-bit pattern.
    if (a.kind == FormatArg::Kind::Signed) return static_cast<unsigned>(static_cast<int>(a.i));
    return static_cast<unsigned long long>(asSigned(a));
}
double asDouble(const FormatArg& a) {
    switch (a.kind) {
        case FormatArg::Kind::Double: return a.d;
        case FormatArg::Kind::Signed: return static_cast<double>(a.i);
        case FormatArg::Kind::Unsigned: return static_cast<double>(a.u);
        default: return 0;
    }
}

void appendNumber(std::string& out, const char* conversion, double value) {
    char buf[512];
    std::snprintf(buf, sizeof buf, conversion, value);
    out += buf;
}
void appendUnsigned(std::string& out, const char* conversion, unsigned long long value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, conversion, value);
    out += buf;
}
}  // namespace

bool formatMarked(std::string_view format, const FormatArg* args, std::size_t count, std::string& out) {
    static const FormatArg none(static_cast<const char*>(""));
    std::size_t next = 0;
    auto arg = [&]() -> const FormatArg& { return next < count ? args[next++] : none; };
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%') { out += c; continue; }
        if (i + 1 >= format.size()) return false;
        char conv = format[++i];
        switch (conv) {
            case 'd': case 'i': out += std::to_string(asSigned(arg())); break;
            case 'u': appendUnsigned(out, "%llu", asUnsigned(arg())); break;
            case 'o': appendUnsigned(out, "%llo", asUnsigned(arg())); break;
            case 'x': appendUnsigned(out, "%llx", asUnsigned(arg())); break;
            case 'X': appendUnsigned(out, "%llX", asUnsigned(arg())); break;
            case 'c': out += static_cast<char>(asSigned(arg())); break;
            case 's': {
                const FormatArg& a = arg();
                if (a.kind == FormatArg::Kind::Text) out += a.s;
                break;
            }
            case 'f': appendNumber(out, "%f", asDouble(arg())); break;
            case 'e': appendNumber(out, "%e", asDouble(arg())); break;
            case 'E': appendNumber(out, "%E", asDouble(arg())); break;
            case 'g': appendNumber(out, "%g", asDouble(arg())); break;
            case 'G': appendNumber(out, "%G", asDouble(arg())); break;
            case 'p': {
                char buf[32];
                std::snprintf(buf, sizeof buf, "%p", arg().p);
                out += buf;
                break;
            }
            case '%': out += '%'; break;
            default: return false;
        }
    }
    return true;
}
