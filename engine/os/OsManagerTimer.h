#pragma once
// What the interval tasks need of the OS manager's system side: its timer, started with the
// first task and stopped with the last, and a way to give the processor away when the
// program idles in the background.

bool osmStartSystemTimer();
void osmStopSystemTimer();
void osmGiveUpTimeSlice();
