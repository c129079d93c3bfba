#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C in a terminal) end the program the
// way 退出 does: the signal is written into a pipe and read back on the window's thread.
class EndSignals : public QObject {
    Q_OBJECT
  public:
    // Catches the signals from now on; call first thing in main. A signal that comes before
    // anyone listens waits in the pipe. A second signal of the same kind ends the program
    // at once, as without this.
    static void catchThem();
    // `received` runs on this object's thread for each signal caught.
    explicit EndSignals(std::function<void(int)> received, QObject* parent = nullptr);

  private:
    std::function<void(int)> received_;
    QSocketNotifier* notifier_ = nullptr;
};
