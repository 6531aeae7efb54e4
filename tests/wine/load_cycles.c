/*
 * load_cycles.c - the library loaded and unloaded a thousand times leaves
 * nothing behind.
 *
 * Each cycle loads KALDER32.dll from the program's folder, formats one long
 * date (its day and month names come from kaldres.dll, which the library
 * loads at attach) and frees the library; afterwards neither module may be
 * left in the process.  The process's private memory is read after a
 * warm-up and again after the thousand cycles: an attach whose detach
 * forgets a block shows up there a thousand times over.
 *
 * Private memory is read three ways:
 *   - the system's counter (K32GetProcessMemoryInfo, PrivateUsage);
 *   - the committed private pages, from a walk of the address space;
 *   - the bytes and blocks in use in every heap of the process, which is
 *     where the library's name texts and string buffers live.
 * Under Wine the counter is not the Windows figure: Wine fills it from the
 * host's figures for the whole host process (some versions only the
 * PagefileUsage field), and under a CPU emulator those include the
 * emulator's cache of translated code, which grows each time the library's
 * code is mapped afresh, library or not.  There it is printed but not
 * checked; the other two come from Wine's own bookkeeping and are checked
 * everywhere.
 */
#define PSAPI_VERSION 2 /* GetProcessMemoryInfo is kernel32's K32 name */
#include <windows.h>

#include <psapi.h>

#include "kalder32.h"
#include "winutil.h"
#include "wtest.h"

#define WARM_UP_CYCLES 50
#define MEASURED_CYCLES 1000
#define REPORT_EVERY 200

/* Growth allowed over the measured cycles.  After the warm-up the loader's
 * caches, the heaps' free lists and the C library's buffers have reached
 * their working size.  Heaps commit memory in steps of whole pages, up to
 * 64 KiB at a time, and may keep one step taken for a passing peak; a
 * detach that forgot the string buffers (eight of 256 bytes) would leak
 * about 2 MiB over the cycles, one that forgot the name texts about 1 MiB. */
#define COMMITTED_SLACK (64 * 1024)
/* The heaps themselves: a detach that forgets any one block, even the
 * smallest (a three-letter abbreviation, 4 bytes), leaks a thousand blocks
 * and at least 4,000 bytes.  A few blocks may still come from caches that
 * Wine or the C library fill lazily. */
#define HEAP_BLOCK_SLACK 16
#define HEAP_BYTE_SLACK 2048

typedef char *(KALDERAPI *FillLongFn)(KALDER_TM, char *);

static const char long_picture[] = "dddd, MMMM dd, yyyy";
static const char expected_long[] = "Saturday, December 25, 1999";

/* One load, use and unload; out receives the long date.  Returns NULL, or
 * what went wrong: the cycles stop at the first fault instead of printing
 * it a thousand times. */
static const char *one_cycle(const char *path, char out[64]) {
    HMODULE dll = LoadLibraryA(path);
    if (dll == NULL)
        return "LoadLibraryA failed";
    const char *fault = NULL;
    FillLongFn fill = (FillLongFn)(void (*)(void))GetProcAddress(dll, "FillLongDateFormatString");
    memset(out, 0, 64);
    if (fill == NULL)
        fault = "FillLongDateFormatString not exported";
    else if (fill(christmas_1999_tm(), out) != out || strcmp(out, expected_long) != 0)
        fault = "long date wrong";
    else if (GetModuleHandleA("kaldres.dll") == NULL)
        fault = "kaldres.dll not loaded while the library is";
    if (!FreeLibrary(dll))
        return "FreeLibrary failed";
    if (fault != NULL)
        return fault;
    if (GetModuleHandleA("KALDER32.dll") != NULL)
        return "KALDER32.dll still loaded after FreeLibrary";
    if (GetModuleHandleA("kaldres.dll") != NULL)
        return "kaldres.dll still loaded after FreeLibrary";
    return NULL;
}

/* Runs count cycles; returns the number that succeeded. */
static int run_cycles(const char *path, int count, int first_number) {
    char out[64];
    for (int i = 0; i < count; i++) {
        const char *fault = one_cycle(path, out);
        if (fault != NULL) {
            printf("cycle %d: %s (long date \"%s\")\n", first_number + i, fault, out);
            return i;
        }
    }
    return count;
}

