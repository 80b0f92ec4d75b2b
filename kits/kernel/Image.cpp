/*
 * load_image(): programs started from an argument vector, never a shell.
 *
 * The child is forked at once, so its id can be handed back, and then waits
 * at a gate (a pipe) until resume_thread() opens it; only then does it exec
 * the program. A second pipe, closed by a successful exec, tells the parent
 * whether the program really started. Between fork and exec the child makes
 * only async-signal-safe calls, because the parent has other threads.
 *
 * Every child gets a reaper thread that waits for it, so ended children never
 * stay zombies, and records how it ended for wait_for_thread().
 */
#include <image.h>

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <BootPaths.h>

#include "Teams.h"

extern char** environ;

namespace {

struct Child {
	pid_t	pid;
	int		gate;			// write end; -1 once opened
	int		execResult;		// read end; -1 once read
	bool	started;
	bool	ended;
	int		waitStatus;
};

std::mutex sLock;
std::condition_variable sEnded;
std::map<pid_t, std::shared_ptr<Child>> sChildren;

void
Reap(std::shared_ptr<Child> child)
{
	// Wait without collecting first: while the child is not collected its
	// pid cannot be reused, so signal_child() may use it under the lock.
	siginfo_t info;
	int result;
	do {
		memset(&info, 0, sizeof(info));
		result = waitid(P_PID, child->pid, &info, WEXITED | WNOWAIT);
	} while (result < 0 && errno == EINTR);

	std::lock_guard<std::mutex> lock(sLock);
	int status = 0;
	pid_t collected;
	do
		collected = waitpid(child->pid, &status, 0);
	while (collected < 0 && errno == EINTR);
	child->ended = true;
	child->waitStatus = collected == child->pid ? status : 0;
	sEnded.notify_all();
}

std::shared_ptr<Child>
FindChild(pid_t pid)
{
	auto found = sChildren.find(pid);
	return found != sChildren.end() ? found->second : nullptr;
}

void
ClosePipe(int fds[2])
{
	if (fds[0] >= 0)
		close(fds[0]);
	if (fds[1] >= 0)
		close(fds[1]);
}

// Runs in the forked child: only async-signal-safe calls from here on.
[[noreturn]] void
ChildMain(int gate, int execResult, const char* path, char* const* argv,
	char* const* envp)
{
	char go = 0;
	ssize_t count;
	do
		count = read(gate, &go, 1);
	while (count < 0 && errno == EINTR);
	// The parent went away or killed the launch without resuming it.
	if (count != 1)
		_exit(127);

	// The program starts with a clean signal state, not the mask of the
	// thread that happened to call load_image().
	sigset_t none;
	sigemptyset(&none);
	sigprocmask(SIG_SETMASK, &none, NULL);
	struct sigaction action;
	memset(&action, 0, sizeof(action));
	action.sa_handler = SIG_DFL;
	sigaction(SIGPIPE, &action, NULL);

	execve(path, argv, envp);
	int error = errno;
	ssize_t ignored = write(execResult, &error, sizeof(error));
	(void)ignored;
	_exit(127);
}

}	// namespace

