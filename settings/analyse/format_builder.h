// The printf formats of the record, built from its analysed pictures.
#pragma once

#include "kalder32.h"

void BuildShortFormat(WINDATESTRUC &record); // finishes with BuildLongFormat
void BuildLongFormat(WINDATESTRUC &record);
