/* The numbers of the texts in the resource module's string table: one list
 * for the resource scripts, the library, its tools and its tests. */
#ifndef KALDER_STRING_IDS_H
#define KALDER_STRING_IDS_H

#define KALDER_STR_UNSUPPORTED_VERSION 1150
#define KALDER_STR_BAD_YEAR 1151
#define KALDER_STR_BAD_MONTH 1152
#define KALDER_STR_BAD_DAY 1153
#define KALDER_STR_BAD_HOUR 1154
#define KALDER_STR_BAD_MINUTE 1155
#define KALDER_STR_HOUR24_WITH_MINUTES 1156
#define KALDER_STR_WARNING_CAPTION 1157
/* Sunday first, seven of each. */
#define KALDER_STR_FIRST_DAY_NAME 1158
#define KALDER_STR_FIRST_DAY_ABBREV 1165
/* January first, twelve of each. */
#define KALDER_STR_FIRST_MONTH_NAME 1172
#define KALDER_STR_FIRST_MONTH_ABBREV 1184
#define KALDER_STR_LAST 1195

#endif
