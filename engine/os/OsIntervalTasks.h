#pragma once
// Interval tasks: callbacks the OS manager runs on the user-interface thread from its
// dispatch, driven by one system timer (every timer tick forces a dispatch of all tasks;
// other messages run only the tasks that are due). The engine scheduler's tick and the
// framework's idle step are such tasks. A task may delete itself from inside its callback:
// it then goes once the callback has returned.
#include <cstdint>

#include "engine/base/EngineTypes.h"

constexpr EngineErr kOsmErrNotIntervalTask = 10051;
// Interval values: 0 stops the task, this one makes it due at every dispatch.
constexpr u32 kOsmEveryDispatch = 0xFFFFFFFFu;

struct osmIntervalTask;
using osmTaskProc = void (*)(osmIntervalTask* task, void* argument);

struct osmIntervalTask {
    u32 tag;
    osmIntervalTask* previous;
    osmIntervalTask* next;
    osmTaskProc callback;
    void* argument;
    u32 interval;
    u32 due;  // 0: not due
    u16 running;
    u16 deletePending;
};

osmIntervalTask* osmCreateIntervalTask(osmTaskProc callback, void* argument, u32 interval);
EngineErr osmSetTaskInterval(osmIntervalTask* task, u32 interval);
EngineErr osmDeleteIntervalTask(osmIntervalTask* task);
void osmDispatchTasks(u32 now, u16 force);
// Deletes every task (the OS manager's shut-down).
void osmDeleteAllIntervalTasks();
// The earliest moment any task is due, 0 when none is.
u32 osmNextTaskDue();
