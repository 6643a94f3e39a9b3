#pragma once
// The lunar routines behind the lunar-day overlay of the chart: the Julian Day
// Number of a Gregorian date and the age of the moon on that date. Pure
// functions without state.

namespace vargis::catalogue {

// The Julian Day Number of a Gregorian date, by the integer formula that
// counts March as the first month of the computing year. 1 January 2000 gives
// 2451545.
long long julianDay(int year, int month, int day);

// The age of the moon in days, 0 <= age < 29.53058: the phase of the Julian
// Day Number in the mean synodic month of 29.530589 days. An age at or above
// 29.53058 is taken as 0.
double moonAge(int year, int month, int day);

// The lunar day of a date: the whole days of moonAge, 0..29.
int lunarDay(int year, int month, int day);

} // namespace vargis::catalogue
