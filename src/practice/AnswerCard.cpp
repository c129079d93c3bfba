// Loading a question set into the answer card, and the card's colours and clicks.
#include "../platform/Platform.h"
#include "../store/DatabaseError.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../store/Statements.h"
#include "AnswerCardView.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <random>

void frmMain::resetPracticeDisplay() {
    txtPreArrayNum->clear();
    CurrentPosition = 0;
    ShowPracticeControls();
    LblRate->setText(QStringLiteral("0.00%"));
    LblCorrect->setText(QStringLiteral("0/0"));
    s.AnsweredCount = 0;
    s.RightCount = 0;
    LblCorrectAn->clear();
    setVerdict({});
    ExamMode = false;
}

bool frmMain::FillMSHFlexGridSequence() {
    QuestionSumSql = Sql::classCount(s.CarTypeCode);
    QuestionIdSql = Sql::classIds(s.CarTypeCode);
    return MSHFlexGridFillQuestionNumSequence(QuestionSumSql, QuestionIdSql);
}

bool frmMain::FillMSHFlexGridRandom() {
    QuestionSumSql = Sql::classCount(s.CarTypeCode);
    QuestionIdSql = Sql::classIds(s.CarTypeCode);
    return MSHFlexGridFillQuestionNumRandom(QuestionSumSql, QuestionIdSql);
}

bool frmMain::MSHFlexGridFillQuestionNumSequence(const QString& countSql, const QString& idSql) {
    return loadSet(countSql, idSql, false);
}

bool frmMain::MSHFlexGridFillQuestionNumRandom(const QString& countSql, const QString& idSql) {
    return loadSet(countSql, idSql, true);
}

// Both practice fills: an empty or oversized set is refused before anything is reset, so the
// learner keeps the set they had.
bool frmMain::loadSet(const QString& countSql, const QString& idSql, bool shuffled) {
    const int n = GetQuestionSum(s.Conn, countSql);
    if (n <= 0) {
        if (startingUp_) return false;
        s.platform.information(this, QStringLiteral("提示"),
                               QStringLiteral("所选的范围内没有试题，请选择其他车型或练习方式。"));
        return false;
    }
    if (n > MaxInt16) {
        s.platform.information(
            this, QStringLiteral("提示"),
            QStringLiteral("所选的范围内有 %1 道题，超过了答题卡能容纳的 %2 道。")
                .arg(n)
                .arg(MaxInt16));
        return false;
    }
    QStringList ids;
    ids.reserve(n);
    s.Conn.forEachRow(idSql, [&](const QSqlQuery& row) {
        if (ids.size() < n) ids.append(row.value(0).toString());
    });
    if (ids.isEmpty()) return false;
    if (shuffled) ShuffleQuestionIds(ids);

    resetPracticeDisplay();
    s.QuestionIds = ids;
    QuestionState.assign(static_cast<size_t>(ids.size()), {0, 0, 0, 0});
    countedRight_.assign(static_cast<size_t>(ids.size()), false);
    MSHFlexGrid1->card()->load(s.QuestionIds, QuestionNumberMode);
    return true;
}

void frmMain::MSHFlexGridFillQuestionNumRandomExam() {
    ExamMode = true;
    s.AnsweredCount = 0;
    s.RightCount = 0;
    CurrentPosition = 0;
    txtPreArrayNum->clear();
    LblCorrectAn->clear();
    setVerdict({});
    QuestionState.assign(static_cast<size_t>(s.QuestionIds.size()), {0, 0, 0, 0});
    countedRight_.assign(static_cast<size_t>(s.QuestionIds.size()), false);
    MSHFlexGrid1->card()->load(s.QuestionIds, QuestionNumberMode);
}

// Fisher–Yates from the top with an unbiased draw: every order is equally likely.
QString frmMain::ShuffleQuestionIds(QStringList& ids) {
    std::random_device device;
    std::seed_seq seed{device(), static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch())};
    std::mt19937 generator(seed);
    for (qsizetype last = ids.size() - 1; last > 0; --last) {
        std::uniform_int_distribution<qsizetype> pick(0, last);
        ids.swapItemsAt(pick(generator), last);
    }
    return ids.join(QLatin1Char(','));
}

void frmMain::paintCell(int p) {
    auto* card = MSHFlexGrid1->card();
    if (p < 0 || p >= card->count() || p >= static_cast<int>(QuestionState.size())) return;
    const auto& state = QuestionState[p];
    if (state[0] == 1 && (state[1] == 1 || ExamMode)) {
        card->setBackground(p, AnswerCardModel::LightYellow);
    } else if (state[0] == 1) {
        card->setBackground(p, AnswerCardModel::LightYellow);
        card->setBoldRed(p);
    } else {
        card->setBackground(p, AnswerCardModel::White);
    }
}

void frmMain::applyCellColourRule() {
    if (!txtPreArrayNum->text().isEmpty())
        paintCell(static_cast<int>(wholeNumber(txtPreArrayNum->text())));
    if (!txtCurrentArrayNum->text().isEmpty()) {
        const int p = static_cast<int>(wholeNumber(txtCurrentArrayNum->text()));
        MSHFlexGrid1->card()->setBackground(p, AnswerCardModel::LightCyan);
        MSHFlexGrid1->selectPosition(p);
    }
}

void frmMain::MSHFlexGrid1_Click() {
    try {
        LblCorrectAn->clear();
        setVerdict({});
        const QString t = MSHFlexGrid1->currentText();
        if (!t.isEmpty()) LblNum->setText(t + QLatin1Char('.'));
        txtPreArrayNum->setText(txtCurrentArrayNum->text());
        const QString position = GetCurrentQuestionPosition();
        txtCurrentArrayNum->setText(position);
        const qint64 p = wholeNumber(position);
        if (position.isEmpty() || p < 0 || p >= s.QuestionIds.size())
            throw DatabaseError(9, QStringLiteral("下标越界：答题卡上没有这道题。"));
        CurrentPosition = static_cast<int>(p);
        if (!t.isEmpty()) GetQuestion(s.QuestionIds[CurrentPosition]);
        collapseCarChooser();
    } catch (const DatabaseError& e) {
        s.platform.information(this, QStringLiteral("错误提示"),
                               errorText(e.number(), e.description()));
    }
}

void frmMain::ShowPracticeControls() {
    for (QWidget* w : {LblAnLabel, LblAn})
        w->hide();
    for (QWidget* w : {static_cast<QWidget*>(LblRightRate), static_cast<QWidget*>(LblRate),
                       static_cast<QWidget*>(LblRightReplyCount), static_cast<QWidget*>(LblCorrect),
                       static_cast<QWidget*>(BtnSetWrongQuestion),
                       static_cast<QWidget*>(BtnShowAnswer), static_cast<QWidget*>(ChkAutoSkip)})
        w->show();
    BtnJiaoJuan->hide();
}
