/*
 * probe.c - the smallest Windows program: shows that Wine can run 32-bit
 * programs on this machine before the real tests depend on it.
 */
#include <stdio.h>
#include <windows.h>

int main(void) {
    char dir[MAX_PATH] = "";
    GetWindowsDirectoryA(dir, sizeof dir);
    DWORD version = GetVersion();
    printf("probe: windows program ran (windows directory %s, version %lu.%lu)\n", dir,
           (unsigned long)LOBYTE(LOWORD(version)), (unsigned long)HIBYTE(LOWORD(version)));
    return 0;
}
