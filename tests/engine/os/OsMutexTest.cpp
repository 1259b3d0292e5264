#include "engine/os/OsMutex.h"

#include <gtest/gtest.h>

#include "engine/os/OsManager.h"
#include "engine/os/OsThreads.h"
#include "platform/clock/Clock.h"

namespace {

class OsMutexes : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(osmInit(nullptr), kErrNone); }
    void TearDown() override { osmShutdown(); }
    plat::ScopedFakeClock clock{100};
};

struct Holder {
    OsMutex* mutex;
    osmEvent* release;
};

void holdUntilReleased(void* argument) {
    auto* holder = static_cast<Holder*>(argument);
    osMutexTake(holder->mutex, kOsWaitForever);
    osmWaitForObject(holder->release, kOsmNoTimeout);
    osMutexRelease(holder->mutex);
}

// With switching forbidden, a mutex another engine thread holds can never come: that is a
// refusal, never a success the caller would then act on as the owner.
TEST_F(OsMutexes, WaitThatCouldNeverEndIsNotReportedAsTaken) {
    Holder holder{osMutexCreate(), osmCreateEvent(0)};
    osmThread* other = osmCreateThread(holdUntilReleased, &holder, 0, kOsmDefaultPriority);
    osmResumeThread(other);
    osmSleep(0);
    ASSERT_EQ(holder.mutex->owner(), other);

    ASSERT_EQ(osmForbidSwitching(), kErrNone);
    EXPECT_EQ(osMutexTake(holder.mutex, kOsWaitForever), kOsmErrEndlessWait);
    EXPECT_EQ(osMutexTake(holder.mutex, 10), kOsMutexTimeout);
    ASSERT_EQ(osmPermitSwitching(), kErrNone);

    osmSignalEvent(holder.release);
    EXPECT_EQ(osMutexTake(holder.mutex, kOsWaitForever), kErrNone);
    EXPECT_EQ(holder.mutex->owner(), osmGetMainThread());
    osMutexRelease(holder.mutex);
}

}  // namespace
