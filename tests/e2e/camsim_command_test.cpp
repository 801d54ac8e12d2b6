// The camsim command as a technician uses it: serving a camera and starting a program wired to
// it, whose exit status it passes on.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct CommandRun {
    std::string output;
    int status = -1;
};

CommandRun RunCommand(const std::string& command) {
    CommandRun run;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return run;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe) != nullptr)
        run.output += chunk;
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

const std::string kCamsim = CAMSIM_COMMAND;

TEST(CamsimCommand, StartsTheProgramOnTheSimulatedPortAndPassesItsStatusOn) {
    struct Case {
        const char* program;
        int status;
    };
    const Case cases[] = {
        {"sh -c 'test -c \"$QORLINK_COM1\"'", 0},
        {"sh -c 'exit 3'", 3},
    };
    for (const Case& k : cases)
        EXPECT_EQ(RunCommand(kCamsim + " -- " + k.program).status, k.status);
}

TEST(CamsimCommand, ServesACameraTheLinkLibraryFinds) {
    const CommandRun run = RunCommand(kCamsim + " -- " + LINK_STATUS_PROGRAM);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("port: 1\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("ready: 1\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("close: 0\n"), std::string::npos) << run.output;
}

TEST(CamsimCommand, RefusesUnknownOptions) {
    EXPECT_EQ(RunCommand(kCamsim + " --no-such-option").status, 2);
}

}  // namespace
