/*
 * calls_host.c - the pass over the Linux library.
 *
 *   calls_host LIBRARY OUTPUT
 *
 * The library is opened with dlopen after the profile file exists, so that
 * it attaches to the same settings as the Windows builds do.  Its warning
 * boxes go to standard error, which is pointed at the output, unbuffered,
 * so that each box lands right after the call that showed it.
 */
#define _GNU_SOURCE
#include "calls.h"
#include "modern_diff.h"

#include <dlfcn.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static void *library_handle;
static char profile_path[4096];

int calls_open(const char *library) {
    library_handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    return library_handle != NULL;
}

void *calls_symbol(const char *name) { return dlsym(library_handle, name); }

void calls_close(void) {
    if (library_handle != NULL)
        dlclose(library_handle);
    library_handle = NULL;
}

void calls_write_profile(const CallsProfile *p) {
    FILE *file = fopen(profile_path, "w");
    if (file == NULL)
        return;
    const char *const keys[] = {"sShortDate", "sLongDate", "sDate",
                                "sTime",      "sThousand", "sDecimal"};
    const char *const values[] = {p->sShortDate, p->sLongDate, p->sDate,
                                  p->sTime,      p->sThousand, p->sDecimal};
    fputs("[intl]\n", file);
    for (size_t i = 0; i < sizeof keys / sizeof keys[0]; i++)
        if (values[i] != NULL)
            fprintf(file, "%s=%s\n", keys[i], values[i]);
    fclose(file);
}

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: calls_host LIBRARY OUTPUT\n");
        return 2;
    }
    snprintf(profile_path, sizeof profile_path, "%s.ini", argv[2]);
    setenv("KALDER_WININI", profile_path, 1);
    unsetenv("KALDER_WINVER");
    unsetenv("KALDER_WINDIR");
    unsetenv("ZQSHOWVSIDS");
    FILE *output = fopen(argv[2], "w");
    if (output == NULL || dup2(fileno(output), STDERR_FILENO) < 0) {
        perror(argv[2]);
        return 2;
    }
    setvbuf(stderr, NULL, _IONBF, 0);
    int rc = calls_run(stderr, argv[1]);
    remove(profile_path);
    printf("modern calls: %ld compared with the classic ones, %ld differ\n%s", diff_compared(),
           diff_differences(), diff_report());
    return rc;
}
