/*
 * modern.c - the modern interface of KALDER32 in a C service that answers
 * a German and an American user side by side.  Each user has a settings
 * object made from the text of their [intl] section; neither touches the
 * settings in force or the other's.  What they type is read quietly: a
 * refusal is a status and a message in the user's language, never a box.
 * Every text goes into a buffer of a known size, UTF-8, never cut inside a
 * character.
 *
 *   cc modern.c $(pkg-config --cflags --libs kalder32) -o modern
 *   ./modern
 *
 * prints
 *
 *   anna: Dienstag, 5. März 2024 (05.03.2024) um 13:05
 *   bert: Tuesday, March 5, 2024 (3/5/2024) at 1:05
 *   anna: Der Tag 30 ist in diesem Monat ungültig. Bitte geben Sie einen Tag ein, den der Monat
 * hat. bob:  The hour 24 is only valid with 0 minutes. Please change the hour or the minutes. anna,
 * in 16 bytes: "Dienstag, 5. M" of 23
 */
#include <stdio.h>

#include "kalder.h"

static const char germanIntl[] = "[intl]\n"
                                 "sDate=.\n"
                                 "sTime=:\n"
                                 "sShortDate=dd.MM.yyyy\n"
                                 "sLongDate=dddd, d. MMMM yyyy\n";
static const char americanIntl[] = "[intl]\n"
                                   "sDate=/\n"
                                   "sTime=:\n"
                                   "sShortDate=M/d/yyyy\n"
                                   "sLongDate=dddd, MMMM d, yyyy\n";

struct User {
    const char *name;
    const char *at; /* the word before the time */
    KalderSettings *settings;
};

/* One request: a date and a time as the user typed them, shown back in the
 * user's long and short form.  A refusal prints the library's message. */
static void Answer(const struct User *user, const char *typedDate, const char *typedTime) {
    const KalderSettings *s = user->settings;
    KalderDate date;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t refused = 0;
    char longText[80];
    char shortText[24];
    char timeText[16];
    char message[256];
    KalderStatus status = KalderParseDate(s, typedDate, KALDER_NUL_TERMINATED, &date, &refused);
    if (status == KALDER_OK)
        status = KalderParseTime(s, typedTime, KALDER_NUL_TERMINATED, &hour, &minute, &refused);
    if (status != KALDER_OK) {
        KalderMessage(s, status, refused, message, sizeof message);
        printf("%s: %s\n", user->name, message);
        return;
    }
    KalderFormatLongDate(s, date.year, date.month, date.day, longText, sizeof longText);
    KalderFormatShortDate(s, date.year, date.month, date.day, shortText, sizeof shortText);
    KalderFormatTime(s, hour, minute, timeText, sizeof timeText);
    printf("%s: %s (%s) %s %s\n", user->name, longText, shortText, user->at, timeText);
}

int main(void) {
    struct User users[2];
    KalderStatus why = KALDER_OK;
    char column[16];
    int length;

    users[0].name = "anna";
    users[0].at = "um";
    users[0].settings = KalderSettingsFromText(germanIntl, KALDER_NUL_TERMINATED, "de", &why);
    users[1].name = "bert";
    users[1].at = "at";
    users[1].settings = KalderSettingsFromText(americanIntl, KALDER_NUL_TERMINATED, "en", &why);
    if (users[0].settings == NULL || users[1].settings == NULL) {
        fprintf(stderr, "modern: no settings (status %d)\n", (int)why);
        return 1;
    }

    Answer(&users[0], "5.3.2024", "13:05");
    Answer(&users[1], "3/5/2024", "1:05");
    Answer(&users[0], "30.2.2024", "9:00");
    Answer(&users[1], "12/25/1999", "24:30");

    /* A fixed-width column: the longest run of whole characters that fits,
     * and the length the whole text needs. */
    length = KalderFormatLongDate(users[0].settings, 2024, 3, 5, column, sizeof column);
    printf("anna, in %u bytes: \"%s\" of %d\n", (unsigned)sizeof column, column, length);

    KalderSettingsFree(users[0].settings);
    KalderSettingsFree(users[1].settings);
    return 0;
}
