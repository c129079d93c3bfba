#pragma once

#include "FakePlatform.h"
#include "Question.h"
#include "platform/ClickableLabel.h"
#include "practice/AnswerCardView.h"
#include "practice/frmMain.h"
#include "ui/AppContext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QPair>
#include <QPushButton>
#include <QRadioButton>
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

// A clock the test advances: each tick fires at once, as many as asked, while it runs.
class ManualClock : public Clock {
  public:
    using Clock::Clock;
    void start() override { active_ = true; }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    // Fires up to `ticks` ticks; stops early when a tick stops the clock.
    void advance(int ticks = 1) {
        for (int i = 0; i < ticks && active_; ++i)
            emit ticked();
    }

  private:
    bool active_ = false;
};

// A program folder of its own in a temporary directory: a fresh bank, the verdict and
// placeholder pictures, and the main window started over it with a fake platform.
class TestProgram {
  public:
    explicit TestProgram(const QList<Question>& questions,
                         const QList<QPair<QString, QString>>& settings = {});
    ~TestProgram();

    // Starts the main window (Form_Initialize and Form_Load), shown offscreen.
    frmMain& start();
    // Only builds the main window: not shown, so not painted, its practice page not built.
    frmMain& create();
    frmMain& main() { return *main_; }
    FakePlatform& platform() { return platform_; }
    // A control of the main window (or of an open dialog's parent) by its objectName.
    template <class T = QWidget> T* w(const char* name) {
        T* found = main_->findChild<T*>(QString::fromLatin1(name));
        if (!found) qFatal("no control named %s", name);
        return found;
    }
    // The main window's clock of that name (Timer1–Timer4, recordRetry).
    ManualClock* clock(const char* name) { return clocks_.value(QString::fromLatin1(name)); }
    AppContext& session() { return *session_; }
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
    std::unique_ptr<AppContext> session_;
    std::unique_ptr<frmMain> main_;
    QString connection_;
    QMap<QString, ManualClock*> clocks_;
};

// Settings of a fresh bank with some values replaced.
QList<QPair<QString, QString>> settingsWith(const QList<QPair<QString, QString>>& changes);

// A control found by its objectName under `root`, as a learner's screen reader finds it.
template <class T = QWidget> T* control(QObject& root, const char* name) {
    T* found = root.findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no control named %s", name);
    return found;
}

// 模拟考试, then 开始考试 in the briefing.
inline void startExam(TestProgram& p) {
    p.platform().modalActions.push_back(
        [](QDialog* d) { control<QPushButton>(*d, "BtnStart")->click(); });
    control<QPushButton>(p.main(), "BtnMoNiKaoShi")->click();
}
