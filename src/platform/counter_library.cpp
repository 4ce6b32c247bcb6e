/** @file counter_library.cpp The counter library of the call-on buttons, run by a helper program. */
#include "platform/counter_library.h"

#include "platform/counter_protocol.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/helper_process.h"
#include "ui/sim_error.h"

#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

namespace protocol = counter_protocol;
using Clock = std::chrono::steady_clock;

/** Longest answer read from the helper: a status, the scanned text and its zero. */
constexpr qsizetype kMaxAnswer = protocol::MaxScan + 2;

/** A started helper: its process and the read end of its answer pipe. */
struct Helper {
    pid_t pid = -1;  ///< Its process, also its process group; -1 when it did not start.
    int answer = -1; ///< The read end of the pipe of its standard output.
};

/** Starts the helper on a library, with the counter's text for a call, its output into a new pipe. */
Helper startHelper(const QByteArray &library, const std::optional<QByteArray> &text)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return {};
    const QByteArray program = helperProgram("kamenna-counter");
    std::vector<char *> argv{const_cast<char *>(program.constData()), const_cast<char *>(library.constData())};
    if (text)
        argv.push_back(const_cast<char *>(text->constData()));
    argv.push_back(nullptr);
    Helper helper;
    helper.pid = spawnHelper(program, argv, -1, pipeEnds[1], false);
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
    const int status = killHelper(pid);
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
