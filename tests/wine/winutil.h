/*
 * winutil.h - file and path helpers shared by the Windows test programs.
 */
#ifndef WINUTIL_H
#define WINUTIL_H

#include <stdio.h>
#include <string.h>
#include <time.h>
#include <windows.h>

/* The folder of the running program, with a trailing backslash.  The
 * build puts the library and the resource modules beside the tests. */
static inline const char *exe_dir(void) {
    static char dir[MAX_PATH];
    if (dir[0] == '\0') {
        GetModuleFileNameA(NULL, dir, sizeof dir);
        char *slash = strrchr(dir, '\\');
        if (slash != NULL)
            slash[1] = '\0';
    }
    return dir;
}

/* dir + name into out (MAX_PATH bytes). */
static inline char *join_path(char *out, const char *dir, const char *name) {
    snprintf(out, MAX_PATH, "%s%s%s", dir,
             dir[0] != '\0' && dir[strlen(dir) - 1] != '\\' ? "\\" : "", name);
    return out;
}

/* A new empty folder under the temporary folder, with a trailing backslash. */
static inline int make_temp_dir(char *out, const char *tag) {
    char base[MAX_PATH];
    if (GetTempPathA(sizeof base, base) == 0)
        return 0;
    for (unsigned n = 0; n < 1000; n++) {
        snprintf(out, MAX_PATH, "%skt_%s_%lu_%u\\", base, tag, GetCurrentProcessId(), n);
        if (CreateDirectoryA(out, NULL))
            return 1;
    }
    return 0;
}

/* Copies a file from the program's folder into dir under the name to. */
static inline int copy_beside(const char *from_name, const char *dir, const char *to_name) {
    char from[MAX_PATH], to[MAX_PATH];
    join_path(from, exe_dir(), from_name);
    join_path(to, dir, to_name);
    return CopyFileA(from, to, FALSE) != 0;
}

static inline int write_text_file(const char *path, const char *text) {
    FILE *f = fopen(path, "wb");
    if (f == NULL)
        return 0;
    int ok = fputs(text, f) >= 0;
    return fclose(f) == 0 && ok;
}

/* A date as the run-time library's struct tm: year in full, month from 0,
 * weekday from 0 (Sunday); every other field 0. */
static inline struct tm tm_of(int year, int mon, int mday, int wday) {
    struct tm tm;
    memset(&tm, 0, sizeof tm);
    tm.tm_year = year - 1900;
    tm.tm_mon = mon;
    tm.tm_mday = mday;
    tm.tm_wday = wday;
    return tm;
}

/* 25 December 1999, a Saturday (day 358 of the year): the date the
 * programs format through the library. */
static inline struct tm christmas_1999_tm(void) {
    struct tm tm;
    memset(&tm, 0, sizeof tm);
    tm.tm_year = 99;
    tm.tm_mon = 11;
    tm.tm_mday = 25;
    tm.tm_wday = 6;
    tm.tm_yday = 358;
    return tm;
}

#endif /* WINUTIL_H */
