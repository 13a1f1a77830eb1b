// Synchronisation wrappers.
#include "afx/Afx.h"

#include <gtest/gtest.h>

TEST(MultiLock, ReportsLowestSignalledIndexAndResetsOnlyThatEvent)
{
    CEvent first(FALSE, FALSE, "AfxTestFirst");
    CEvent second(FALSE, FALSE, "AfxTestSecond");
    CSyncObject* objects[] = { &first, &second };
    CMultiLock lock(objects, 2);
    second.SetEvent();
    first.SetEvent();
    EXPECT_EQ(lock.Lock(0, FALSE, 0), WAIT_OBJECT_0);
    EXPECT_EQ(lock.Lock(0, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(lock.Lock(0, FALSE, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST(Event, NamedEventIsSharedAndKeepsItsFirstSettings)
{
    CEvent created(FALSE, FALSE, "AfxTestShared");
    ASSERT_NE(created.m_hObject, nullptr);
    CEvent opened(TRUE, TRUE, "AfxTestShared");  // opens: state and mode unchanged
    ASSERT_NE(opened.m_hObject, nullptr);
    EXPECT_EQ(::WaitForSingleObject(created, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    opened.SetEvent();
    EXPECT_EQ(::WaitForSingleObject(created, 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(created, 0), static_cast<DWORD>(WAIT_TIMEOUT));  // auto-reset
}

TEST(SingleLock, TracksWhetherItHoldsTheMutex)
{
    CMutex mutex;
    CSingleLock lock(&mutex);
    EXPECT_FALSE(lock.IsLocked());
    EXPECT_TRUE(lock.Unlock());  // nothing held: no effect
    EXPECT_TRUE(lock.Lock(INFINITE));
    EXPECT_TRUE(lock.IsLocked());
    EXPECT_TRUE(lock.Unlock());
    EXPECT_FALSE(lock.IsLocked());
}
