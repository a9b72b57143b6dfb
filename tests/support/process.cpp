#include "support/process.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace test_support {

RunResult run(std::string const& program, std::vector<std::string> const& args,
              std::string const& cwd, std::string const& input) {
    int to_child[2];
    int from_child[2];
    if (pipe(to_child) != 0 || pipe(from_child) != 0) throw std::runtime_error("pipe failed");

    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        dup2(to_child[0], STDIN_FILENO);
        dup2(from_child[1], STDOUT_FILENO);
        close(to_child[0]);
        close(to_child[1]);
        close(from_child[0]);
        close(from_child[1]);
        if (chdir(cwd.c_str()) != 0) _exit(126);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (auto const& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(to_child[0]);
    close(from_child[1]);
    signal(SIGPIPE, SIG_IGN);

    // Feed the input and drain the output together, so neither side can block the other.
    RunResult result;
    size_t written = 0;
    int in_fd = to_child[1];
    if (input.empty()) {
        close(in_fd);
        in_fd = -1;
    } else {
        fcntl(in_fd, F_SETFL, O_NONBLOCK);
    }
    char buf[65536];
    for (;;) {
        pollfd fds[2] = {{from_child[0], POLLIN, 0}, {in_fd, POLLOUT, 0}};
        int n = poll(fds, in_fd >= 0 ? 2 : 1, -1);
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (in_fd >= 0 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t w = write(in_fd, input.data() + written, input.size() - written);
            if (w > 0) written += static_cast<size_t>(w);
            if (w < 0 || written == input.size()) {
                close(in_fd);
                in_fd = -1;
            }
        }
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            ssize_t r = read(from_child[0], buf, sizeof buf);
            if (r <= 0) break;
            result.out.append(buf, static_cast<size_t>(r));
        }
    }
    if (in_fd >= 0) close(in_fd);
    close(from_child[0]);

    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace test_support
