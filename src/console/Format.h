#pragma once
// The game's small printf: conversions d i o u x X c s f e E g G p and %%,
// with no flags, widths or length modifiers. Arguments are type-safe.
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/FixedText.h"

struct FormatArg {
    enum class Kind { Signed, Unsigned, Double, Text, Pointer } kind;
    long long i = 0;
    unsigned long long u = 0;
    double d = 0;
    std::string_view s;
    const void* p = nullptr;

    FormatArg(char c) : kind(Kind::Signed), i(static_cast<unsigned char>(c)) {}
    template <class T, std::enable_if_t<std::is_integral_v<T> && std::is_signed_v<T> && !std::is_same_v<T, char>, int> = 0>
    FormatArg(T v) : kind(Kind::Signed), i(v) {}
    template <class T, std::enable_if_t<std::is_integral_v<T> && std::is_unsigned_v<T>, int> = 0>
    FormatArg(T v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(double v) : kind(Kind::Double), d(v) {}
    FormatArg(const char* v) : kind(Kind::Text), s(v ? std::string_view(v) : std::string_view("(null)")) {}
    FormatArg(std::string_view v) : kind(Kind::Text), s(v) {}
    FormatArg(const std::string& v) : kind(Kind::Text), s(v) {}
    template <std::size_t N>
    FormatArg(const FixedText<N>& v) : kind(Kind::Text), s(v.view()) {}
    FormatArg(const void* v) : kind(Kind::Pointer), p(v) {}
};

// Formats into out; false when a '%' is followed by no valid conversion.
bool formatMarked(std::string_view format, const FormatArg* args, std::size_t count, std::string& out);
