#include "support/FakeHtmlHelpControl.h"

namespace {

FakeHtmlHelpControl* g_control = nullptr;

HWND WINAPI FakeHtmlHelpA(HWND hwnd, LPCSTR file, UINT command, DWORD_PTR data)
{
    if (g_control)
        g_control->calls.push_back({hwnd, file ? file : "<null>", command, data});
    return FakeHtmlHelpControl::Result();
}

HMODULE WINAPI FakeLoadLibraryExA(LPCSTR name, HANDLE, DWORD)
{
    g_control->loadedNames.push_back(name ? name : "<null>");
    return g_control->present ? FakeHtmlHelpControl::Module() : nullptr;
}

FARPROC WINAPI FakeGetProcAddress(HMODULE module, LPCSTR name)
{
    g_control->procNames.push_back(reinterpret_cast<ULONG_PTR>(name));
    if (module == FakeHtmlHelpControl::Module() && g_control->hasEntry && name == MAKEINTRESOURCEA(14))
        return reinterpret_cast<FARPROC>(&FakeHtmlHelpA);
    return nullptr;
}

BOOL WINAPI FakeFreeLibrary(HMODULE module)
{
    g_control->freed.push_back(module);
    return TRUE;
}

} // namespace

FakeHtmlHelpControl::FakeHtmlHelpControl()
    : m_load(&FakeLoadLibraryExA), m_proc(&FakeGetProcAddress), m_free(&FakeFreeLibrary)
{
    g_control = this;
}

FakeHtmlHelpControl::~FakeHtmlHelpControl()
{
    g_control = nullptr;
}

HMODULE FakeHtmlHelpControl::Module()
{
    return reinterpret_cast<HMODULE>(0x7A5C0000);
}
