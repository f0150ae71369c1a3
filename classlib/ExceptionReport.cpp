#include "classlib/ExceptionReport.h"

#include "classlib/InvalidArgException.h"
#include "classlib/SystemMessage.h"
#include "classlib/Win32Api.h"
#include "classlib/WinApp.h"

#include <new>
#include <stdexcept>
#include <string>

namespace {

// "アプリケーションの内部エラーです。" in code page 932: the class library's
// own text for a failure the system has no message for. It is not in our
// string table, so it lives here.
const char kInternalError[] = "\x83\x41\x83\x76\x83\x8A\x83\x50\x81\x5B\x83\x56\x83\x87\x83\x93\x82\xCC"
                              "\x93\xE0\x95\x94\x83\x47\x83\x89\x81\x5B\x82\xC5\x82\xB7\x81\x42";

// The error code the exception in flight stands for; 0 when it stands for
// none that the system could describe.
DWORD CurrentExceptionError()
{
    try {
        throw;
    } catch (const CInvalidArgException&) {
        return ERROR_INVALID_PARAMETER;
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    } catch (const std::length_error&) {
        // A string or a container asked to hold more than a 32-bit process
        // can address (a file of gigabytes read whole): out of memory too.
        return ERROR_NOT_ENOUGH_MEMORY;
    } catch (...) {
        return 0;
    }
}

} // namespace

std::string AfxCurrentExceptionText()
{
    const DWORD error = CurrentExceptionError();
    const std::string text = SystemMessage(error);
    return text.empty() ? std::string(kInternalError) : text;
}

void AfxReportCurrentException(HWND owner) noexcept
{
    try {
        const std::string text = AfxCurrentExceptionText();
        CWinApp* app = AfxGetApp();
        const char* caption = app && !app->m_strAppName.empty() ? app->m_strAppName.c_str() : nullptr;
        Win32().MessageBoxA(owner, text.c_str(), caption, MB_OK | MB_ICONERROR);
    } catch (...) {
        // Out of memory while reporting: the report is lost, the program
        // goes on.
    }
}
