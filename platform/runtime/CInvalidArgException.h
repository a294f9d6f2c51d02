#pragma once

#include <stdexcept>

// The framework's invalid-argument error: an index outside an array, a control id a dialog does
// not have.
class CInvalidArgException : public std::invalid_argument {
public:
    CInvalidArgException() : std::invalid_argument("invalid argument") {}
};
