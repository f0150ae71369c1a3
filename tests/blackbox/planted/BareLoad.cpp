// The control of the DLL-search test: loads the DLL named on its command line
// by bare name, as the tool must never do, from the folder it is copied into.
// Exit code 0 when the load succeeded.
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    return LoadLibraryA(argv[1]) ? 0 : 1;
}
