/*
 * calls_win.c - the pass over KALDER32.dll, loaded at run time from the
 * program's folder after the profile is written.  The program's message box
 * hook (boxes.h) writes each warning into the output as it is shown.
 */
#include "calls.h"

#include <windows.h>

static HMODULE library_handle;

int calls_open(const char *library) {
    library_handle = LoadLibraryA(library);
    return library_handle != NULL;
}

void *calls_symbol(const char *name) { return (void *)GetProcAddress(library_handle, name); }

void calls_close(void) {
    if (library_handle != NULL)
        FreeLibrary(library_handle);
    library_handle = NULL;
}

void calls_write_profile(const CallsProfile *p) {
    WriteProfileStringA("intl", "sShortDate", p->sShortDate);
    WriteProfileStringA("intl", "sLongDate", p->sLongDate);
    WriteProfileStringA("intl", "sDate", p->sDate);
    WriteProfileStringA("intl", "sTime", p->sTime);
    WriteProfileStringA("intl", "sThousand", p->sThousand);
    WriteProfileStringA("intl", "sDecimal", p->sDecimal);
}
