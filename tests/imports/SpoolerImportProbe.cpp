// A program that imports the print spooler as the shipped program once did:
// the import check's own test shows the check refusing it.
#include <windows.h>
#include <winspool.h>

int main()
{
    DWORD needed = 0, returned = 0;
    return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned) ? 0 : 1;
}
