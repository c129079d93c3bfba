#pragma once

#include "Layer.h"

#include "Platform.h"

struct ISpVoice;

// The Windows speech API (SAPI 5, ISpVoice over COM). Speaking is asynchronous inside SAPI, so
// the window never waits; a Chinese voice is chosen when the system has one, and without one
// reading aloud is switched off with a reason the learner can act on.
class SapiSpeech : public Speech {
  public:
    ~SapiSpeech() override;
    bool available(QString* whyNot = nullptr) override;
    void whenLost(std::function<void()> told) override { lost_ = std::move(told); }
    void say(const QString& text) override;
    void stop() override;

  private:
    void start();
    void fail();

    bool looked_ = false;
    bool failed_ = false;
    bool comStarted_ = false;
    ISpVoice* voice_ = nullptr;
    std::function<void()> lost_;
};
