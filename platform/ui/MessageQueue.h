#pragma once
// One message queue per system thread, made when the thread first needs it. Posting is
// thread-safe and wakes the queue's thread; taking messages, hooks and timers belong to the
// queue's own thread.
//
// Order of what a thread takes: posted messages first, in the order posted; then, when no
// posted message waits, one timer message per due timer (a timer is never pending twice; it
// is due again one period after its message was taken). Get-message hooks see every
// message the thread removes from its queue, newest hook first, and may change it.
//
// getMessage and waitForMessage block without spinning until a message is posted, a timer
// falls due or the thread is woken; with a fake clock a timer falls due only when a test
// advances the clock.
#include <cstdint>
#include <functional>
#include <thread>

#include "platform/ui/Messages.h"

namespace plat {

bool postMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
bool postThreadMessage(std::thread::id thread, uint32_t message, uintptr_t wParam, intptr_t lParam);
void postQuitMessage(int exitCode);

bool peekMessage(Message& out, bool remove);
// False when the message taken is kMsgQuit.
bool getMessage(Message& out);
intptr_t dispatchMessage(const Message& message);
// Returns when a message may be ready: one was posted, a timer fell due, or a wake came.
void waitForMessage();
// Thread-safe: ends a waitForMessage of that thread.
void wakeThread(std::thread::id thread);

using GetMessageHook = std::function<void(Message& message)>;
int addGetMessageHook(GetMessageHook hook);
void removeGetMessageHook(int hook);

// Replaces a timer of the same window and id. Only for windows of the calling thread.
bool setTimer(WindowHandle window, uintptr_t id, uint32_t periodMs);
bool killTimer(WindowHandle window, uintptr_t id);

// The application gained or lost the user's focus: every window hears kMsgActivateApp
// with wParam 1 or 0 through its queue. Thread-safe; the display backend calls it.
void postAppActivation(bool active);

// Throws away the calling thread's posted messages numbered first..last (both included), as
// when the program drops the keys or clicks the user made while it was busy.
void discardMessages(uint32_t first, uint32_t last);

// For the windows module: forgets the window's timers and posted messages.
void discardWindowMessages(WindowHandle window);

}  // namespace plat
