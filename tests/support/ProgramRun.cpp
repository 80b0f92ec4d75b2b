#include "ProgramRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillora_test {

ProgramRun
RunProgram(const std::vector<std::string>& arguments,
	const std::string& configHome, const char* outputFile)
{
	int outPipe[2];
	int errPipe[2];
	ProgramRun result;
	if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
		return result;

	pid_t child = fork();
	if (child == 0) {
		if (outputFile != nullptr) {
			int output = open(outputFile, O_WRONLY);
			if (output < 0)
				_exit(126);
			dup2(output, 1);
		} else
			dup2(outPipe[1], 1);
		dup2(errPipe[1], 2);
		close(outPipe[0]);
		close(errPipe[0]);
		setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
		// The batch modes pick the offscreen platform themselves.
		unsetenv("QT_QPA_PLATFORM");
		unsetenv("DISPLAY");
		std::vector<char*> argv;
		std::string program = QUILLORA_BINARY_DIR "/Quillora";
		argv.push_back(&program[0]);
		for (const std::string& argument : arguments)
			argv.push_back(const_cast<char*>(argument.c_str()));
		argv.push_back(nullptr);
		execv(argv[0], argv.data());
		_exit(127);
	}
	close(outPipe[1]);
	close(errPipe[1]);

	pollfd fds[2] = { { outPipe[0], POLLIN, 0 }, { errPipe[0], POLLIN, 0 } };
	int open = 2;
	while (open > 0) {
		if (poll(fds, 2, 60000) <= 0) {
			// A run that never ends (a window waiting for a user) fails the
			// test instead of hanging it.
			kill(child, SIGKILL);
			break;
		}
		for (pollfd& fd : fds) {
			if (fd.fd < 0 || (fd.revents & (POLLIN | POLLHUP)) == 0)
				continue;
			char buffer[65536];
			ssize_t got = read(fd.fd, buffer, sizeof(buffer));
			if (got <= 0) {
				close(fd.fd);
				fd.fd = -1;
				open--;
				continue;
			}
			(fd.fd == fds[0].fd ? result.out : result.err).append(buffer,
				size_t(got));
		}
	}
	int status;
	waitpid(child, &status, 0);
	result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	return result;
}


std::string
WithLineFeeds(const std::string& text)
{
	std::string out;
	out.reserve(text.size());
	for (size_t i = 0; i < text.size(); i++) {
		if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
			continue;
		out += text[i];
	}
	return out;
}

}	// namespace quillora_test
