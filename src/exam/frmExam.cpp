#include "frmExam.h"

#include "../domain/Domain.h"
#include "../store/DatabaseError.h"
#include "../store/Module1.h"
#include "../store/Statements.h"
#include "../ui/AppContext.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

frmExam::frmExam(AppContext& session, QWidget* parent) : QDialog(parent), s(session) {
    setObjectName(QStringLiteral("frmExam"));
    setWindowTitle(QStringLiteral("考试说明"));
    auto* box = new QVBoxLayout(this);
    Frame1 = named(new QGroupBox, QStringLiteral("Frame1"));
    auto* texts = new QVBoxLayout(Frame1);
    texts->setSpacing(10);
    auto make = [&](const char* name) {
        auto* l = label(QString::fromLatin1(name), {});
        l->setStyleSheet(QStringLiteral("font-size:15px;"));
        texts->addWidget(l);
        return l;
    };
    LblCount = make("LblCount");
    LblTime = make("LblTime");
    LblContent = make("LblContent");
    LblOrganizeWay = make("LblOrganizeWay");
    LblPassStandard = make("LblPassStandard");
    box->addWidget(Frame1);

    ChkExamHall = named(
        new QCheckBox(QStringLiteral("考场模式：照考场电脑的样子考（全屏、题号表、交卷确认）")),
        QStringLiteral("ChkExamHall"));
    ChkExamHall->setAccessibleName(QStringLiteral("考场模式"));
    box->addWidget(ChkExamHall);
    FrameHall = named(new QGroupBox(QStringLiteral("考场设置")), QStringLiteral("FrameHall"));
    auto* form = new QFormLayout(FrameHall);
    auto field = [&](auto* w, const char* name, const QString& caption) {
        w->setObjectName(QString::fromLatin1(name));
        w->setAccessibleName(caption);
        form->addRow(caption + QStringLiteral("："), w);
        return w;
    };
    TxtName = field(new QLineEdit, "TxtName", QStringLiteral("考生姓名"));
    TxtIdNumber = field(new QLineEdit, "TxtIdNumber", QStringLiteral("身份证号"));
    for (QLineEdit* e : {TxtName, TxtIdNumber}) {
        e->setPlaceholderText(QStringLiteral("可不填，只显示在考场界面上"));
        e->setMaxLength(40);
    }
    CboHallOrder = field(new QComboBox, "CboHallOrder", QStringLiteral("题目顺序"));
    CboHallOrder->addItems({QStringLiteral("打乱（判断题和选择题混排）"),
                            QStringLiteral("先判断题，后选择题"), QStringLiteral("按章节")});
    CboHallTooManyWrong = field(new QComboBox, "CboHallTooManyWrong", QStringLiteral("错题超限"));
    CboHallTooManyWrong->addItems({QStringLiteral("提示，可选继续考试或结束考试"),
                                   QStringLiteral("直接结束考试"), QStringLiteral("不提示")});
    ChkHallMovesOn = named(new QCheckBox(QStringLiteral("答题后自动跳到下一题")),
                           QStringLiteral("ChkHallMovesOn"));
    ChkHallChangeable = named(new QCheckBox(QStringLiteral("交卷前可以修改答案")),
                              QStringLiteral("ChkHallChangeable"));
    for (QCheckBox* c : {ChkHallMovesOn, ChkHallChangeable}) {
        c->setAccessibleName(c->text());
        form->addRow(c);
    }
    box->addWidget(FrameHall);
    connect(ChkExamHall, &QCheckBox::toggled, FrameHall, &QWidget::setEnabled);
    BtnStart = button(QStringLiteral("BtnStart"), QStringLiteral("开始考试"));
    BtnStart->setMinimumHeight(36);
    box->addWidget(BtnStart, 0, Qt::AlignHCenter);
    connect(BtnStart, &QPushButton::clicked, this,
            [this] { guarded(s, this, [this] { BtnStart_Click(); }); });
    setMinimumWidth(480);
    guarded(s, this, [this] { Form_Load(); });
}

void frmExam::Form_Load() {
    const QString minutes = QString::number(GetExamTime(s.Conn));
    const QString pass = QString::number(GetPassScore(s.Conn));
    const int count = GetQuestionSum(s.Conn, Sql::classCount(s.practice.CarTypeCode));
    const int index = ClassIndex(s.practice.CarTypeCode);
    const QString name = index < 0 ? QString() : VehicleClasses()[index].suffix;
    LblCount->setText(QStringLiteral("试题数量：100题"));
    LblTime->setText(QStringLiteral("考试时间：") + minutes + QStringLiteral("分钟"));
    LblContent->setText(QStringLiteral("考试内容：\"") + name + QStringLiteral("\"共有试题共") +
                        QString::number(count) + QStringLiteral("题"));
    LblOrganizeWay->setText(QStringLiteral("组题方式：按公安部的规定比例随机抽取、组合"));
    LblPassStandard->setText(QStringLiteral("合格标准：满分为100分,成绩达到") + pass +
                             QStringLiteral("分为合格"));
    const HallChoices c = ReadHallChoices(s.Conn);
    ChkExamHall->setChecked(c.hall);
    FrameHall->setEnabled(c.hall);
    TxtName->setText(c.name);
    TxtIdNumber->setText(c.idNumber);
    CboHallOrder->setCurrentIndex(static_cast<int>(c.rules.order));
    CboHallTooManyWrong->setCurrentIndex(static_cast<int>(c.rules.tooManyWrong));
    ChkHallMovesOn->setChecked(c.rules.movesOn);
    ChkHallChangeable->setChecked(c.rules.changeable);
}

void frmExam::BtnStart_Click() {
    HallChoices& c = hall_;
    c.hall = ChkExamHall->isChecked();
    c.name = TxtName->text().trimmed();
    c.idNumber = TxtIdNumber->text().trimmed();
    c.rules.order = static_cast<HallRules::Order>(CboHallOrder->currentIndex());
    c.rules.tooManyWrong =
        static_cast<HallRules::TooManyWrong>(CboHallTooManyWrong->currentIndex());
    c.rules.movesOn = ChkHallMovesOn->isChecked();
    c.rules.changeable = ChkHallChangeable->isChecked();
    try {
        WriteHallChoices(s.Conn, c);
    } catch (const DatabaseError&) {
        // Held by another program: the exam starts as chosen; the choice is not kept.
    }
    started_ = DrawExam(s, this);
    if (started_ && !started_->paper.isEmpty()) accept();
}
