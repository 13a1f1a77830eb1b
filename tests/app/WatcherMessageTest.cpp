#include "shared/ExternalNames.h"
#include "app/WatcherMessage.h"

#include <gtest/gtest.h>

TEST(WatcherMessage, NotifyGivesRefreshCloseGivesShutDownOtherResultsNothing)
{
    EXPECT_EQ(WatcherMessageFor(WAIT_OBJECT_0), WM_STATUS_CHANGED);
    EXPECT_EQ(WatcherMessageFor(WAIT_OBJECT_0 + 1), WM_CLOSE_REQUEST);
    EXPECT_EQ(WatcherMessageFor(WAIT_OBJECT_0 + 2), 0u);
    EXPECT_EQ(WatcherMessageFor(WAIT_TIMEOUT), 0u);
    EXPECT_EQ(WatcherMessageFor(WAIT_FAILED), 0u);
    EXPECT_EQ(WatcherMessageFor(WAIT_ABANDONED_0), 0u);
}
