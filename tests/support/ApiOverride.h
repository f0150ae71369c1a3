// Replaces one entry of the platform seam for the lifetime of the object and
// puts the previous one back afterwards, also when the test fails half-way.
// The stand-in may be a lambda that captures the test's own state:
//   int opens = 0;
//   ScopedApiOverride<&Win32Api::OpenMutexA> o([&](DWORD, BOOL, LPCSTR) {
//       ++opens;
//       SetLastError(ERROR_ACCESS_DENIED);
//       return HANDLE(nullptr);
//   });
// The seam holds plain WINAPI function pointers, so each entry gets one static
// trampoline that forwards to the stand-in of the innermost live override.
// Overrides of one entry nest; a stand-in may call saved(), the entry that was
// there before (the real function unless another override is live).
#pragma once

#include "classlib/Win32Api.h"

#include <functional>
#include <utility>

template <auto Entry>
class ScopedApiOverride;

template <class R, class... Args, R (WINAPI* Win32Api::*Entry)(Args...)>
class ScopedApiOverride<Entry> {
public:
    using Fn = R(WINAPI*)(Args...);

    template <class StandIn>
    explicit ScopedApiOverride(StandIn standIn) : m_saved(Win32().*Entry), m_outerStandIn(std::move(s_standIn))
    {
        s_standIn = std::move(standIn);
        Win32().*Entry = &Trampoline;
    }
    ~ScopedApiOverride()
    {
        Win32().*Entry = m_saved;
        s_standIn = std::move(m_outerStandIn);
    }
    ScopedApiOverride(const ScopedApiOverride&) = delete;
    ScopedApiOverride& operator=(const ScopedApiOverride&) = delete;

    Fn saved() const { return m_saved; }

private:
    static R WINAPI Trampoline(Args... args) { return s_standIn(args...); }

    static inline std::function<R(Args...)> s_standIn;
    Fn m_saved;
    std::function<R(Args...)> m_outerStandIn;
};
