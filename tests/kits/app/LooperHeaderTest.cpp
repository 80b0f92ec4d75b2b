// <Looper.h> alone is enough for code that also uses BList and the kernel
// kit's calls, as BeOS sources expect: this file includes nothing else of
// the kits and would not build otherwise.
#include <gtest/gtest.h>

#include <Looper.h>

TEST(Headers, LooperBringsListAndKernelCalls)
{
	BList list;
	int first = 1, second = 2;
	ASSERT_TRUE(list.AddItem(&first));
	ASSERT_TRUE(list.AddItem(&second));
	EXPECT_EQ(2, list.CountItems());
	EXPECT_EQ(&second, list.ItemAt(1));

	bigtime_t before = system_time();
	EXPECT_EQ(B_OK, snooze(1000));
	EXPECT_GE(system_time() - before, 1000);
	thread_id self = find_thread(NULL);
	thread_info info;
	EXPECT_EQ(B_OK, get_thread_info(self, &info));
	EXPECT_EQ(self, info.thread);
}
