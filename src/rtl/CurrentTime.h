// CurrentTime: the present moment as date values, on the user's local clock.
#pragma once

namespace rtl {

// Today's date and the time of day together.
double Now();
// Today at midnight.
double Date();
// The time of day alone (a fraction of a day).
double Time();

}  // namespace rtl
