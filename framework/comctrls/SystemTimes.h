#pragma once
// Dates of the framework (TDateTime) and of the platform's controls (SYSTEMTIME) in each
// other's form: the date and the time of day to the millisecond.

#include "core/DateTime.h"
#include "platform/sys/SystemTime.h"

SYSTEMTIME ToSystemTime(TDateTime value);
TDateTime FromSystemTime(const SYSTEMTIME& time);
// The day of a value, its time of day cut off.
TDateTime DateOf(TDateTime value);
