// A run killed while its output waits for a reader leaves only whole rows.
// Signals and pipes as tested here are POSIX's.

#ifndef _WIN32

#include "cli/tests/run.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The state letter of /proc/PID/stat: 'S' while it waits, here only for the
// full pipe, as its input is a regular file.
char stateOf(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() ? line[close + 2] : '?';
}

TEST(StandardOutput, AKillWhileThePipeIsFullLeavesWholeRows) {
    const std::string row = "diagonal,100,,,2214,1245,100,2238,1269,12,,\n";
    const std::filesystem::path dir = testFolder();
    std::string rows;
    for (int i = 0; i < 20000; ++i) {
        rows += "diagonal,100\n";
    }
    writeInput(dir, rows);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        dup2(open((dir / "in").c_str(), O_RDONLY), STDIN_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        std::signal(SIGTERM, SIG_DFL);
        execl(SCREENCALC_EXE, "screencalc", "--batch", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    // Nobody reads: the program fills the pipe and then waits in a write.
    for (int i = 0; i < 1000 && stateOf(pid) != 'S'; ++i) {
        usleep(10000);
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    std::string out;
    char buffer[1 << 16];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        out.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    ASSERT_EQ(out.rfind(heading, 0), 0u);
    out.erase(0, heading.size());
    std::string whole;
    while (whole.size() < out.size()) {
        whole += row;
    }
    EXPECT_GT(out.size(), 0u);
    EXPECT_TRUE(out == whole) << "ends in " << out.substr(out.size() - row.size());
    std::filesystem::remove_all(dir);
}

} // namespace

#endif
