#pragma once

#include "Layer.h"

#include "Platform.h"
#include "StyleSheetSkins.h"
#ifdef Q_OS_WIN
#include "SapiSpeech.h"
using SystemSpeech = SapiSpeech;
#else
#include "QtSpeech.h"
using SystemSpeech = QtSpeech;
#endif

// The real window system: Qt message boxes, exec() for modal windows, the desktop's
// default handlers for folders and web pages.
class QtPlatform : public Platform {
  public:
    void information(QWidget* owner, const QString& title, const QString& text) override;
    bool askYesNo(QWidget* owner, const QString& title, const QString& text) override;
    void showModal(QDialog* dialog) override;
    bool openFolder(QWidget* owner, const QString& folder) override;
    bool openUrl(QWidget* owner, const QUrl& url) override;
    QString saveFileName(QWidget* owner, const QString& title, const QString& suggested,
                         const QString& filter) override;
    void fatalDatabaseError(QWidget* owner, int number, const QString& description) override;
    void endProgram() override;
    SkinEngine& skins() override { return skins_; }
    Speech& speech() override { return speech_; }

  private:
    StyleSheetSkins skins_;
    SystemSpeech speech_;
};
