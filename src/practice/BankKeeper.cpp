#include "BankKeeper.h"

#include "../platform/Platform.h"
#include "../services/Records.h"
#include "../store/BankLocation.h"
#include "../store/DatabaseError.h"
#include "../ui/AppContext.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QWidget>
#include <cstdio>

BankKeeper::BankKeeper(AppContext& context, QWidget* window)
    : QObject(window), s(context), window_(window),
      retry_(context.makeClock(QStringLiteral("recordRetry"), 5000, this)) {
    connect(retry_, &Clock::ticked, this, &BankKeeper::retry);
}

// A damaged bank of the learner's own cannot be mended by reinstalling: it may be set aside
// for a fresh copy of the shipped bank, and a backup restored into that.
void BankKeeper::open() {
    try {
        s.Conn.open(s.bankFile, s.bankReadOnly);
        return;
    } catch (const DatabaseError& e) {
        const int primary = e.number() & 0xFF;
        if (s.shippedBank.isEmpty() || (primary != 11 && primary != 26)) throw;
        const QString bank = QDir::toNativeSeparators(s.bankFile);
        const QString aside =
            bank + QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate);
        if (!s.platform.askYesNo(
                nullptr, QStringLiteral("提示"),
                QStringLiteral("您的题库“%1”已损坏，无法使用（%2）。\n\n选“是”把它改名为“%3”"
                               "留在原处，从程序自带的题库重新开始；以前的错题、答题记录和考试"
                               "成绩不在新题库里。如果您用 kemu1-bank backup 保存过备份，关闭"
                               "本软件后运行\n    kemu1-bank restore “%1” 备份文件\n即可恢复。"
                               "\n\n选“否”退出，题库保持原样。")
                    .arg(bank, e.description(), aside)))
            throw;
        if (const QString error =
                setAsideDamagedBank(s.bankFile, s.shippedBank, QDate::currentDate());
            !error.isEmpty())
            throw DatabaseError(e.number(), error);
    }
    s.Conn.open(s.bankFile, s.bankReadOnly);
}

void BankKeeper::tellIfReadOnly() {
    if (!s.Conn.readOnly()) return;
    // A bank or folder of another user's (made by a start as root) says whose it is.
    QString whose;
    if (!s.bankReadOnly) {
        whose = ownedByOther(s.bankFile);
        if (whose.isEmpty()) whose = ownedByOther(QFileInfo(s.bankFile).absolutePath());
    }
    s.platform.information(window_, QStringLiteral("提示"),
                           s.Conn.readOnlyNotice() +
                               (whose.isEmpty() ? QString() : QStringLiteral("（%1）").arg(whose)));
}

bool BankKeeper::afterStart() {
    foldIn();
    return tellSwitch();
}

void BankKeeper::foldIn() {
    const FoldedIn folded = FoldInSetAside(s.practice, s.bankFile);
    if (!folded.problem.isEmpty())
        s.platform.information(window_, QStringLiteral("提示"), folded.problem);
    if (folded.scores > 0)
        s.platform.information(
            window_, QStringLiteral("提示"),
            QStringLiteral("上次未能保存的 %1 次考试成绩已存入题库。").arg(folded.scores));
    if (HasWaiting(s.practice)) retry_->start();
}

bool BankKeeper::tellSwitch() {
    if (s.switchNotice.isEmpty()) return false;
    const int newer = s.Conn.readOnly() ? 0 : NewerPractice(s.Conn, s.previousBank);
    if (newer == 0) {
        s.platform.information(window_, QStringLiteral("提示"), s.switchNotice);
        return false;
    }
    if (!s.platform.askYesNo(window_, QStringLiteral("提示"),
                             s.switchNotice +
                                 QStringLiteral("\n\n那里有 %1 条较新的练习记录（答题和考试成绩），"
                                                "要把它们连同相关的错题标记带到现在使用的题库吗?")
                                     .arg(newer)))
        return false;
    int brought = 0;
    const QString error = BringNewerPractice(s.Conn, s.previousBank, &brought);
    s.platform.information(window_, QStringLiteral("提示"),
                           error.isEmpty() ? QStringLiteral("已带过来 %1 条练习记录。").arg(brought)
                                           : QStringLiteral("无法带过来练习记录：%1").arg(error));
    return error.isEmpty();
}

void BankKeeper::answerWaits() {
    retry_->start();
    if (toldWaiting_) return;
    toldWaiting_ = true;
    s.platform.information(window_, QStringLiteral("提示"),
                           QStringLiteral("题库正被另一个程序占用（或磁盘已满），"
                                          "您的答案已记下，题库可以写入时自动保存。"));
}

void BankKeeper::saveExamRecord(int score, bool hall) {
    if (const QString reason =
            SaveExamRecord(s.practice, score, QDateTime::currentDateTime(), hall);
        !reason.isEmpty())
        s.platform.information(
            window_, QStringLiteral("提示"),
            QStringLiteral("本次成绩暂时无法保存：%1\n成绩已记下，程序会在题库可以写入时自动保存。")
                .arg(reason));
    if (HasWaiting(s.practice)) retry_->start();
}

void BankKeeper::retry() {
    if (!SaveWaitingRecords(s.practice)) return;
    retry_->stop();
    toldWaiting_ = false;
    if (leaveWhenSaved_) emit savedForLeaving();
}

namespace {

QString waitingText(const PracticeSession& s) {
    QStringList parts;
    if (!s.waitingRecords.isEmpty())
        parts.append(QStringLiteral("%1 次考试成绩").arg(s.waitingRecords.size()));
    if (!s.waitingAnswers.isEmpty())
        parts.append(QStringLiteral("%1 个答案").arg(s.waitingAnswers.size()));
    return parts.join(QStringLiteral("和"));
}

} // namespace

bool BankKeeper::mayEnd(bool endingBySignal) {
    if (!HasWaiting(s.practice) || SaveWaitingRecords(s.practice)) {
        retry_->stop();
        return true;
    }
    const QString what = waitingText(s.practice);
    const QString aside = SetAsideFiles(s.bankFile).first();
    if (!endingBySignal &&
        s.platform.askYesNo(window_, QStringLiteral("提示"),
                            QStringLiteral("还有%1没有保存：题库正被另一个程序占用或磁盘已满。\n"
                                           "选“是”等待题库可以写入，保存后程序自动退出；\n"
                                           "选“否”先存到文件“%2”，下次启动时自动存入题库。")
                                .arg(what, QDir::toNativeSeparators(aside)))) {
        leaveWhenSaved_ = true;
        retry_->start();
        return false;
    }
    QString error;
    const QString file = SetAsideWaiting(s.practice, s.bankFile, &error);
    if (!file.isEmpty()) {
        if (endingBySignal)
            std::fprintf(stderr, "kemu1: %s\n",
                         QStringLiteral("未保存的%1已存到“%2”，下次启动时存入题库。")
                             .arg(what, file)
                             .toUtf8()
                             .constData());
        retry_->stop();
        return true;
    }
    if (endingBySignal) {
        retry_->stop();
        return true; // nowhere to put it; the system is ending the program
    }
    s.platform.information(window_, QStringLiteral("提示"),
                           QStringLiteral("%1也无法另存（%2）。程序保持打开，题库可以写入时"
                                          "自动保存，之后再退出。")
                               .arg(what, error));
    leaveWhenSaved_ = true;
    retry_->start();
    return false;
}
