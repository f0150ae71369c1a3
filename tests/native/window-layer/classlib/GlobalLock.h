// Native stand-in: a lock that holds no block (see Edit.h in this folder).
#pragma once

#include "classlib/Edit.h"

class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL) {}
    void* Get() const { return nullptr; }
};
