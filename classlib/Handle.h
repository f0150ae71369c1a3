// One owner for every kind of handle: closes it when it goes out of scope,
// on every path. Uncopyable; ownership moves, or leaves with Detach.
//
//   CHandle mutex(Win32().CreateMutexA(...));        // CloseHandle
//   CPrinterHandle printer(...);                      // ClosePrinter
//
// Each kind is a traits class naming the handle type, its empty value and
// the call that closes it. Closing goes through the platform seam where the
// tests count or fake the call.
#pragma once

#include "classlib/Win32Api.h"

template <class Traits>
class CScopedHandle {
public:
    using Handle = typename Traits::Handle;

    CScopedHandle() = default;
    explicit CScopedHandle(Handle handle) : m_handle(handle) {}
    ~CScopedHandle() { Reset(); }

    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;
    CScopedHandle(CScopedHandle&& other) noexcept : m_handle(other.Detach()) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }

    Handle Get() const { return m_handle; }
    bool IsValid() const { return m_handle != Traits::Empty(); }

    // Gives the handle up without closing it.
    Handle Detach()
    {
        Handle handle = m_handle;
        m_handle = Traits::Empty();
        return handle;
    }

    // Closes the held handle (if any) and takes the new one.
    void Reset(Handle handle = Traits::Empty())
    {
        if (IsValid())
            Traits::Close(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = Traits::Empty();
};

// Kernel objects (mutexes, processes ...): null when empty.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { Win32().CloseHandle(h); }
};

// Files from CreateFile: INVALID_HANDLE_VALUE when empty.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { Win32().CloseHandle(h); }
};

struct PrinterHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { Win32().ClosePrinter(h); }
};

struct ServiceHandleTraits {
    using Handle = SC_HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { Win32().CloseServiceHandle(h); }
};

// A library loaded for one lookup.
struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { Win32().FreeLibrary(h); }
};

// A fixed global-memory block (GMEM_FIXED: the handle is the address).
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { GlobalFree(h); }
};

// A FindFirstFileA search: INVALID_HANDLE_VALUE when empty.
struct FindTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};

// An open registry key.
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};

using CHandle = CScopedHandle<KernelHandleTraits>;
using CFileHandle = CScopedHandle<FileHandleTraits>;
using CPrinterHandle = CScopedHandle<PrinterHandleTraits>;
using CServiceHandle = CScopedHandle<ServiceHandleTraits>;
using CLibraryHandle = CScopedHandle<LibraryTraits>;
using CGlobalMemory = CScopedHandle<GlobalMemoryTraits>;
using CFindHandle = CScopedHandle<FindTraits>;
using CRegKey = CScopedHandle<RegKeyTraits>;
