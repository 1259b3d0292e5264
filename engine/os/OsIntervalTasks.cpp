#include "engine/os/OsIntervalTasks.h"

#include "engine/os/OsLocalBlocks.h"
#include "engine/os/OsManager.h"
#include "engine/os/OsManagerTimer.h"
#include "platform/clock/Clock.h"
#include "platform/clock/ClockWaiter.h"

namespace {

constexpr u32 kTaskTag = fourCC("ITSK");

struct TaskState {
    osmIntervalTask* head = nullptr;
    u32 earliestDue = 0;
    u16 dispatching = 0;
    u32 idleDispatches = 0;
};

TaskState tasks;

bool isTask(const osmIntervalTask* task) { return task && task->tag == kTaskTag; }

// Due times of 0 mean "not due", so a computed moment of 0 moves on by one millisecond.
u32 dueMoment(u32 now, u32 interval) {
    if (interval == 0) return 0;
    const u32 due = interval == kOsmEveryDispatch ? now : now + interval;
    return due ? due : 1;
}

void noteDue(u32 due) {
    if (due && (tasks.earliestDue == 0 || int32_t(due - tasks.earliestDue) < 0)) tasks.earliestDue = due;
}

void unlinkAndFree(osmIntervalTask* task) {
    if (task->previous) task->previous->next = task->next;
    if (task->next) task->next->previous = task->previous;
    if (tasks.head == task) tasks.head = task->next;
    task->tag = 0;
    osmFreeLocal(task);
    if (!tasks.head) {
        osmStopSystemTimer();
        tasks.earliestDue = 0;
    }
}

}  // namespace

osmIntervalTask* osmCreateIntervalTask(osmTaskProc callback, void* argument, u32 interval) {
    if (!tasks.head && !osmStartSystemTimer()) {
        osmSetSystemError(kOsmErrSystemObjects);
        return nullptr;
    }
    auto* task = static_cast<osmIntervalTask*>(osmAllocLocal(sizeof(osmIntervalTask)));
    if (!task) {
        if (!tasks.head) osmStopSystemTimer();
        return nullptr;
    }
    *task = osmIntervalTask{kTaskTag, nullptr, tasks.head, callback, argument, 0, 0, 0, 0};
    if (tasks.head) tasks.head->previous = task;
    tasks.head = task;
    osmSetTaskInterval(task, interval);
    return task;
}

EngineErr osmSetTaskInterval(osmIntervalTask* task, u32 interval) {
    if (!isTask(task)) return osmSetSystemError(kOsmErrNotIntervalTask);
    task->interval = interval;
    task->due = dueMoment(plat::clockMillis(), interval);
    noteDue(task->due);
    return kErrNone;
}

EngineErr osmDeleteIntervalTask(osmIntervalTask* task) {
    if (!isTask(task)) return osmSetSystemError(kOsmErrNotIntervalTask);
    if (task->running) {
        task->deletePending = 1;
        return kErrNone;
    }
    unlinkAndFree(task);
    return kErrNone;
}

void osmDispatchTasks(u32 now, u16 force) {
    if (tasks.dispatching) return;
    if (!force && (tasks.earliestDue == 0 || !plat::clockReached(now, tasks.earliestDue))) return;
    tasks.dispatching = 1;
    tasks.earliestDue = 0;
    for (osmIntervalTask* task = tasks.head; task;) {
        if (!force && (task->due == 0 || !plat::clockReached(now, task->due))) {
            noteDue(task->due);
            task = task->next;
            continue;
        }
        task->running = 1;
        task->callback(task, task->argument);
        task->running = 0;
        // Read after the callback: it may have deleted the task that followed.
        osmIntervalTask* next = task->next;
        if (task->deletePending) {
            unlinkAndFree(task);
        } else {
            task->due = dueMoment(now, task->interval);
            noteDue(task->due);
        }
        task = next;
    }
    tasks.dispatching = 0;

    if (!force) {
        tasks.idleDispatches = 0;
    } else if (!osmIsAppActive()) {
        tasks.idleDispatches++;
        if (tasks.idleDispatches >= 2 && tasks.earliestDue == 0) osmGiveUpTimeSlice();
    }
}

void osmDeleteAllIntervalTasks() {
    for (osmIntervalTask* task = tasks.head; task;) {
        osmIntervalTask* next = task->next;
        osmDeleteIntervalTask(task);
        task = next;
    }
}

u32 osmNextTaskDue() { return tasks.earliestDue; }
