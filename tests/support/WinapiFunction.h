// A plain WINAPI function address that forwards to a lambda while the object
// lives, for stand-ins the code under test receives as an address (the answer
// of a faked GetProcAddress) rather than through the seam:
//   std::vector<std::string> events;
//   WinapiFunction<BOOL(PVOID*)> disable([&](PVOID*) { events.push_back("disable"); return TRUE; });
//   ... GetProcAddress stand-in returns disable.proc() ...
// The address is one static trampoline per signature and tag; objects of the
// same signature and tag nest like ScopedApiOverride, the innermost answering.
#pragma once

#include "support/Uncopyable.h"

#include <windows.h>

#include <functional>
#include <utility>

template <class Signature, int Tag = 0>
class WinapiFunction;

template <class R, class... Args, int Tag>
class WinapiFunction<R(Args...), Tag> : Uncopyable {
public:
    template <class StandIn>
    explicit WinapiFunction(StandIn standIn) : m_outer(std::move(s_standIn))
    {
        s_standIn = std::move(standIn);
    }
    ~WinapiFunction() { s_standIn = std::move(m_outer); }

    FARPROC proc() const { return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&Trampoline)); }

private:
    static R WINAPI Trampoline(Args... args) { return s_standIn(args...); }

    static inline std::function<R(Args...)> s_standIn;
    std::function<R(Args...)> m_outer;
};
