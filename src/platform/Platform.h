#pragma once

#include "Layer.h"

#include <functional>

#include <QString>
#include <QtGlobal>

class QDialog;
class QUrl;
class QWidget;

// The window-system services the program's logic uses. Tests put a fake in its place, so no
// test ever waits on a dialog or opens a real folder.
class SkinEngine {
  public:
    virtual ~SkinEngine() = default;
    // Makes the skin current for the whole program; false (and the old look kept) when the
    // skin cannot be read.
    virtual bool LoadSkin(const QString& stylePath, const QString& iniName) = 0;
    virtual void ApplyWindow(QWidget* window) = 0;
    virtual quint32 ApplyOptions() const = 0;
    virtual void SetApplyOptions(quint32 options) = 0;
};

// Reading text aloud. An engine that is missing or broken leaves it unavailable with a
// reason the learner can act on; saying then does nothing.
class Speech {
  public:
    virtual ~Speech() = default;
    virtual bool available(QString* whyNot = nullptr) = 0;
    // `told` runs (on the window's thread) when the engine turns out unusable after all:
    // it starts in the background, and may fail there or later.
    virtual void whenLost(std::function<void()> told) = 0;
    // Stops what is being read and reads `text`.
    virtual void say(const QString& text) = 0;
    virtual void stop() = 0;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // "提示"-style message: information icon, OK.
    virtual void information(QWidget* owner, const QString& title, const QString& text) = 0;
    // Yes/No question with the information icon; true for Yes.
    virtual bool askYesNo(QWidget* owner, const QString& title, const QString& text) = 0;
    // Shows a window modally; returns when it has closed.
    virtual void showModal(QDialog* dialog) = 0;
    // In the desktop's file manager or browser; false when the desktop has none to offer.
    virtual bool openFolder(QWidget* owner, const QString& folder) = 0;
    virtual bool openUrl(QWidget* owner, const QUrl& url) = 0;
    // Where to save a new file, the learner's choice starting at `suggested`; empty when
    // they cancelled.
    virtual QString saveFileName(QWidget* owner, const QString& title, const QString& suggested,
                                 const QString& filter) = 0;
    // The database error: tells the learner and ends the program.
    virtual void fatalDatabaseError(QWidget* owner, int number, const QString& description) = 0;
    // Ends the program at once.
    virtual void endProgram() = 0;
    virtual SkinEngine& skins() = 0;
    virtual Speech& speech() = 0;
};

// The "错误号/错误描述" text shared by every error box.
QString errorText(int number, const QString& description);
