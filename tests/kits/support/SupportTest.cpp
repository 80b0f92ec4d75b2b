// Locks, lists, status codes and the beep.
#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include <Beep.h>
#include <Errors.h>
#include <List.h>
#include <Locker.h>

TEST(Locker, RecursiveForItsOwnerExclusiveForOthers)
{
	BLocker locker("test");
	ASSERT_TRUE(locker.Lock());
	ASSERT_TRUE(locker.Lock());
	EXPECT_EQ(locker.CountLocks(), 2);
	EXPECT_TRUE(locker.IsLocked());

	status_t fromOther = B_OK;
	bool otherSeesLocked = true;
	std::thread other([&] {
		fromOther = locker.LockWithTimeout(20000);
		otherSeesLocked = locker.IsLocked();
	});
	other.join();
	EXPECT_EQ(fromOther, B_TIMED_OUT);
	EXPECT_FALSE(otherSeesLocked);	// IsLocked is about the caller

	locker.Unlock();
	EXPECT_EQ(locker.CountLocks(), 1);
	locker.Unlock();
	EXPECT_EQ(locker.LockingThread(), -1);

	std::thread taker([&] {
		fromOther = locker.LockWithTimeout(1000000);
		if (fromOther == B_OK)
			locker.Unlock();
	});
	taker.join();
	EXPECT_EQ(fromOther, B_OK);

	// Unlocking a lock one does not hold changes nothing.
	ASSERT_TRUE(locker.Lock());
	std::thread stranger([&] { locker.Unlock(); });
	stranger.join();
	EXPECT_EQ(locker.CountLocks(), 1);
	locker.Unlock();
}


TEST(Locker, AutolockReleasesAtScopeEnd)
{
	BLocker locker;
	{
		BAutolock autolock(locker);
		EXPECT_TRUE(autolock.IsLocked());
		EXPECT_EQ(locker.CountLocks(), 1);
	}
	EXPECT_EQ(locker.CountLocks(), 0);
}


TEST(List, InsertRemoveAndSelfAppend)
{
	int a, b, c;
	BList list(2);
	EXPECT_TRUE(list.AddItem(&a));
	EXPECT_TRUE(list.AddItem(&c));
	EXPECT_TRUE(list.AddItem(&b, 1));
	EXPECT_FALSE(list.AddItem(&b, 5));
	ASSERT_EQ(list.CountItems(), 3);
	EXPECT_EQ(list.ItemAt(1), &b);
	EXPECT_EQ(list.ItemAt(3), nullptr);
	EXPECT_EQ(list.ItemAt(-1), nullptr);

	// Appending a list to itself doubles it.
	EXPECT_TRUE(list.AddList(&list));
	ASSERT_EQ(list.CountItems(), 6);
	EXPECT_EQ(list.ItemAt(3), &a);
	EXPECT_EQ(list.ItemAt(5), &c);

	EXPECT_FALSE(list.RemoveItems(4, 3));
	EXPECT_TRUE(list.RemoveItems(1, 3));
	ASSERT_EQ(list.CountItems(), 3);
	EXPECT_EQ(list.ItemAt(0), &a);
	EXPECT_EQ(list.ItemAt(1), &b);
	EXPECT_TRUE(list.MoveItem(0, 2));
	EXPECT_EQ(list.ItemAt(2), &a);
	EXPECT_EQ(list.IndexOf(&c), 1);
	EXPECT_TRUE(list.RemoveItem(&c));
	EXPECT_FALSE(list.HasItem(&c));

	BList copy(list);
	EXPECT_TRUE(copy == list);
	copy.MakeEmpty();
	EXPECT_TRUE(copy.IsEmpty());
	EXPECT_EQ(list.CountItems(), 2);
}


TEST(Errors, HostErrorsBecomeStatusCodes)
{
	int fd = open("/nonexistent-quillora-dir/file", O_RDONLY);
	ASSERT_LT(fd, 0);
	EXPECT_EQ(status_for_errno(errno), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(status_for_errno(EEXIST), B_FILE_EXISTS);
	EXPECT_EQ(status_for_errno(EACCES), B_PERMISSION_DENIED);
	EXPECT_EQ(status_for_errno(ENOTDIR), B_NOT_A_DIRECTORY);
	EXPECT_EQ(status_for_errno(0), B_OK);

	// Codes without a name stay negative and distinct, and go back.
	status_t odd = status_for_errno(EDOM);
	EXPECT_LT(odd, 0);
	EXPECT_NE(odd, status_for_errno(ERANGE));
	EXPECT_EQ(errno_for_status(odd), EDOM);
	EXPECT_EQ(errno_for_status(B_ENTRY_NOT_FOUND), ENOENT);
	EXPECT_STREQ(strerror_status(B_ENTRY_NOT_FOUND),
		"No such file or directory");
	EXPECT_STREQ(strerror_status(12345), "Unknown error");
}


static std::atomic<int> sHookCalls(0);

static void
count_hook()
{
	sHookCalls++;
}


TEST(Beep, CountsCallsAndReachesTheHook)
{
	int32 before = beep_count();
	EXPECT_EQ(beep(), B_OK);
	EXPECT_EQ(beep_count(), before + 1);

	set_beep_hook(count_hook);
	std::thread other([] { beep(); });
	other.join();
	beep();
	set_beep_hook(nullptr);
	beep();
	EXPECT_EQ(sHookCalls.load(), 2);
	EXPECT_EQ(beep_count(), before + 4);
}
