#include "classlib/Win32Api.h"

namespace {

Win32Api RealApi()
{
    Win32Api a;
    a.GetVersionExA = &::GetVersionExA;
    a.LoadLibraryA = &::LoadLibraryA;
    a.GetProcAddress = &::GetProcAddress;
    a.FreeLibrary = &::FreeLibrary;
    a.OpenSCManagerA = &::OpenSCManagerA;
    a.OpenServiceA = &::OpenServiceA;
    a.QueryServiceStatus = &::QueryServiceStatus;
    a.CloseServiceHandle = &::CloseServiceHandle;
    a.CreateMutexA = &::CreateMutexA;
    a.OpenMutexA = &::OpenMutexA;
    a.ReleaseMutex = &::ReleaseMutex;
    a.CloseHandle = &::CloseHandle;
    a.FindWindowA = &::FindWindowA;
    a.IsIconic = &::IsIconic;
    a.ShowWindow = &::ShowWindow;
    a.BringWindowToTop = &::BringWindowToTop;
    a.SetForegroundWindow = &::SetForegroundWindow;
    a.SendMessageTimeoutA = &::SendMessageTimeoutA;
    a.GetModuleFileNameA = &::GetModuleFileNameA;
    a.OpenThreadToken = &::OpenThreadToken;
    a.OpenProcessToken = &::OpenProcessToken;
    a.MessageBoxA = &::MessageBoxA;
    a.GetOpenFileNameA = &::GetOpenFileNameA;
    a.InitCommonControls = &::InitCommonControls;
    a.WinHelpA = &::WinHelpA;
    a.MessageBeep = &::MessageBeep;
    a.GlobalAlloc = &::GlobalAlloc;
    a.CreateFileA = &::CreateFileA;
    a.CopyFileA = &::CopyFileA;
    a.GetWindowsDirectoryA = &::GetWindowsDirectoryA;
    a.GetSystemDirectoryA = &::GetSystemDirectoryA;
    a.GetUserNameA = &::GetUserNameA;
    a.WritePrivateProfileSectionA = &::WritePrivateProfileSectionA;
    a.EnumPrintersA = &::EnumPrintersA;
    a.OpenPrinterA = &::OpenPrinterA;
    a.ClosePrinter = &::ClosePrinter;
    a.GetPrinterA = &::GetPrinterA;
    a.SetPrinterA = &::SetPrinterA;
    a.GetPrinterDriverA = &::GetPrinterDriverA;
    return a;
}

} // namespace

Win32Api& Win32()
{
    static Win32Api api = RealApi();
    return api;
}