typedef struct Figures {
    long counter;     /* the system's counter */
    long committed;   /* committed private pages */
    long heap_bytes;  /* bytes in use in all heaps */
    long heap_blocks; /* blocks in use in all heaps */
} Figures;

static int under_wine(void) {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != NULL && GetProcAddress(ntdll, "wine_get_version") != NULL;
}

/* PrivateUsage; Wine versions that fill only the plain counters leave it 0,
 * and PagefileUsage is documented as the same figure. */
static long system_counter(void) {
    PROCESS_MEMORY_COUNTERS_EX counters;
    memset(&counters, 0, sizeof counters);
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS *)&counters,
                              sizeof counters))
        return -1;
    return (long)(counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage);
}

static long committed_private(void) {
    long total = 0;
    const char *at = NULL;
    MEMORY_BASIC_INFORMATION region;
    while (VirtualQuery(at, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += (long)region.RegionSize;
        const char *next = (const char *)region.BaseAddress + region.RegionSize;
        if (next <= at)
            break; /* the top of the address space */
        at = next;
    }
    return total;
}

static void heap_in_use(Figures *f) {
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    if (count > 64)
        count = 64;
    f->heap_bytes = f->heap_blocks = 0;
    for (DWORD i = 0; i < count; i++) {
        PROCESS_HEAP_ENTRY entry;
        memset(&entry, 0, sizeof entry);
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                f->heap_bytes += (long)entry.cbData;
                f->heap_blocks++;
            }
        }
        HeapUnlock(heaps[i]);
    }
}

static Figures measure(void) {
    Figures f;
    f.counter = system_counter();
    f.committed = committed_private();
    heap_in_use(&f);
    return f;
}

static void print_figures(const char *when, Figures f) {
    printf("%s: counter %ld, committed private %ld, heaps %ld bytes in %ld blocks\n", when,
           f.counter, f.committed, f.heap_bytes, f.heap_blocks);
    fflush(stdout);
}

static void check_cycles(const char *path) {
    WTEST_GROUP("neither module loaded before the first cycle");
    REQUIRE_VOID(GetModuleHandleA("KALDER32.dll") == NULL);
    REQUIRE_VOID(GetModuleHandleA("kaldres.dll") == NULL);

    WTEST_GROUP("warm-up");
    REQUIRE_VOID(run_cycles(path, WARM_UP_CYCLES, 1) == WARM_UP_CYCLES);
    Figures before = measure();
    REQUIRE_VOID(before.counter > 0 && before.committed > 0 && before.heap_blocks > 0);
    print_figures("after the warm-up", before);

    WTEST_GROUP("measured cycles");
    int done = 0;
    char when[48];
    while (done < MEASURED_CYCLES) {
        int step = run_cycles(path, REPORT_EVERY, WARM_UP_CYCLES + done + 1);
        done += step;
        if (step != REPORT_EVERY)
            break;
        snprintf(when, sizeof when, "after %d cycles", done);
        print_figures(when, measure());
    }
    CHECK_INT(done, MEASURED_CYCLES);
    Figures after = measure();
    printf("growth: counter %ld%s, committed private %ld (slack %d), heaps %ld bytes (slack %d) "
           "in %ld blocks (slack %d)\n",
           after.counter - before.counter, under_wine() ? " (Wine: not checked)" : "",
           after.committed - before.committed, COMMITTED_SLACK,
           after.heap_bytes - before.heap_bytes, HEAP_BYTE_SLACK,
           after.heap_blocks - before.heap_blocks, HEAP_BLOCK_SLACK);
    if (!under_wine())
        CHECK(after.counter - before.counter <= COMMITTED_SLACK);
    CHECK(after.committed - before.committed <= COMMITTED_SLACK);
    CHECK(after.heap_bytes - before.heap_bytes <= HEAP_BYTE_SLACK);
    CHECK(after.heap_blocks - before.heap_blocks <= HEAP_BLOCK_SLACK);
}

int main(void) {
    char path[MAX_PATH], saved[64];
    join_path(path, exe_dir(), "KALDER32.dll");
    GetProfileStringA("intl", "sLongDate", "", saved, sizeof saved);
    WriteProfileStringA("intl", "sLongDate", long_picture);
    check_cycles(path);
    WriteProfileStringA("intl", "sLongDate", saved[0] ? saved : NULL);
    return wtest_finish();
}
