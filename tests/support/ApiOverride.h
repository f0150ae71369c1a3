// Replaces one entry of the platform seam for the lifetime of the object and
// puts the real one back afterwards, also when the test fails half-way.
//   ScopedApiOverride o(Win32().OpenMutexA, &FakeOpenMutexDenied);
#pragma once

#include "classlib/Win32Api.h"

template <class Fn>
class ScopedApiOverride {
public:
    ScopedApiOverride(Fn& slot, Fn fake) : m_slot(slot), m_saved(slot) { m_slot = fake; }
    ~ScopedApiOverride() { m_slot = m_saved; }
    ScopedApiOverride(const ScopedApiOverride&) = delete;
    ScopedApiOverride& operator=(const ScopedApiOverride&) = delete;
    Fn saved() const { return m_saved; }

private:
    Fn& m_slot;
    Fn m_saved;
};

template <class Fn>
ScopedApiOverride(Fn&, Fn) -> ScopedApiOverride<Fn>;
