#pragma once

#include "Layer.h"

#include "Platform.h"

#include <QObject>
#include <QPointer>

class QTextToSpeech;

// Qt TextToSpeech. Looking for engines is a quick plugin scan, done on first use; the engine
// itself starts on a thread of its own, because speech-dispatcher may first have to be started
// and the window must never wait for it. Text asked for meanwhile is read once it is up.
class QtSpeech : public Speech {
  public:
    bool available(QString* whyNot = nullptr) override;
    void whenLost(std::function<void()> told) override { lost_ = std::move(told); }
    void say(const QString& text) override;
    void stop() override;

  private:
    void start();
    void started(QTextToSpeech* engine);
    void fail();

    bool looked_ = false;
    bool failed_ = false;
    QString pending_;
    QObject alive_; // queued hand-overs die with it
    QPointer<QTextToSpeech> engine_;
    std::function<void()> lost_;
};
