/*
 * wtest.h - a very small test framework for the Windows test programs.
 *
 * Each program runs many checks in one process (starting a program under
 * the emulator is slow), counts passes and failures, prints every failure
 * with its line, and ends with one summary line.  The exit code is 0 when
 * every check passed and 1 otherwise.
 */
#ifndef WTEST_H
#define WTEST_H

#include <stdio.h>
#include <string.h>

static int wtest_passed;
static int wtest_failed;
static const char *wtest_group = "";

#define WTEST_GROUP(name)                                                                          \
    do {                                                                                           \
        wtest_group = (name);                                                                      \
        printf("-- %s\n", wtest_group);                                                            \
        fflush(stdout);                                                                            \
    } while (0)

static inline int wtest_record(int ok, const char *file, int line, const char *what) {
    if (ok) {
        wtest_passed++;
    } else {
        wtest_failed++;
        printf("FAIL %s:%d [%s] %s\n", file, line, wtest_group, what);
        fflush(stdout);
    }
    return ok;
}

#define CHECK(cond) wtest_record((cond) ? 1 : 0, __FILE__, __LINE__, #cond)

#define CHECK_INT(actual, expected)                                                                \
    do {                                                                                           \
        long wtest_a = (long)(actual);                                                             \
        long wtest_e = (long)(expected);                                                           \
        if (!wtest_record(wtest_a == wtest_e, __FILE__, __LINE__, #actual " == " #expected))       \
            printf("     got %ld, expected %ld\n", wtest_a, wtest_e);                              \
    } while (0)

#define CHECK_STR(actual, expected)                                                                \
    do {                                                                                           \
        const char *wtest_a = (actual);                                                            \
        const char *wtest_e = (expected);                                                          \
        int wtest_ok = wtest_a != NULL && wtest_e != NULL && strcmp(wtest_a, wtest_e) == 0;        \
        if (!wtest_record(wtest_ok, __FILE__, __LINE__, #actual " == " #expected))                 \
            printf("     got \"%s\", expected \"%s\"\n", wtest_a ? wtest_a : "(null)",             \
                   wtest_e ? wtest_e : "(null)");                                                  \
    } while (0)

/* Stops the program when a precondition of everything after it fails. */
#define REQUIRE(cond)                                                                              \
    do {                                                                                           \
        if (!CHECK(cond))                                                                          \
            return wtest_finish();                                                                 \
    } while (0)

/* The same inside a function that returns nothing: skips the rest of it. */
#define REQUIRE_VOID(cond)                                                                         \
    do {                                                                                           \
        if (!CHECK(cond))                                                                          \
            return;                                                                                \
    } while (0)

static inline int wtest_finish(void) {
    printf("%d passed, %d failed\n", wtest_passed, wtest_failed);
    fflush(stdout);
    return wtest_failed == 0 ? 0 : 1;
}

#endif /* WTEST_H */
