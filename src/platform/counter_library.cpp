/** @file counter_library.cpp The counter library of the call-on buttons, run by a helper program. */
#include "platform/counter_library.h"

#include "platform/counter_protocol.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "ui/sim_error.h"

#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace platform {

namespace {

namespace protocol = counter_protocol;
using Clock = std::chrono::steady_clock;

/** Longest answer read from the helper: a status, the scanned text and its zero. */
constexpr qsizetype kMaxAnswer = protocol::MaxScan + 2;

/** @return the helper program: kamenna-counter in the folder of the running program, as the file system's bytes. */
QByteArray helperPath()
{
    char program[4096];
    const ssize_t n = ::readlink("/proc/self/exe", program, sizeof program);
    if (n <= 0 || n >= ssize_t(sizeof program))
        return QByteArrayLiteral("kamenna-counter");
    QByteArray path(program, n);
    return path.left(path.lastIndexOf('/') + 1) + "kamenna-counter";
}

/** A started helper: its process and the read end of its answer pipe. */
struct Helper {
    pid_t pid = -1;  ///< Its process, also its process group; -1 when it did not start.
    int answer = -1; ///< The read end of the pipe of its standard output.
};

/**
 * Starts a program in a process group of its own, with its standard output
 * into a file descriptor, its input and its errors to nowhere, and every
 * signal at its default.
 * @return its process, or -1.
 */
pid_t spawnQuietly(const QByteArray &program, std::vector<char *> &argv, int output)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.constData(), &actions, &attributes, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return pid;
}

/** Starts the helper on a library, with the counter's text for a call, its output into a new pipe. */
Helper startHelper(const QByteArray &library, const std::optional<QByteArray> &text)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return {};
    const QByteArray program = helperPath();
    std::vector<char *> argv{const_cast<char *>(program.constData()), const_cast<char *>(library.constData())};
    if (text)
        argv.push_back(const_cast<char *>(text->constData()));
    argv.push_back(nullptr);
    Helper helper;
    helper.pid = spawnQuietly(program, argv, pipeEnds[1]);
    ::close(pipeEnds[1]);
    if (helper.pid < 0)
        ::close(pipeEnds[0]);
    else
        helper.answer = pipeEnds[0];
    return helper;
}

/** @return the milliseconds left until deadline, at least 0. */
int msLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

/** Reads the helper's answer up to its closing zero, its end of output or the deadline. */
QByteArray readAnswer(int fd, Clock::time_point deadline)
{
    QByteArray answer;
    char buffer[1024];
    while (!answer.contains('\0') && answer.size() <= kMaxAnswer) {
        pollfd waiting{fd, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, msLeft(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        answer.append(buffer, n);
    }
    return answer;
}

/**
 * Waits until the helper has ended or the deadline has passed, then kills
 * its process group: the helper if it still runs, and whatever the library
 * started in it.
 * @return whether the helper exited by itself with status 0.
 */
bool exitedCleanly(pid_t pid, Clock::time_point deadline)
{
    for (;;) {
        /* Looked at without reaping it, so that its group stays its own until it is killed. */
        siginfo_t info{};
        const int looked = ::waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT);
        if ((looked == 0 && info.si_pid == pid) || (looked < 0 && errno != EINTR) || msLeft(deadline) == 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(-pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

/**
 * Runs the helper on a library, to check it (no text) or to call its
 * function once, and waits at most AnswerTimeoutMs for its answer.
 * @return the answer: its status byte and what follows up to the closing
 *         zero; empty when the helper gave no whole answer or failed.
 */
QByteArray runHelper(const QString &library, const std::optional<QByteArray> &text)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(CounterLibrary::AnswerTimeoutMs);
    const Helper helper = startHelper(nativePath(library), text);
    if (helper.pid < 0)
        return {};
    QByteArray answer = readAnswer(helper.answer, deadline);
    ::close(helper.answer);
    const bool clean = exitedCleanly(helper.pid, deadline);
    const qsizetype end = answer.indexOf('\0');
    if (!clean || end < 1)
        return {};
    answer.truncate(end);
    return answer;
}

/** @return the failure of a library that cannot be loaded or failed while it ran. */
ui::SimError notLoadable(const QString &path)
{
    return ui::SimError(QStringLiteral("Knihovnu nelze načíst: %1").arg(path));
}

} // namespace

void CounterLibrary::load(const QString &dataDir)
{
    const QString path = resolvePath(dataDir + QStringLiteral("/Data/Lib/mavex.so"));
    /* Checked like every data file before anything opens it: a FIFO is never waited on. */
    if (checkRegularFile(path) != FileProblem::None)
        throw notLoadable(path);
    const QByteArray answer = runHelper(path, std::nullopt);
    if (answer == QByteArray(1, protocol::NoFunction))
        throw ui::SimError(QStringLiteral("V knihovně %1 chybí funkce A").arg(path));
    if (answer != QByteArray(1, protocol::Loaded))
        throw notLoadable(path);
    m_path = path;
}

QString CounterLibrary::call(const QString &counterText) const
{
    if (m_path.isEmpty())
        throw ui::SimError(QStringLiteral("Knihovna počítadel není načtena"));
    if (checkRegularFile(m_path) != FileProblem::None)
        throw notLoadable(m_path);
    /* The function reads a zero-terminated text: it ends at the first zero byte. */
    QByteArray argument = encodeCp1250(counterText);
    argument.truncate(qstrnlen(argument.constData(), size_t(argument.size())));
    const QByteArray answer = runHelper(m_path, argument);
    if (answer == QByteArray(1, protocol::NoText))
        throw ui::SimError(QStringLiteral("Funkce A knihovny %1 nevrátila text").arg(m_path));
    if (answer.isEmpty() || answer.at(0) != protocol::Text)
        throw notLoadable(m_path);
    return decodeCp1250(answer.mid(1, MaxResultLength));
}

} // namespace platform
