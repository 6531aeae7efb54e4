/*
 * translations.c - each translated kaldres.dll of the kit, put beside a copy
 * of KALDER32.dll in a folder of its own, is the one the library loads: its
 * full and abbreviated names appear in long dates.  Every module of the kit
 * carries the version, and each kaldres.dll its language, in its version
 * resource.
 */
#include <windows.h>

#include "kalder32.h"
#include "kalder_version.h"
#include "winutil.h"
#include "wtest.h"

#define KALDER_STRING(id, text) [(id)-1150] = text,
static const char *const kGerman[46] = {
#include "strings_de.inc"
};
static const char *const kFrench[46] = {
#include "strings_fr.inc"
};
static const char *const kSpanish[46] = {
#include "strings_es.inc"
};
#undef KALDER_STRING

typedef char *(KALDERAPI *FillLongFn)(KALDER_TM, char *);
typedef void(KALDERAPI *GetWinDateFormatFn)(void);

struct language {
    const char *code;
    const char *const *texts; /* index: string number - 1150 */
    WORD id;                  /* the language of its version resource */
};

static const char *text_of(const struct language *lang, int id) { return lang->texts[id - 1150]; }

/* "<weekday> <day> <month> <year>" as the pictures below write it. */
static void expect_long(FillLongFn fill, KALDER_TM tm, const char *day, const char *month) {
    char out[64] = "", want[128];
    snprintf(want, sizeof want, "%s %d %s %d", day, tm.tm_mday, month, tm.tm_year + 1900);
    fill(tm, out);
    CHECK_STR(out, want);
}

/* Gives up on one language when a step that the rest needs has failed. */
#define NEED(cond)                                                                                 \
    do {                                                                                           \
        if (!CHECK(cond))                                                                          \
            return;                                                                                \
    } while (0)

static void check_language(const struct language *lang) {
    char dir[MAX_PATH], source[MAX_PATH], path[MAX_PATH];
    WTEST_GROUP(lang->code);
    snprintf(source, sizeof source, KALDER_KIT_NAME "\\%s\\kaldres.dll", lang->code);
    NEED(make_temp_dir(dir, lang->code));
    NEED(copy_beside("KALDER32.dll", dir, "KALDER32.dll"));
    NEED(copy_beside(source, dir, "kaldres.dll"));

    WriteProfileStringA("intl", "sLongDate", "dddd d MMMM yyyy");
    HMODULE library = LoadLibraryA(join_path(path, dir, "KALDER32.dll"));
    NEED(library != NULL);
    FillLongFn fill =
        (FillLongFn)(void (*)(void))GetProcAddress(library, "FillLongDateFormatString");
    GetWinDateFormatFn reread =
        (GetWinDateFormatFn)(void (*)(void))GetProcAddress(library, "GetWinDateFormat");
    NEED(fill != NULL && reread != NULL);

    /* Saturday 25 December 1999 and Sunday 2 January 2000: the last and the
     * first entry of each table. */
    KALDER_TM saturday = tm_of(1999, 11, 25, 6), sunday = tm_of(2000, 0, 2, 0);
    expect_long(fill, saturday, text_of(lang, 1164), text_of(lang, 1183));
    expect_long(fill, sunday, text_of(lang, 1158), text_of(lang, 1172));
    KALDER_TM wednesday = tm_of(2024, 2, 13, 3);
    expect_long(fill, wednesday, text_of(lang, 1161), text_of(lang, 1174));

    WriteProfileStringA("intl", "sLongDate", "ddd d MMM yyyy");
    reread();
    expect_long(fill, saturday, text_of(lang, 1171), text_of(lang, 1195));
    expect_long(fill, sunday, text_of(lang, 1165), text_of(lang, 1184));
    expect_long(fill, wednesday, text_of(lang, 1168), text_of(lang, 1186));

    FreeLibrary(library);
    DeleteFileA(join_path(path, dir, "KALDER32.dll"));
    DeleteFileA(join_path(path, dir, "kaldres.dll"));
    RemoveDirectoryA(dir);
}

/* The version resource of a module of the kit: its language and version. */
static void check_version(const char *name, WORD language) {
    char path[MAX_PATH], key[64];
    static char data[4096];
    WTEST_GROUP(name);
    join_path(path, exe_dir(), name);
    DWORD size = GetFileVersionInfoSizeA(path, NULL);
    if (!CHECK(size > 0 && size <= sizeof data && GetFileVersionInfoA(path, 0, size, data)))
        return;
    WORD *translation = NULL;
    UINT length = 0;
    CHECK(VerQueryValueA(data, "\\VarFileInfo\\Translation", (void **)&translation, &length) &&
          length >= 4);
    if (translation == NULL)
        return;
    CHECK_INT(translation[0], language);
    CHECK_INT(translation[1], 1252);
    char *text = NULL;
    snprintf(key, sizeof key, "\\StringFileInfo\\%04X%04X\\FileVersion", translation[0],
             translation[1]);
    CHECK(VerQueryValueA(data, key, (void **)&text, &length));
    CHECK_STR(text, KALDER_VERSION_TEXT);
}

int main(void) {
    static const struct language languages[] = {
        {"de", kGerman, 0x0407}, {"fr", kFrench, 0x040C}, {"es", kSpanish, 0x0C0A}};
    check_version(KALDER_KIT_NAME "\\KALDER32.dll", 0x0409);
    check_version(KALDER_KIT_NAME "\\kaldres.dll", 0x0409);
    for (size_t i = 0; i < sizeof languages / sizeof languages[0]; i++) {
        char name[MAX_PATH];
        snprintf(name, sizeof name, KALDER_KIT_NAME "\\%s\\kaldres.dll", languages[i].code);
        check_version(name, languages[i].id);
    }
    char saved[64];
    GetProfileStringA("intl", "sLongDate", "", saved, sizeof saved);
    for (size_t i = 0; i < sizeof languages / sizeof languages[0]; i++)
        check_language(&languages[i]);
    WriteProfileStringA("intl", "sLongDate", saved[0] ? saved : NULL);
    return wtest_finish();
}
