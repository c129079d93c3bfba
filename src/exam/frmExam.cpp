#include "frmExam.h"

#include "../domain/Domain.h"
#include "../store/Module1.h"
#include "../store/Statements.h"
#include "../ui/AppContext.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"

#include <QGroupBox>
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
    BtnStart = button(QStringLiteral("BtnStart"), QStringLiteral("开始考试"));
    BtnStart->setMinimumHeight(36);
    box->addWidget(BtnStart, 0, Qt::AlignHCenter);
    connect(BtnStart, &QPushButton::clicked, this,
            [this] { guarded(s, this, [this] { BtnStart_Click(); }); });
    setMinimumWidth(440);
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
}

void frmExam::BtnStart_Click() {
    started_ = DrawExam(s, this);
    if (started_ && !started_->paper.isEmpty()) accept();
}
