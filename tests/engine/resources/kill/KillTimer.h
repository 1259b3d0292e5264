// The kill children's own end: SIGKILL after the given time on the monotonic clock, so the
// process dies wherever its save has got to. False when the timer cannot be made or started.
#pragma once

#include <signal.h>
#include <time.h>

inline bool armKillTimer(long microseconds) {
    sigevent event{};
    event.sigev_notify = SIGEV_SIGNAL;
    event.sigev_signo = SIGKILL;
    timer_t timer;
    if (timer_create(CLOCK_MONOTONIC, &event, &timer) != 0) return false;
    itimerspec when{};
    when.it_value.tv_sec = microseconds / 1000000;
    when.it_value.tv_nsec = (microseconds % 1000000) * 1000 + 1;
    return timer_settime(timer, 0, &when, nullptr) == 0;
}
