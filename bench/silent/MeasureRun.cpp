// Runs a command and reports its wall time and the peak resident memory of the
// process it started: one line "wall_us=N max_rss_kib=N status=N" on stderr, after
// the command's own output.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>

extern char** environ;

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: %s COMMAND [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (::posix_spawn(&child, argv[1], nullptr, nullptr, argv + 1, environ) != 0)
    {
        std::perror(argv[1]);
        return 2;
    }
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child)
    {
        std::perror("wait4");
        return 2;
    }
    const auto wall = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, "wall_us=%lld max_rss_kib=%ld status=%d\n",
                 static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(wall).count()),
                 usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    return 0;
}
