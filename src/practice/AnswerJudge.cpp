// Judging an answer, showing the right answer, and marking a question as wrong by hand.
#include "../platform/Platform.h"
#include "../store/DatabaseError.h"
#include "../store/Numbers.h"
#include "../store/Statements.h"
#include "../targeted/frmWrongQt.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>

namespace {

// The answer text for an answer code of a question kind; other values stay as they are.
QString answerText(const QString& kind, const QString& code) {
    static const QStringList choice = {QStringLiteral("A"), QStringLiteral("B"),
                                       QStringLiteral("C"), QStringLiteral("D")};
    static const QStringList judge = {QStringLiteral("对"), QStringLiteral("错")};
    const QStringList* texts = kind == QStringLiteral("1")   ? &choice
                               : kind == QStringLiteral("2") ? &judge
                                                             : nullptr;
    bool ok = false;
    const int n = code.toInt(&ok);
    if (!texts || !ok || n < 1 || n > texts->size()) return code;
    return (*texts)[n - 1];
}

// Whole percent with ties to the even digit: 1/8 gives 12, 3/8 gives 38.
qint64 roundedPercent(qint64 right, qint64 answered) {
    const qint64 scaled = right * 100;
    qint64 q = scaled / answered;
    const qint64 twice = 2 * (scaled - q * answered);
    if (twice > answered || (twice == answered && q % 2 != 0)) ++q;
    return q;
}

} // namespace

QString rateCaption(int right, int answered) {
    if (answered <= 0) return QStringLiteral("0.00%");
    return QString::number(roundedPercent(right, answered)) + QStringLiteral(".00%");
}

qint64 frmMain::CurrentQuestionId() {
    const QString caption = LblNum->text();
    const qint64 n = wholeNumber(caption.left(caption.size() - 1));
    if (QuestionNumberMode == QStringLiteral("0")) return n;
    if (n < 1 || n > s.QuestionIds.size())
        throw DatabaseError(9, QStringLiteral("下标越界：当前没有可作答的题目。"));
    return wholeNumber(s.QuestionIds[n - 1]);
}

void frmMain::JudgeAnswer(const QString& answer) {
    try {
        collapseCarChooser();
        if (!txtPreArrayNum->text().isEmpty() &&
            wholeNumber(txtCurrentArrayNum->text()) == wholeNumber(txtPreArrayNum->text()))
            return;
        if (CurrentPosition < 0 || CurrentPosition >= static_cast<int>(QuestionState.size()))
            throw DatabaseError(9, QStringLiteral("下标越界：当前没有可作答的题目。"));
        if (IsSequencePractice) {
            const qint64 p = wholeNumber(txtCurrentArrayNum->text());
            if (p < 0 || p >= s.QuestionIds.size())
                throw DatabaseError(9, QStringLiteral("下标越界：当前没有可作答的题目。"));
            SqlText = Sql::writeSetting(Key::ResumePoint, s.QuestionIds[p]);
            s.Conn.execute(SqlText);
        }
        auto& state = QuestionState[CurrentPosition];
        if (state[0] == 0) ++s.AnsweredCount;
        state[0] = 1;
        LblCorrectAn->setText(answer);

        const qint64 id = CurrentQuestionId();
        QString kind, answerTrue;
        SqlText = Sql::typeAndAnswer(id);
        s.Conn.forEachRow(SqlText, [&](const QSqlQuery& row) {
            if (!kind.isEmpty() || !answerTrue.isEmpty()) return;
            kind = row.value(QStringLiteral("Type")).toString();
            answerTrue = row.value(QStringLiteral("AnswerTrue")).toString();
        });

        static const QStringList choiceAnswers = {QStringLiteral("A"), QStringLiteral("B"),
                                                  QStringLiteral("C"), QStringLiteral("D")};
        static const QStringList judgeAnswers = {QStringLiteral("对"), QStringLiteral("错")};
        if (kind == QStringLiteral("1") && choiceAnswers.contains(answer))
            state[2] = static_cast<qint16>(choiceAnswers.indexOf(answer) + 1);
        else if (kind == QStringLiteral("2") && judgeAnswers.contains(answer))
            state[2] = static_cast<qint16>(judgeAnswers.indexOf(answer) + 1);

        const bool wasRight = state[1] == 1;
        if (answerText(kind, answerTrue) == LblCorrectAn->text()) {
            setVerdict(QStringLiteral("yes.gif"));
            state[1] = 1;
            // A position scores once; in an exam its last answer decides.
            if (ExamMode ? !wasRight : !countedRight_[CurrentPosition]) ++s.RightCount;
            countedRight_[CurrentPosition] = true;
            if (s.IsWrongQuestionPractice && WrongQt()->Check1->isChecked()) {
                SqlText = Sql::clearWrongMark(id);
                s.Conn.execute(SqlText);
            }
            if (ExamMode || ChkAutoSkip->isChecked()) {
                MoveToNextQuestion();
                Timer2->start();
            }
        } else {
            setVerdict(QStringLiteral("no.gif"));
            state[1] = 0;
            if (ExamMode && wasRight) --s.RightCount;
            SqlText = Sql::wrongMark(id);
            const QVariant mark = s.Conn.firstValue(SqlText, QStringLiteral("ErrPaper"));
            if (!mark.toBool()) {
                SqlText = Sql::setWrongMark(id);
                s.Conn.execute(SqlText);
            }
            if (ExamMode) {
                MoveToNextQuestion();
                Timer2->start();
            }
        }
        LblCorrect->setText(QString::number(s.RightCount) + QLatin1Char('/') +
                            QString::number(s.AnsweredCount));
        LblRate->setText(rateCaption(s.RightCount, s.AnsweredCount));
    } catch (const DatabaseError& e) {
        s.platform.information(this, QStringLiteral("错误提示"),
                               errorText(e.number(), e.description()));
    }
}

void frmMain::BtnShowAnswer_Click() {
    // Before any question is on screen there is nothing to show.
    if (!PicPractice->isVisibleTo(this) || s.QuestionIds.isEmpty()) return;
    const qint64 id = CurrentQuestionId();
    QString kind, answerTrue;
    s.Conn.forEachRow(Sql::typeAndAnswerToShow(id), [&](const QSqlQuery& row) {
        if (!kind.isEmpty()) return;
        kind = row.value(QStringLiteral("Type")).toString();
        answerTrue = row.value(QStringLiteral("AnswerTrue")).toString();
    });
    const QString text = answerText(kind, answerTrue);
    if (text != answerTrue) LblAn->setText(text);
    const bool show = BtnShowAnswer->text() == QStringLiteral("显示答案");
    LblAnLabel->setVisible(show);
    LblAn->setVisible(show);
    BtnShowAnswer->setText(show ? QStringLiteral("隐藏答案") : QStringLiteral("显示答案"));
    collapseCarChooser();
}

void frmMain::BtnSetWrongQuestion_Click() {
    if (!PicPractice->isVisibleTo(this) || s.QuestionIds.isEmpty()) return;
    s.Conn.execute(Sql::setWrongMark(CurrentQuestionId()));
    collapseCarChooser();
    LblWrongPrompt->show();
    Timer1->start();
}
