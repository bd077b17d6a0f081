// Stands in for a DLL dropped into the program's folder under the name of one
// that Windows loads on demand. Loaded, it ends the process at once, which no
// test can miss.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        TerminateProcess(GetCurrentProcess(), 86);
    return TRUE;
}
