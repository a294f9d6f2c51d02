#pragma once

#include <cstdlib>
#include <string>
#include <string_view>

// A model of the data file's number grammar, to check atof against: the longest prefix that
// fits  [white space] [+|-] (digits [. [digits]] | . digits) [(e|E|d|D) [+|-] digits],
// rewritten in the plain form "-123.45e-6". The value of that form comes from a separate,
// correctly rounded conversion (the host's strtod, used here only as a reference).
namespace model {

inline bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number at the start of text in plain form, or empty when there is none.
inline std::string PlainNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() &&
           std::string_view(" \t\n\v\f\r").find(text[i]) != std::string_view::npos)
        ++i;
    std::string plain;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    size_t digits = 0;
    for (; i < text.size() && IsAsciiDigit(text[i]); ++i, ++digits) plain += text[i];
    if (i < text.size() && text[i] == '.') {
        plain += text[i++];
        for (; i < text.size() && IsAsciiDigit(text[i]); ++i, ++digits) plain += text[i];
    }
    if (digits == 0) return "";
    if (i < text.size() && std::string_view("eEdD").find(text[i]) != std::string_view::npos) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        if (j < text.size() && IsAsciiDigit(text[j])) {
            for (; j < text.size() && IsAsciiDigit(text[j]); ++j) exponent += text[j];
            plain += exponent;
        }
    }
    return plain;
}

// What atof must give for text.
inline double ExpectedAtof(std::string_view text) {
    const std::string plain = PlainNumber(text);
    if (plain.empty()) return 0.0;
    return std::strtod(plain.c_str(), nullptr);
}

}  // namespace model
