#include "QtSpeech.h"

#include <QLocale>
#include <QTextToSpeech>

namespace {
const QString Install = QStringLiteral(
    "朗读需要语音引擎：请安装 qt6-speech-speechd-plugin、speech-dispatcher 和 espeak-ng"
    "（sudo apt install qt6-speech-speechd-plugin speech-dispatcher espeak-ng）。");
}

QtSpeech::~QtSpeech() {
    delete engine_;
}

void QtSpeech::start() {
    if (started_) return;
    started_ = true;
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.isEmpty()) {
        whyNot_ = Install;
        return;
    }
    // speech-dispatcher speaks Mandarin through espeak-ng; any other engine is a fallback.
    const QString name =
        engines.contains(QStringLiteral("speechd")) ? QStringLiteral("speechd") : engines.first();
    engine_ = new QTextToSpeech(name);
    if (engine_->state() == QTextToSpeech::Error) {
        delete engine_;
        engine_ = nullptr;
        whyNot_ = Install;
        return;
    }
    // The questions are Mandarin, whatever the desktop's language.
    QLocale chinese(QLocale::Chinese, QLocale::China);
    for (const QLocale& locale : engine_->availableLocales())
        if (locale.language() == QLocale::Chinese) {
            chinese = locale;
            break;
        }
    engine_->setLocale(chinese);
}

bool QtSpeech::available(QString* whyNot) {
    start();
    if (!engine_ && whyNot) *whyNot = whyNot_;
    return engine_ != nullptr;
}

void QtSpeech::say(const QString& text) {
    if (!available()) return;
    engine_->stop();
    engine_->say(text);
}

void QtSpeech::stop() {
    if (engine_) engine_->stop();
}
