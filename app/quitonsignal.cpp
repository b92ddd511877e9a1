#include "app/quitonsignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <iterator>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int quitSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler can reach nothing but globals; this is the one, written once before
// the handlers are installed and cleared after they are removed.
volatile std::sig_atomic_t quitSignalWriteFd = -1;

extern "C" void forwardQuitSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Nothing to do on failure: a full pipe already holds a request to quit.
    [[maybe_unused]] const ssize_t written = ::write(quitSignalWriteFd, &byte, 1);
    errno = savedErrno;
}

} // namespace

QuitOnSignal::QuitOnSignal(QObject *parent)
    : QObject(parent)
{
    if (quitSignalWriteFd != -1 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds_) != 0)
        return;
    ::fcntl(fds_[0], F_SETFL, O_NONBLOCK);
    ::fcntl(fds_[1], F_SETFL, O_NONBLOCK);
    quitSignalWriteFd = fds_[1];
    notifier_ = new QSocketNotifier(fds_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitOnSignal::readSignal);

    struct sigaction action = {};
    action.sa_handler = forwardQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(quitSignals); ++i)
        ::sigaction(quitSignals[i], &action, &previous_[i]);
}

QuitOnSignal::~QuitOnSignal()
{
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < std::size(quitSignals); ++i)
        ::sigaction(quitSignals[i], &previous_[i], nullptr);
    quitSignalWriteFd = -1;
    ::close(fds_[0]);
    ::close(fds_[1]);
}

void QuitOnSignal::readSignal()
{
    unsigned char byte = 0;
    bool any = false;
    while (::read(fds_[0], &byte, 1) == 1) {
        any = true;
        emit received(byte);
    }
    if (any)
        QCoreApplication::quit();
}
