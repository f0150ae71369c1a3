// Thrown by a class-library call given an argument it cannot work with (for
// example the text of a drop-down entry at an index that names no entry).
// Nothing catches it on the way up: the dialog or window procedure reports it
// to the user (see ExceptionReport.h) and the message it came from ends there.
#pragma once

#include <stdexcept>

class CInvalidArgException : public std::invalid_argument {
public:
    CInvalidArgException() : std::invalid_argument("invalid argument") {}
};
