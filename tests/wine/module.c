/*
 * module.c - KALDER32.dll as a module: where it takes its texts from, when
 * it refuses to load, which settings it reads, and what a reload changes.
 *
 * The same source is built once per Windows version that the settings
 * reader tells apart (KT_WINVER 40, 31 or 30); the test set-up makes Wine
 * report that version to the program of that name.  The checks that do not
 * depend on the version run in the 4.0 program only.
 */
#include "boxes.h"
#include "winutil.h"
#include "wtest.h"

#include "kalder32.h"

#include <stdlib.h>

#ifndef KT_WINVER
#error "build with KT_WINVER=40, 31 or 30"
#endif

typedef struct Library {
    HMODULE dll;
    __typeof__(CopyWinDateStruc) *copy_record;
    __typeof__(GetWinDateFormat) *reread_settings;
    __typeof__(GetTimeSep) *time_sep;
    __typeof__(FillDosDateFormatString) *short_date;
    __typeof__(FillLongDateFormatString) *long_date;
    __typeof__(ParseDosDateFormatString) *parse_date;
} Library;

#define RESOLVE(lib, field, name)                                                                  \
    ((lib)->field = (__typeof__(name) *)(void *)GetProcAddress((lib)->dll, #name)) != NULL

static int library_load(Library *lib, const char *dir) {
    char path[MAX_PATH];
    memset(lib, 0, sizeof *lib);
    lib->dll = LoadLibraryA(join_path(path, dir, "KALDER32.dll"));
    if (lib->dll == NULL)
        return 0;
    return RESOLVE(lib, copy_record, CopyWinDateStruc) &&
           RESOLVE(lib, reread_settings, GetWinDateFormat) && RESOLVE(lib, time_sep, GetTimeSep) &&
           RESOLVE(lib, short_date, FillDosDateFormatString) &&
           RESOLVE(lib, long_date, FillLongDateFormatString) &&
           RESOLVE(lib, parse_date, ParseDosDateFormatString);
}

static void library_unload(Library *lib) {
    if (lib->dll != NULL)
        CHECK(FreeLibrary(lib->dll));
    lib->dll = NULL;
}

static WINDATESTRUC record_of(const Library *lib) {
    WINDATESTRUC r;
    memset(&r, 0, sizeof r);
    lib->copy_record(&r, (int32_t)sizeof r);
    return r;
}

static const DosDate christmas = {1999, 12, 6, 25};

static const char *long_christmas(const Library *lib) {
    static char out[40];
    return lib->long_date(christmas_1999_tm(), out);
}

static const char *short_christmas(const Library *lib) {
    static char out[40];
    return lib->short_date(&christmas, out);
}

static void set_intl(const char *key, const char *value) {
    WriteProfileStringA("intl", key, value); /* a null value deletes the key */
}

static void use_us_settings(void) {
    set_intl("sShortDate", "M/d/yy");
    set_intl("sLongDate", "dddd, MMMM dd, yyyy");
    set_intl("sDate", "/");
    set_intl("sTime", ":");
    set_intl("sThousand", ",");
    set_intl("sDecimal", ".");
    set_intl("sCountry", NULL);
}

static HWND make_focus_window(void) {
    WNDCLASSA wc;
    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "KalderModuleWindow";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "module", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                               0, 200, 100, NULL, NULL, wc.hInstance, NULL);
    SetFocus(wnd);
    return wnd;
}

/* Folders: `lib_dir` holds the library and its resource module; `other_dir`
 * holds a resource module with other texts and is the current folder, so a
 * library that looked anywhere but its own folder would show other names. */
static char lib_dir[MAX_PATH], other_dir[MAX_PATH];

static int make_folders(void) {
    return make_temp_dir(lib_dir, "lib") && copy_beside("KALDER32.dll", lib_dir, "KALDER32.dll") &&
           copy_beside("kaldres.dll", lib_dir, "kaldres.dll") && make_temp_dir(other_dir, "cwd") &&
           copy_beside("kaldres_alt.dll", other_dir, "kaldres.dll") &&
           SetCurrentDirectoryA(other_dir);
}

static void remove_folder(const char *dir) {
    static const char *const names[] = {"KALDER32.dll", "kaldres.dll", "kaldres_alt.dll"};
    char path[MAX_PATH];
    for (size_t i = 0; i < sizeof names / sizeof names[0]; i++)
        DeleteFileA(join_path(path, dir, names[i]));
    RemoveDirectoryA(dir);
}

#if KT_WINVER == 40

static void refused_without_resources(void) {
    WTEST_GROUP("no kaldres.dll beside the library: load refused, no box");
    char dir[MAX_PATH];
    REQUIRE_VOID(make_temp_dir(dir, "bare") && copy_beside("KALDER32.dll", dir, "KALDER32.dll"));
    Library lib;
    boxes_clear();
    CHECK(!library_load(&lib, dir)); /* the current folder has a kaldres.dll: not taken */
    CHECK(lib.dll == NULL);
    CHECK_INT(box_count, 0);
    CHECK_INT(window_count, 0);
    remove_folder(dir);
}

static void reads_profile(HWND focus) {
    WTEST_GROUP("settings from WIN.INI, read again after a change");
    set_intl("sShortDate", "dd.MM.yyyy");
    set_intl("sDate", ".");
    set_intl("sTime", ".");
    set_intl("sLongDate", "dddd d MMMM yyyy");
    Library lib;
    boxes_clear();
    REQUIRE_VOID(library_load(&lib, lib_dir));
    CHECK_INT(box_count, 0);
    WINDATESTRUC r = record_of(&lib);
    CHECK_STR(r.sDate, ".");
    CHECK_STR(r.sShortDate, "dd.MM.yyyy");
    CHECK_INT(r.iShortOrder, 1);
    CHECK(r.bMonthLZero == 1 && r.bDayLZero == 1 && r.bFullYear == 1);
    CHECK_STR(r.szShortFmt, "%02d.%02d.%d");
    CHECK_STR(r.sThousand, ",");
    CHECK_INT(lib.time_sep(), '.');
    CHECK_STR(short_christmas(&lib), "25.12.1999");
    CHECK_STR(long_christmas(&lib), "Saturday 25 December 1999"); /* names of lib_dir */

    /* A prefix of the record: nothing past the length is written. */
    unsigned char part[100];
    memset(part, 0xEE, sizeof part);
    lib.copy_record(part, 80);
    CHECK(memcmp(part, &r, 80) == 0 && part[80] == 0xEE);

    set_intl("sDate", NULL);
    set_intl("sTime", NULL);
    set_intl("sShortDate", "yy/M/d");
    lib.reread_settings();
    r = record_of(&lib);
    CHECK_STR(r.sDate, "");
    CHECK_STR(r.sShortDate, "yy/M/d");
    CHECK_INT(r.iShortOrder, 2);
    CHECK_INT(lib.time_sep(), '\0');
    CHECK_INT(box_count, 0);

    WTEST_GROUP("no short-date picture on 4.0: warning 1150 and built-in defaults");
    set_intl("sShortDate", NULL);
    boxes_clear();
    lib.reread_settings();
    CHECK_INT(box_count, 1);
    CHECK_STR(boxes[0].caption, "Date and Time");
    CHECK(strstr(boxes[0].text, "%") == NULL && strlen(boxes[0].text) > 0);
    CHECK(boxes[0].owner == focus);
    r = record_of(&lib);
    CHECK_STR(r.sShortDate, "");
    CHECK_STR(r.sDate, "/");
    CHECK_STR(r.sTime, ":");
    CHECK_STR(r.szShortFmt, "%02d/%02d/%d");
    CHECK_STR(short_christmas(&lib), "12/25/1999");
    library_unload(&lib);

    WTEST_GROUP("the same at attach");
    boxes_clear();
    REQUIRE_VOID(library_load(&lib, lib_dir));
    CHECK_INT(box_count, 1);
    CHECK_STR(record_of(&lib).szShortFmt, "%02d/%02d/%d");
    library_unload(&lib);
    use_us_settings();
}

static void shows_string_ids(void) {
    WTEST_GROUP("ZQSHOWVSIDS=YES: every text is its string number");
    Library lib;
    _putenv("ZQSHOWVSIDS=YES");
    REQUIRE_VOID(library_load(&lib, lib_dir));
    CHECK_STR(long_christmas(&lib), "<1164>, <1183> 25, 1999");
    DosDate d = christmas;
    boxes_clear();
    CHECK_INT(lib.parse_date(&d, "12/32/99"), -1);
    CHECK_INT(box_count, 1);
    CHECK_STR(boxes[0].caption, "<1157>");
    CHECK_STR(boxes[0].text, "<1153>");
    library_unload(&lib);
    _putenv("ZQSHOWVSIDS=");

    REQUIRE_VOID(library_load(&lib, lib_dir));
    CHECK_STR(long_christmas(&lib), "Saturday, December 25, 1999");
    library_unload(&lib);
}

static void reload_takes_new_texts(void) {
    WTEST_GROUP("unload, other texts on disk, reload");
    char path[MAX_PATH];
    Library lib;
    REQUIRE_VOID(library_load(&lib, lib_dir));
    CHECK_STR(long_christmas(&lib), "Saturday, December 25, 1999");
    CHECK(GetModuleHandleA(join_path(path, lib_dir, "kaldres.dll")) != NULL);
    library_unload(&lib);
    /* Detach released the resource module, so its file can be replaced. */
    CHECK(GetModuleHandleA(path) == NULL);
    CHECK(GetModuleHandleA("KALDER32.dll") == NULL);
    CHECK(copy_beside("kaldres_alt.dll", lib_dir, "kaldres.dll"));

    REQUIRE_VOID(library_load(&lib, lib_dir));
    CHECK_STR(long_christmas(&lib), "Samstag, Dezember 25, 1999");
    DosDate d = christmas;
    boxes_clear();
    CHECK_INT(lib.parse_date(&d, "12/32/99"), -1);
    CHECK_INT(box_count, 1);
    CHECK_STR(boxes[0].caption, "ALT caption");
    CHECK_STR(boxes[0].text, "ALT day 32");
    library_unload(&lib);
    CHECK(copy_beside("kaldres.dll", lib_dir, "kaldres.dll"));
}

static void run_version_checks(HWND focus) {
    refused_without_resources();
    reads_profile(focus);
    shows_string_ids();
    reload_takes_new_texts();
}

#else /* Windows 3.10 and 3.0: the country entry of an INF file */

/* A country entry of 22 fields; 13 to 19 are the ones the library uses.
 * `tag` makes the entries of the two INF files tell apart. */
static void write_inf(const char *name, const char *section, const char *key,
                      const char *date_sep) {
    char windir[MAX_PATH], sysdir[MAX_PATH], path[MAX_PATH], text[512];
    GetWindowsDirectoryA(windir, sizeof windir);
    join_path(sysdir, windir, "SYSTEM");
    CreateDirectoryA(sysdir, NULL);
    snprintf(text, sizeof text,
             "[other]\r\n\"%s\"=\"0!1!2!3!4!5!6!7!8!9!10!11!12!'!;!-!:!x!M-d-yy!dddd!z\"\r\n"
             "[%s]\r\n"
             "\"Nowhere\"=\"0!1!2!3!4!5!6!7!8!9!10!11!12!'!;!-!:!x!d-M-yy!dddd!z\"\r\n"
             "\"%s\"=\"1!2!3!4!5!6!7!8!9!10!11!12!13!'!;!%s!h!ignored!yyyy%sMM%sdd!"
             "dddd, MMMM dd, yyyy!20!21\"\r\n",
             key, section, key, date_sep, date_sep, date_sep);
    CHECK(write_text_file(join_path(path, sysdir, name), text));
}

static void remove_inf(const char *name) {
    char windir[MAX_PATH], path[MAX_PATH], file[MAX_PATH];
    GetWindowsDirectoryA(windir, sizeof windir);
    snprintf(file, sizeof file, "SYSTEM\\%s", name);
    DeleteFileA(join_path(path, windir, file));
}

static void run_version_checks(HWND focus) {
    (void)focus;
#if KT_WINVER == 31
    WTEST_GROUP("3.10: no short-date picture, country entry of CONTROL.INF");
    const char *expected_sep = "-";
    set_intl("sCountry", NULL); /* the library then looks for "United States" */
    write_inf("CONTROL.INF", "COUNTRY", "united states", "-");
    write_inf("SETUP.INF", "country", "United States", "~");
#else
    WTEST_GROUP("3.0: no short-date picture, country entry of SETUP.INF");
    const char *expected_sep = "~";
    set_intl("sCountry", "Kalderland");
    write_inf("CONTROL.INF", "country", "Kalderland", "-");
    write_inf("SETUP.INF", "Country", "KALDERLAND", "~");
#endif
    set_intl("sShortDate", NULL);
    set_intl("sDate", "/");
    Library lib;
    boxes_clear();
    if (CHECK(library_load(&lib, lib_dir))) {
        CHECK_INT(box_count, 0);
        WINDATESTRUC r = record_of(&lib);
        char picture[20];
        snprintf(picture, sizeof picture, "yyyy%sMM%sdd", expected_sep, expected_sep);
        CHECK_STR(r.sShortDate, picture);
        CHECK_STR(r.sDate, expected_sep);
        CHECK_STR(r.sTime, "h");
        CHECK_STR(r.sThousand, "'");
        CHECK_STR(r.sDecimal, ";");
        CHECK_INT(r.iShortOrder, 2);
        char expected[20];
        snprintf(expected, sizeof expected, "1999%s12%s25", expected_sep, expected_sep);
        CHECK_STR(short_christmas(&lib), expected);
        /* The long picture is the entry's last field but one. */
        CHECK_STR(r.sLongDate, "dddd, MMMM dd, yyyy");
        CHECK_STR(long_christmas(&lib), "Saturday, December 25, 1999");
        CHECK_INT(lib.time_sep(), 'h');
        library_unload(&lib);
    }

    WTEST_GROUP("no entry for the country: derived fields still match the pictures");
    set_intl("sCountry", "Atlantis");
    set_intl("sLongDate", "dddd, MMMM dd, yyyy");
    boxes_clear();
    if (CHECK(library_load(&lib, lib_dir))) {
        CHECK_INT(box_count, 0);
        CHECK_STR(record_of(&lib).sShortDate, "");
        CHECK_STR(long_christmas(&lib), "Saturday, December 25, 1999");
        library_unload(&lib);
    }
    remove_inf("CONTROL.INF");
    remove_inf("SETUP.INF");
    use_us_settings();
}

#endif

int main(void) {
    REQUIRE(boxes_install());
    REQUIRE(make_folders());
    HWND focus = make_focus_window();
    Library lib;
    boxes_clear();
    use_us_settings();

    WTEST_GROUP("texts come from the library's own folder");
    if (CHECK(library_load(&lib, lib_dir))) {
        CHECK_STR(long_christmas(&lib), "Saturday, December 25, 1999");
        CHECK_INT(box_count, 0);
        library_unload(&lib);
    }

    run_version_checks(focus);

    DestroyWindow(focus);
    SetCurrentDirectoryA(exe_dir());
    remove_folder(lib_dir);
    remove_folder(other_dir);
    return wtest_finish();
}
