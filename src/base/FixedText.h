#pragma once
// A zero-terminated text of at most N-1 characters stored inline.
// Every write is cut at the capacity, so a long line from a data file
// can never run past the field that holds it.
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t N>
class FixedText {
    static_assert(N >= 1);

public:
    static constexpr std::size_t capacity = N - 1;

    FixedText() { buf_[0] = '\0'; }
    FixedText(std::string_view s) { assign(s); }
    FixedText(const char* s) { assign(s ? std::string_view(s) : std::string_view()); }

    FixedText& operator=(std::string_view s) { return assign(s); }
    FixedText& operator=(const char* s) { return assign(s ? std::string_view(s) : std::string_view()); }
    FixedText& operator=(const std::string& s) { return assign(std::string_view(s)); }

    FixedText& assign(std::string_view s) {
        len_ = s.size() < capacity ? s.size() : capacity;
        std::memmove(buf_, s.data(), len_);
        buf_[len_] = '\0';
        return *this;
    }
    FixedText& append(std::string_view s) {
        std::size_t room = capacity - len_;
        std::size_t n = s.size() < room ? s.size() : room;
        std::memmove(buf_ + len_, s.data(), n);
        len_ += n;
        buf_[len_] = '\0';
        return *this;
    }
    FixedText& operator+=(std::string_view s) { return append(s); }
    void clear() { len_ = 0; buf_[0] = '\0'; }

    const char* c_str() const { return buf_; }
    std::size_t size() const { return len_; }
    bool empty() const { return len_ == 0; }
    std::string_view view() const { return {buf_, len_}; }
    std::string str() const { return {buf_, len_}; }
    operator std::string_view() const { return view(); }
    char operator[](std::size_t i) const { return i < len_ ? buf_[i] : '\0'; }

    friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const FixedText& a, const char* b) { return a.view() == std::string_view(b); }

private:
    char buf_[N];
    std::size_t len_ = 0;
};
