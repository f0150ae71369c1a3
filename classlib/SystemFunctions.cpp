#include "classlib/SystemFunctions.h"

#include "classlib/SystemLibrary.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// Stand-in for a function the system does not have (every one bound here
// returns BOOL).
template <class... Args>
BOOL WINAPI Missing(Args...)
{
    SetLastError(ERROR_PROC_NOT_FOUND);
    return FALSE;
}

// Binds the entries named in order, all or none.
class Binder {
public:
    Binder(HMODULE module, decltype(&::GetProcAddress) lookup) : m_module(module), m_lookup(lookup) {}

    template <class... Args>
    void operator()(BOOL(WINAPI*& entry)(Args...), const char* name)
    {
        m_complete =
            m_complete && m_module &&
            (entry = reinterpret_cast<BOOL(WINAPI*)(Args...)>(reinterpret_cast<void*>(m_lookup(m_module, name))));
        m_fallbacks.push_back([&entry] { entry = &Missing<Args...>; });
    }
    // Puts the stand-ins in when any entry was missing.
    void Finish()
    {
        if (!m_complete)
            for (const auto& fallback : m_fallbacks)
                fallback();
    }

private:
    HMODULE m_module;
    decltype(&::GetProcAddress) m_lookup;
    bool m_complete = true;
    std::vector<std::function<void()>> m_fallbacks;
};

// The real system directory, loader and lookup, not the seam's: a binding is
// made once for the whole process, and a test's stand-in that happens to be
// live then must not decide it.
HMODULE LoadForProcess(const char* fileName)
{
    const std::string path = SystemFilePath(fileName, &::GetSystemDirectoryA);
    return path.empty() ? nullptr : ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace

// Each function of the list looked up by its name, in the list's order.
#define KPX_BIND_ENTRY(name) bind(f.name, #name);

SpoolerFunctions BindSpooler(HMODULE module, decltype(&::GetProcAddress) lookup)
{
    SpoolerFunctions f = {};
    Binder bind(module, lookup);
    KPX_SPOOLER_FUNCTIONS(KPX_BIND_ENTRY)
    bind.Finish();
    return f;
}

CommonDialogFunctions BindCommonDialogs(HMODULE module, decltype(&::GetProcAddress) lookup)
{
    CommonDialogFunctions f = {};
    Binder bind(module, lookup);
    KPX_COMMON_DIALOG_FUNCTIONS(KPX_BIND_ENTRY)
    bind.Finish();
    return f;
}

#undef KPX_BIND_ENTRY

const SpoolerFunctions& ProcessSpooler()
{
    static const SpoolerFunctions spooler = BindSpooler(LoadForProcess("winspool.drv"));
    return spooler;
}

const CommonDialogFunctions& ProcessCommonDialogs()
{
    static const CommonDialogFunctions dialogs = BindCommonDialogs(LoadForProcess("comdlg32.dll"));
    return dialogs;
}
