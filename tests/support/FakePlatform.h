#pragma once

#include "platform/Platform.h"

#include <QDialog>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>

struct FakeSkins : SkinEngine {
    QStringList loads; // "path|ini"
    QList<QWidget*> applied;
    quint32 options = 0;
    bool LoadSkin(const QString& path, const QString& ini) override {
        loads.append(path + QLatin1Char('|') + ini);
        return true;
    }
    void ApplyWindow(QWidget* window) override { applied.append(window); }
    quint32 ApplyOptions() const override { return options; }
    void SetApplyOptions(quint32 value) override { options = value; }
};

// Says nothing: keeps what it was asked to read. Without an engine it is unavailable.
struct FakeSpeech : Speech {
    bool present = true;
    QStringList spoken;
    int stops = 0;
    bool available(QString* whyNot) override {
        if (!present && whyNot) *whyNot = QStringLiteral("没有语音引擎");
        return present;
    }
    void say(const QString& text) override {
        if (present) spoken.append(text);
    }
    void stop() override { ++stops; }
    void whenLost(std::function<void()> told) override { lost = std::move(told); }
    // The engine fails after it has started.
    void lose() {
        present = false;
        if (lost) lost();
    }
    std::function<void()> lost;
};

// Records what the program shows and answers as the test scripted; never blocks.
struct FakePlatform : Platform {
    struct Message {
        QString title, text;
    };
    QList<Message> messages;
    std::deque<bool> answers; // for askYesNo; No when empty
    QList<Message> questions;
    // What the learner does while a modal window is open; the window is closed afterwards
    // with its close box if the action left it open.
    std::deque<std::function<void(QDialog*)>> modalActions;
    QStringList modalTitles;
    QStringList folders;
    QList<QUrl> urls;
    QList<QPair<int, QString>> fatalErrors;
    int ends = 0;
    FakeSkins skinEngine;
    FakeSpeech speechEngine;

    void information(QWidget*, const QString& title, const QString& text) override {
        messages.append({title, text});
    }
    bool askYesNo(QWidget*, const QString& title, const QString& text) override {
        questions.append({title, text});
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showModal(QDialog* dialog) override {
        modalTitles.append(dialog->windowTitle());
        dialog->show();
        if (!modalActions.empty()) {
            auto action = modalActions.front();
            modalActions.pop_front();
            action(dialog);
        }
        if (dialog->isVisible()) dialog->close();
    }
    bool opens = true; // false: a desktop without a file manager or browser
    bool openFolder(QWidget*, const QString& folder) override {
        folders.append(folder);
        return opens;
    }
    bool openUrl(QWidget*, const QUrl& url) override {
        urls.append(url);
        return opens;
    }
    QString savePath; // what the learner picks in a save dialog; empty: cancelled
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return savePath;
    }
    void fatalDatabaseError(QWidget*, int number, const QString& description) override {
        fatalErrors.append({number, description});
    }
    void endProgram() override { ++ends; }
    SkinEngine& skins() override { return skinEngine; }
    Speech& speech() override { return speechEngine; }

    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& m : messages)
            texts.append(m.text);
        return texts;
    }
};
