/*
 * Lowers the largest file this process may write while the object lives,
 * so that a write really fails, even for root (who ignores folder
 * permissions). SIGXFSZ is ignored meanwhile: the write returns an error
 * instead of ending the test program. The limit holds for every thread.
 */
#ifndef QUILLORA_TEST_FILE_SIZE_LIMIT_H
#define QUILLORA_TEST_FILE_SIZE_LIMIT_H

#include <signal.h>
#include <sys/resource.h>

namespace quillora_test {

class FileSizeLimit {
public:
	explicit FileSizeLimit(rlim_t bytes)
	{
		getrlimit(RLIMIT_FSIZE, &fOld);
		fOldHandler = signal(SIGXFSZ, SIG_IGN);
		rlimit limit = fOld;
		limit.rlim_cur = bytes;
		setrlimit(RLIMIT_FSIZE, &limit);
	}

	~FileSizeLimit()
	{
		setrlimit(RLIMIT_FSIZE, &fOld);
		signal(SIGXFSZ, fOldHandler);
	}

	FileSizeLimit(const FileSizeLimit&) = delete;
	FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
	rlimit fOld;
	sighandler_t fOldHandler;
};

}	// namespace quillora_test

#endif	// QUILLORA_TEST_FILE_SIZE_LIMIT_H
