#pragma once

#include "Platform.h"

class QTextToSpeech;

// Qt TextToSpeech, started on first use: looking for an engine costs a plugin scan, and
// speech-dispatcher may take a moment to answer, so start-up never pays for it.
class QtSpeech : public Speech {
  public:
    ~QtSpeech() override;
    bool available(QString* whyNot = nullptr) override;
    void say(const QString& text) override;
    void stop() override;

  private:
    void start();
    bool started_ = false;
    QTextToSpeech* engine_ = nullptr;
    QString whyNot_;
};
