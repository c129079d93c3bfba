#include "frmWrongQt.h"

#include "../platform/Platform.h"
#include "../practice/frmMain.h"
#include "../store/Guard.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../store/Statements.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmWrongQt::frmWrongQt(frmMain& main) : QDialog(&main), main_(main) {
    setObjectName(QStringLiteral("frmWrongQt"));
    setWindowTitle(QStringLiteral("错题练习-试题组成"));
    auto* box = new QVBoxLayout(this);
    auto make = [&](const char* name, const QString& text) {
        auto* l = new QLabel(text);
        l->setObjectName(QString::fromLatin1(name));
        box->addWidget(l);
        return l;
    };
    Label1 = make("Label1", QStringLiteral("错题练习试题组成："));
    Label1->setStyleSheet(QStringLiteral("font-weight:bold;"));
    Label2 = make("Label2", QStringLiteral("1、练习中手工设置为错题的错题"));
    Label3 = make("Label3", QStringLiteral("2、软件自动记录练习中答错的错题"));
    Label4 = make("Label4", QStringLiteral("3、软件自动记录模拟考试中答错的错题"));
    Frame1 = new QGroupBox(QStringLiteral("说明与设置"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* inner = new QVBoxLayout(Frame1);
    Check1 = new QCheckBox(QStringLiteral("答对的试题从错题练习中自动除去"));
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setToolTip(QStringLiteral("只在错题练习中有效"));
    inner->addWidget(Check1);
    box->addWidget(Frame1);
    auto* buttons = new QHBoxLayout;
    auto button = [&](QPushButton*& b, const char* name, const QString& text) {
        b = new QPushButton(text);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setMinimumSize(100, 32);
        buttons->addWidget(b);
    };
    button(BtnSequence, "BtnSequence", QStringLiteral("顺序练习"));
    button(BtnRandom, "BtnRandom", QStringLiteral("随机练习"));
    button(BtnAgainSet, "BtnAgainSet", QStringLiteral("重置错题"));
    box->addLayout(buttons);
    setMinimumWidth(420);

    auto& s = main_.session();
    connect(Check1, &QCheckBox::clicked, this,
            [this, &s] { guarded(s, this, [this] { Check1_Click(); }); });
    connect(BtnAgainSet, &QPushButton::clicked, this,
            [this, &s] { guarded(s, this, [this] { BtnAgainSet_Click(); }); });
    connect(BtnSequence, &QPushButton::clicked, this,
            [this, &s] { guarded(s, this, [this] { BtnSequence_Click(); }); });
    connect(BtnRandom, &QPushButton::clicked, this,
            [this, &s] { guarded(s, this, [this] { BtnRandom_Click(); }); });
    guarded(s, this, [this] { LoadAutoRemoveSetting(); });
}

void frmWrongQt::LoadAutoRemoveSetting() {
    auto& s = main_.session();
    const auto value = wholePartOf(ReadSetting(s.Conn, Key::AutoRemove), Key::AutoRemove);
    Check1->setChecked(value == 1);
}

void frmWrongQt::Check1_Click() {
    WriteSwitch(main_.session().Conn, Key::AutoRemove, Check1->isChecked() ? 1 : 0);
}

void frmWrongQt::BtnAgainSet_Click() {
    auto& s = main_.session();
    if (s.platform.askYesNo(this, QStringLiteral("确认"),
                            QStringLiteral("你确定要重置错题吗?这会将以前的错误记录删除.")))
        s.Conn.execute(Sql::clearAllWrongMarks());
}

void frmWrongQt::start(bool shuffled) {
    auto& s = main_.session();
    QuestionSumSql = Sql::wrongCount(s.CarTypeCode);
    QuestionSum = QString::number(GetQuestionSum(s.Conn, QuestionSumSql));
    if (QuestionSum != QLatin1String("0")) {
        QuestionIdSql = Sql::wrongIds(s.CarTypeCode);
        const bool loaded =
            shuffled ? main_.MSHFlexGridFillQuestionNumRandom(QuestionSumSql, QuestionIdSql)
                     : main_.MSHFlexGridFillQuestionNumSequence(QuestionSumSql, QuestionIdSql);
        if (loaded) {
            main_.ShowFirstQuestion();
            s.IsWrongQuestionPractice = true;
            static const QStringList endings = {QStringLiteral("题)—小车版"),
                                                QStringLiteral("题)—货车版"),
                                                QStringLiteral("题)—客车版")};
            const int index = main_.CombolCarType->currentIndex();
            if (index >= 0 && index <= 2)
                main_.FrameQuestion->setTitle(QStringLiteral("错题练习共(") + QuestionSum +
                                              endings[index]);
        }
    } else {
        const QString text =
            shuffled
                ? QStringLiteral("暂无错题，请在练习中手工设置练习或者进行练习、模拟考试让系统自动"
                                 "记录错题,\r\n"
                                 "点击确定进入习题练习.")
                : QStringLiteral(
                      "暂无错题，请在练习中手工设置练习或者进行练习、模拟考试让系统自动记录错题\r\n"
                      "点击确定进入习题练习");
        s.platform.information(this, QStringLiteral("提示"), text);
        s.SkipResumePrompt = true;
        main_.BtnSequence_Click();
    }
    close();
}

void frmWrongQt::BtnSequence_Click() {
    start(false);
}
void frmWrongQt::BtnRandom_Click() {
    start(true);
}
