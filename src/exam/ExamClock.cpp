// The main window's four timers, the two clocks on LblTime and the hand-in.
#include "../platform/Platform.h"
#include "../practice/frmMain.h"
#include "../store/Records.h"
#include "frmScore.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

void frmMain::Timer1_Timer() {
    LblWrongPrompt->hide();
    Timer1->stop();
}

void frmMain::Timer2_Timer() {
    LblCorrectAn->clear();
    setVerdict({});
    Timer2->stop();
}

void frmMain::Timer3_Timer() {
    QStringList fields = LblTime->text().split(QLatin1Char(':'));
    while (fields.size() < 3)
        fields.append(QStringLiteral("0"));
    AdvancePracticeClock(fields[0], fields[1], fields[2]);
}

void frmMain::AdvancePracticeClock(QString& hours, QString& minutes, QString& seconds) {
    seconds = QString::number(seconds.toInt() + 1);
    if (seconds.toInt() > 59) {
        seconds = QStringLiteral("0");
        minutes = QString::number(minutes.toInt() + 1);
    }
    if (minutes.toInt() > 59) {
        minutes = QStringLiteral("0");
        hours = QString::number(hours.toInt() + 1);
    }
    if (hours.toInt() > 24) hours = QStringLiteral("0");
    for (QString* field : {&hours, &minutes, &seconds})
        if (field->size() == 1) field->prepend(QLatin1Char('0'));
    LblTime->setText(hours + QLatin1Char(':') + minutes + QLatin1Char(':') + seconds);
}

void frmMain::Timer4_Timer() {
    CountDownExamTime();
}

void frmMain::CountDownExamTime() {
    if (s.ExamSeconds != 0) {
        --s.ExamSeconds;
    } else {
        Timer4->stop();
        showScore();
    }
    const int t = s.ExamSeconds;
    LblTime->setText(QStringLiteral("%1:%2:%3")
                         .arg(t / 3600, 2, 10, QLatin1Char('0'))
                         .arg((t / 60) % 60, 2, 10, QLatin1Char('0'))
                         .arg(t % 60, 2, 10, QLatin1Char('0')));
}

void frmMain::BtnJiaoJuan_Click() {
    // Only a paper can be handed in.
    if (!ExamMode) return;
    const auto unanswered = std::count_if(QuestionState.cbegin(), QuestionState.cend(),
                                          [](const auto& state) { return state[0] != 1; });
    const bool running = Timer4->isActive();
    if (unanswered > 0 &&
        !s.platform.askYesNo(this, QStringLiteral("提示"),
                             QStringLiteral("还有 %1 题未答，确定交卷吗?").arg(unanswered)))
        return;
    // The clock may have run out while the learner was deciding: that ended the exam.
    if (running && !Timer4->isActive()) return;
    Timer4->stop();
    showScore();
}

bool frmMain::confirmLeavingExam() {
    if (!ExamMode || !Timer4->isActive()) return true;
    return s.platform.askYesNo(this, QStringLiteral("提示"),
                               QStringLiteral("正在考试，确定放弃本次考试吗?"));
}

void frmMain::showScore() {
    {
        frmScore score(*this);
        if (score.loaded()) s.platform.showModal(&score);
    }
    if (!s.waitingRecords.isEmpty()) recordRetry_->start();
}

void frmMain::retryWaitingRecords() {
    if (SaveWaitingRecords(s)) recordRetry_->stop();
}
