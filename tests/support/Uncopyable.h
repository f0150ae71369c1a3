// Base of the support objects that hold an override, a window or a recording
// for their lifetime: a copy would undo the override twice or record into the
// wrong object.
#pragma once

class Uncopyable {
protected:
    Uncopyable() = default;
    ~Uncopyable() = default;
    Uncopyable(const Uncopyable&) = delete;
    Uncopyable& operator=(const Uncopyable&) = delete;
};
