/*
 * stress.h - the library on several Windows threads while the settings
 * switch (stress.c).  Loads the library itself, leaves the United States
 * settings in force, prints its own "N passed, N failed" line and returns
 * 0 when every result was right.
 */
#ifndef STRESS_H
#define STRESS_H

int stress_run(void);

#endif /* STRESS_H */
