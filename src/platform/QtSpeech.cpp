#include "QtSpeech.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextToSpeech>
#include <QThread>

namespace {
const QString Install =
    QStringLiteral("没有可用的语音引擎，朗读需要它。请安装后重新打开本程序：\n"
                   "sudo apt install qt6-speech-speechd-plugin speech-dispatcher espeak-ng");
}

void QtSpeech::start() {
    if (looked_) return;
    looked_ = true;
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.isEmpty()) {
        fail();
        return;
    }
    // speech-dispatcher speaks Mandarin through espeak-ng; any other engine is a fallback.
    const QString name =
        engines.contains(QStringLiteral("speechd")) ? QStringLiteral("speechd") : engines.first();
    QThread* home = QThread::currentThread();
    // Handed over through the application, which outlives this object; the guard says on
    // the window's thread whether this object is still there to take it.
    QPointer<QObject> guard(&alive_);
    QThread* worker = QThread::create([this, name, home, guard] {
        auto* engine = new QTextToSpeech(name);
        engine->moveToThread(home);
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                app,
                [this, engine, guard] {
                    if (guard) started(engine);
                },
                Qt::QueuedConnection);
    });
    worker->setObjectName(QStringLiteral("speech start"));
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
}

void QtSpeech::started(QTextToSpeech* engine) {
    engine->setParent(&alive_);
    if (engine->state() == QTextToSpeech::Error) {
        delete engine;
        fail();
        return;
    }
    // An engine can also fail later, say when speech-dispatcher cannot be reached.
    QObject::connect(engine, &QTextToSpeech::stateChanged, &alive_, [this](auto state) {
        if (state == QTextToSpeech::Error) fail();
    });
    // The questions are Mandarin, whatever the desktop's language.
    QLocale chinese(QLocale::Chinese, QLocale::China);
    for (const QLocale& locale : engine->availableLocales())
        if (locale.language() == QLocale::Chinese) {
            chinese = locale;
            break;
        }
    engine->setLocale(chinese);
    engine_ = engine;
    if (!pending_.isEmpty()) engine_->say(pending_);
    pending_.clear();
}

void QtSpeech::fail() {
    pending_.clear();
    const bool first = !failed_;
    failed_ = true;
    if (first && lost_) lost_();
}

bool QtSpeech::available(QString* whyNot) {
    start();
    if (failed_ && whyNot) *whyNot = Install;
    return !failed_;
}

void QtSpeech::say(const QString& text) {
    if (!available()) return;
    if (!engine_) {
        pending_ = text;
        return;
    }
    engine_->stop();
    engine_->say(text);
}

void QtSpeech::stop() {
    pending_.clear();
    if (engine_) engine_->stop();
}
