#include "TimedCommand.h"

#include <sys/wait.h>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <fstream>

extern char** environ;

namespace orv::bench {

TimedRun runTimed(const std::vector<std::string>& command, const std::string& aliasStore,
                  const std::string& reportFile) {
    std::vector<std::string> arguments = {"/usr/bin/time", "-f", "%e %M %U %S", "-o", reportFile};
    arguments.insert(arguments.end(), command.begin(), command.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = {"ORVELNOST_ALIASI=" + aliasStore};
    for (char** variable = environ; *variable; ++variable)
        if (std::string(*variable).rfind("ORVELNOST_ALIASI=", 0) != 0)
            environment.push_back(*variable);
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    TimedRun result;
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        if (waitpid(child, &status, 0) == child)
            result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    std::ifstream report(reportFile);
    double user = 0, system = 0;
    report >> result.seconds >> result.peakKiB >> user >> system;
    result.cpuSeconds = user + system;
    return result;
}

} // namespace orv::bench
