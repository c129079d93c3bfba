#pragma once

#include "FakePlatform.h"
#include "Question.h"
#include "practice/frmMain.h"
#include "store/Session.h"

#include <QPair>
#include <QTemporaryDir>
#include <memory>

// Question builders for crafted banks.
Question choice(qint64 id, const QString& classes, const QString& chap, const QString& answer,
                const QString& image = {});
Question judge(qint64 id, const QString& classes, const QString& chap, const QString& answer,
               const QString& image = {});
// `count` questions from `firstId`, alternating kinds, answers cycling, chapter `chap`.
QList<Question> series(qint64 firstId, int count, const QString& classes, const QString& chap);

// A bank that passes every check: three times each chapter's exam quota for every class.
QList<Question> checkedBank();

// A program folder of its own in a temporary directory: a fresh bank, the verdict and
// placeholder pictures, and the main window started over it with a fake platform.
class TestProgram {
  public:
    explicit TestProgram(const QList<Question>& questions,
                         const QList<QPair<QString, QString>>& settings = {});
    ~TestProgram();

    // Starts the main window (Form_Initialize and Form_Load), shown offscreen.
    frmMain& start();
    frmMain& main() { return *main_; }
    FakePlatform& platform() { return platform_; }
    Session& session() { return *session_; }
    QString folder() const { return dir_.path(); }
    QString bankFile() const;

    // Straight to the bank, beside the program's own connection.
    QVariant value(const QString& sql);
    void execute(const QString& sql);
    bool errPaper(qint64 id);
    QString setting(const QString& key);

  private:
    QTemporaryDir dir_;
    FakePlatform platform_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<frmMain> main_;
    QString connection_;
};

// Settings of a fresh bank with some values replaced.
QList<QPair<QString, QString>> settingsWith(const QList<QPair<QString, QString>>& changes);
