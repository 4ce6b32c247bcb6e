/** @file helper_process.cpp Starting and ending the helper programs that lie beside the program. */
#include "platform/helper_process.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <linux/landlock.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace platform {

namespace {

/**
 * The variables a helper is given from the program's environment: where
 * the libraries, Qt's plugins, the fonts and their caches lie, the
 * language, and the sanitizers' settings.
 */
constexpr const char *kHelperVariables[] = {
    "LD_LIBRARY_PATH", "QT_PLUGIN_PATH", "QT_QPA_PLATFORM_PLUGIN_PATH", "QT_QPA_FONTDIR", "QT_FONT_DPI",
    "FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME",
    "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_RUNTIME_DIR", "LANG", "LC_ALL", "LC_CTYPE",
    "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "ASAN_SYMBOLIZER_PATH",
};

/** Helpers killed that had not ended in time, reaped at the next kill. */
std::vector<pid_t> g_unreaped;
std::mutex g_unreapedLock;

/** Reaps what it can of the helpers killed earlier that had not ended then. */
void reapEarlier()
{
    const std::lock_guard lock(g_unreapedLock);
    std::erase_if(g_unreaped, [](pid_t pid) {
        int status = 0;
        const pid_t reaped = ::waitpid(pid, &status, WNOHANG);
        return reaped == pid || (reaped < 0 && errno == ECHILD);
    });
}

} // namespace

QByteArray helperProgram(const char *name)
{
    char program[4096];
    const ssize_t n = ::readlink("/proc/self/exe", program, sizeof program);
    if (n <= 0 || n >= ssize_t(sizeof program) || program[0] != '/')
        return {};
    QByteArray path(program, n);
    return path.left(path.lastIndexOf('/') + 1) + name;
}

std::vector<QByteArray> helperEnvironment()
{
    std::vector<QByteArray> environment;
    for (const char *name : kHelperVariables)
        if (const char *value = std::getenv(name))
            environment.push_back(QByteArray(name) + '=' + value);
    return environment;
}

void closeProcessFilesToHelpers()
{
    if (::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION) < 1)
        ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

pid_t spawnHelper(const QByteArray &program, std::vector<char *> &argv, int input, int output, bool errors,
                  const std::vector<QByteArray> *environment, int extra, int *error)
{
    if (program.isEmpty()) {
        if (error)
            *error = ENOENT;
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input >= 0)
        posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (output >= 0)
        posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (!errors)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (extra >= 0)
        posix_spawn_file_actions_adddup2(&actions, extra, STDERR_FILENO + 1);
    /* Whatever the program holds open, close-on-exec or not (what it inherited from whatever started it), stays
       the program's: the helper has the three standard descriptors only, and the extra one. */
    posix_spawn_file_actions_addclosefrom_np(&actions, extra >= 0 ? STDERR_FILENO + 2 : STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    /* A session of its own: no terminal of the program's to read, resize, take or hang up, and its own group, by
       which it is killed with whatever it started. */
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    std::vector<char *> envp;
    if (environment) {
        for (const QByteArray &variable : *environment)
            envp.push_back(const_cast<char *>(variable.constData()));
        envp.push_back(nullptr);
    }
    pid_t pid = -1;
    const int failed =
        posix_spawn(&pid, program.constData(), &actions, &attributes, argv.data(), environment ? envp.data() : environ);
    if (failed != 0)
        pid = -1;
    if (failed != 0 && error)
        *error = failed;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return pid;
}

int killHelper(pid_t pid)
{
    reapEarlier();
    /* The process itself, wherever it went, and the group it was started in, with what it started there. */
    ::kill(pid, SIGKILL);
    ::kill(-pid, SIGKILL);
    const auto deadline = std::chrono::steady_clock::now() + kHelperReapTime;
    for (auto pause = std::chrono::microseconds(20);; pause = std::min(pause * 2, std::chrono::microseconds(5000))) {
        int status = 0;
        const pid_t reaped = ::waitpid(pid, &status, WNOHANG);
        if (reaped == pid)
            return status;
        if (reaped < 0 && errno != EINTR)
            break;
        if (std::chrono::steady_clock::now() >= deadline) {
            const std::lock_guard lock(g_unreapedLock);
            g_unreaped.push_back(pid);
            break;
        }
        std::this_thread::sleep_for(pause);
    }
    /* Not ended in time, or not to be found: killed all the same. */
    return SIGKILL;
}

void killUnreaped(pid_t pid)
{
    ::kill(pid, SIGKILL);
    ::kill(-pid, SIGKILL);
}

int processHandle(pid_t pid)
{
    /* Close-on-exec by the kernel: a pidfd always is. */
    return int(::syscall(SYS_pidfd_open, pid, 0));
}

ProcessFigures processFigures(pid_t pid)
{
    ProcessFigures figures;
    char name[64];
    std::snprintf(name, sizeof name, "/proc/%d/status", int(pid));
    if (FILE *status = std::fopen(name, "re")) {
        char line[256];
        long long kb = 0;
        int threads = 0;
        while (std::fgets(line, sizeof line, status)) {
            if (std::sscanf(line, "VmHWM: %lld kB", &kb) == 1)
                figures.mostResident = kb * 1024;
            else if (std::sscanf(line, "Threads: %d", &threads) == 1)
                figures.threads = threads;
        }
        std::fclose(status);
    }
    return figures;
}

int64_t processorTimeLimit(pid_t pid)
{
    char name[64];
    std::snprintf(name, sizeof name, "/proc/%d/limits", int(pid));
    int64_t limit = -1;
    if (FILE *limits = std::fopen(name, "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, limits)) {
            /* "Max cpu time   <soft>   <hard>   seconds", each a number or "unlimited". */
            if (std::strncmp(line, "Max cpu time", 12) != 0)
                continue;
            char soft[32] = {};
            long long hard = 0;
            if (std::sscanf(line + 12, "%31s %lld", soft, &hard) == 2 && hard >= 0)
                limit = int64_t(hard) * 1000000000;
            break;
        }
        std::fclose(limits);
    }
    return limit;
}

} // namespace platform