thread_id
load_image(int32 argc, const char** argv, const char** envp)
{
	if (argc < 1 || argv == NULL || argv[0] == NULL)
		return B_BAD_VALUE;
	for (int32 i = 0; i < argc; i++) {
		if (argv[i] == NULL)
			return B_BAD_VALUE;
	}

	// Everything the child needs is built before the fork.
	std::vector<std::string> arguments;
	if (BPrivate::is_web_browser_path(argv[0])) {
		// The browser is a whole command of its own: the address it is
		// given goes where that command wants it.
		arguments = BPrivate::web_browser_command(argc > 1 ? argv[1] : NULL);
		if (arguments.empty())
			return B_ENTRY_NOT_FOUND;
		arguments.insert(arguments.end(), argv + std::min<int32>(argc, 2),
			argv + argc);
	} else {
		arguments.assign(argv, argv + argc);
		arguments[0] = BPrivate::boot_path(argv[0]);
		if (arguments[0].find('/') == std::string::npos)
			arguments[0] = BPrivate::find_in_path(arguments[0].c_str());
	}
	std::string path = arguments[0];
	struct stat st;
	if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)
		|| access(path.c_str(), X_OK) != 0)
		return B_ENTRY_NOT_FOUND;
	std::vector<char*> argumentVector;
	for (std::string& argument : arguments)
		argumentVector.push_back(&argument[0]);
	argumentVector.push_back(NULL);

	const char* const* environment
		= envp != NULL ? envp : (const char* const*)environ;
	std::vector<std::string> variables;
	for (const char* const* variable = environment; *variable != NULL;
			variable++)
		variables.push_back(*variable);
	std::vector<char*> environmentVector;
	for (std::string& variable : variables)
		environmentVector.push_back(&variable[0]);
	environmentVector.push_back(NULL);

	int gate[2] = { -1, -1 };
	int execResult[2] = { -1, -1 };
	// The gate is a socket pair so that opening it for a child that died
	// meanwhile gives an error instead of SIGPIPE.
	if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gate) != 0
		|| pipe2(execResult, O_CLOEXEC) != 0) {
		status_t status = status_for_errno(errno);
		ClosePipe(gate);
		ClosePipe(execResult);
		return status;
	}

	std::shared_ptr<Child> child = std::make_shared<Child>();
	pid_t pid = fork();
	if (pid < 0) {
		status_t status = status_for_errno(errno);
		ClosePipe(gate);
		ClosePipe(execResult);
		return status == B_NO_MEMORY ? status : B_NO_MORE_TEAMS;
	}
	if (pid == 0) {
		close(gate[1]);
		close(execResult[0]);
		ChildMain(gate[0], execResult[1], path.c_str(),
			argumentVector.data(), environmentVector.data());
	}

	close(gate[0]);
	close(execResult[1]);
	child->pid = pid;
	child->gate = gate[1];
	child->execResult = execResult[0];
	child->started = false;
	child->ended = false;
	child->waitStatus = 0;
	{
		std::lock_guard<std::mutex> lock(sLock);
		sChildren[pid] = child;
	}
	try {
		std::thread(Reap, child).detach();
	} catch (...) {
		// Without a reaper the child would end as a zombie: do not start it.
		kill(pid, SIGKILL);
		Reap(child);
		std::lock_guard<std::mutex> lock(sLock);
		close(child->gate);
		close(child->execResult);
		sChildren.erase(pid);
		return B_NO_MORE_THREADS;
	}
	return pid;
}

namespace BPrivate {

child_state
child_state_of(pid_t pid)
{
	std::lock_guard<std::mutex> lock(sLock);
	std::shared_ptr<Child> child = FindChild(pid);
	if (child == nullptr)
		return CHILD_UNKNOWN;
	if (child->ended)
		return CHILD_ENDED;
	return child->started ? CHILD_RUNNING : CHILD_LOADED;
}

status_t
start_child(pid_t pid)
{
	int gate, execResult;
	{
		std::lock_guard<std::mutex> lock(sLock);
		std::shared_ptr<Child> child = FindChild(pid);
		if (child == nullptr)
			return B_BAD_THREAD_ID;
		if (child->started || child->ended)
			return B_BAD_THREAD_STATE;
		child->started = true;
		gate = child->gate;
		execResult = child->execResult;
		child->gate = -1;
		child->execResult = -1;
	}

	char go = 1;
	ssize_t count;
	do
		count = send(gate, &go, 1, MSG_NOSIGNAL);
	while (count < 0 && errno == EINTR);
	close(gate);

	// Closed by the exec (success) or carrying its errno (failure).
	int error = 0;
	do
		count = read(execResult, &error, sizeof(error));
	while (count < 0 && errno == EINTR);
	close(execResult);
	if (count == (ssize_t)sizeof(error))
		return error == ENOENT ? B_ENTRY_NOT_FOUND : status_for_errno(error);
	return B_OK;
}

status_t
wait_child(pid_t pid, status_t* exitStatus)
{
	std::unique_lock<std::mutex> lock(sLock);
	std::shared_ptr<Child> child = FindChild(pid);
	if (child == nullptr)
		return B_BAD_THREAD_ID;
	sEnded.wait(lock, [&child] { return child->ended; });
	sChildren.erase(pid);
	if (exitStatus != NULL) {
		if (WIFEXITED(child->waitStatus))
			*exitStatus = WEXITSTATUS(child->waitStatus);
		else
			*exitStatus = B_INTERRUPTED;
	}
	return B_OK;
}

status_t
signal_child(pid_t pid, int signal)
{
	std::lock_guard<std::mutex> lock(sLock);
	std::shared_ptr<Child> child = FindChild(pid);
	if (child == nullptr)
		return B_BAD_THREAD_ID;
	if (child->ended)
		return B_BAD_THREAD_ID;
	// Under the lock the reaper has not collected it, so the pid still names
	// our child.
	if (kill(pid, signal) != 0)
		return status_for_errno(errno);
	if (signal == SIGKILL && !child->started) {
		// It will never run: close its gate so nobody tries to open it.
		child->started = true;
		close(child->gate);
		close(child->execResult);
		child->gate = child->execResult = -1;
	}
	return B_OK;
}

}	// namespace BPrivate
