#pragma once

#include "platform/Platform.h"

#include <QDialog>
#include <QString>

// A program folder with a synthetic bank of `count` questions (ids 1..count, every chapter,
// all in every class, one in ten with a picture), the verdict pictures and the shipped skins
// beside it.
QString makeBenchFolder(const QString& root, int count);

// A platform that answers nothing and shows nothing, for timing the windows alone.
struct QuietPlatform : Platform {
    struct NoSkins : SkinEngine {
        bool LoadSkin(const QString&, const QString&) override { return true; }
        void ApplyWindow(QWidget*) override {}
        quint32 ApplyOptions() const override { return 0; }
        void SetApplyOptions(quint32) override {}
    } noSkins;
    struct Silence : Speech {
        bool available(QString*) override { return false; }
        void whenLost(std::function<void()>) override {}
        void say(const QString&) override {}
        void stop() override {}
    } silence;
    void information(QWidget*, const QString&, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
    void showModal(QDialog*) override {}
    bool openFolder(QWidget*, const QString&) override { return false; }
    bool openUrl(QWidget*, const QUrl&) override { return false; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    void fatalDatabaseError(QWidget*, int, const QString&) override {}
    void endProgram() override {}
    SkinEngine& skins() override { return noSkins; }
    Speech& speech() override { return silence; }
};
