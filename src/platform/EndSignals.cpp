#include "EndSignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_WIN
// Windows sends none of these signals (a logout reaches Qt as session messages): nothing to catch.
void EndSignals::catchThem() {}
EndSignals::EndSignals(std::function<void(int)> received, QObject* parent)
    : QObject(parent), received_(std::move(received)) {}
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1};

extern "C" void onSignal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    // Nothing more can be done in a handler if the pipe is full: enough are waiting.
    [[maybe_unused]] const auto written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

} // namespace

void EndSignals::catchThem() {
    if (pipeEnds[0] >= 0) return;
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        sigaction(number, &action, nullptr);
}

EndSignals::EndSignals(std::function<void(int)> received, QObject* parent)
    : QObject(parent), received_(std::move(received)) {
    if (pipeEnds[0] < 0) return;
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        while (::read(pipeEnds[0], &byte, 1) == 1)
            received_(byte);
    });
}
#endif
