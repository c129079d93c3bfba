#include "frmScore.h"

#include "../platform/Platform.h"
#include "../practice/frmMain.h"
#include "../store/Guard.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../store/Records.h"
#include "../store/Statements.h"
#include "frmExam.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

frmScore::frmScore(frmMain& main) : QDialog(&main), main_(main) {
    setObjectName(QStringLiteral("frmScore"));
    setWindowTitle(QStringLiteral("得分情况"));
    auto* box = new QVBoxLayout(this);
    LblInfo = new QLabel;
    LblInfo->setObjectName(QStringLiteral("LblInfo"));
    LblInfo->setStyleSheet(QStringLiteral("font-size:20px; font-weight:bold;"));
    LblPrompt = new QLabel;
    LblPrompt->setObjectName(QStringLiteral("LblPrompt"));
    LblPrompt->setStyleSheet(QStringLiteral("font-size:15px;"));
    box->addWidget(LblInfo);
    box->addWidget(LblPrompt);

    ListView1 = new QTreeWidget;
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->setMinimumSize(360, 300);
    box->addWidget(ListView1);
    txtId = new QLineEdit(this);
    txtId->setObjectName(QStringLiteral("txtId"));
    txtId->hide();

    auto* buttons = new QHBoxLayout;
    auto make = [&](QPushButton*& b, const char* name, const QString& text) {
        b = new QPushButton(text);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setMinimumHeight(32);
        buttons->addWidget(b);
    };
    make(BtnReplyCase, "BtnReplyCase", QStringLiteral("答题情况"));
    make(BtnAgainOwn, "BtnAgainOwn", QStringLiteral("重考本卷"));
    make(BtnRandomQueston, "BtnRandomQueston", QStringLiteral("重新出题"));
    make(BtnDel, "BtnDel", QStringLiteral("删除记录"));
    box->addLayout(buttons);

    mnuSytemRight = new QMenu(QStringLiteral("系统右键"), this);
    mnuSytemRight->setObjectName(QStringLiteral("mnuSytemRight"));
    mnuSytemRight_FullDel = mnuSytemRight->addAction(QStringLiteral("全部删除"));
    mnuSytemRight_FullDel->setObjectName(QStringLiteral("mnuSytemRight_FullDel"));

    auto& s = main_.session();
    auto on = [this, &s](QPushButton* b, void (frmScore::*handler)()) {
        connect(b, &QPushButton::clicked, this,
                [this, &s, handler] { guarded(s, this, [this, handler] { (this->*handler)(); }); });
    };
    on(BtnReplyCase, &frmScore::BtnReplyCase_Click);
    on(BtnAgainOwn, &frmScore::BtnAgainOwn_Click);
    on(BtnRandomQueston, &frmScore::BtnRandomQueston_Click);
    on(BtnDel, &frmScore::BtnDel_Click);
    connect(mnuSytemRight_FullDel, &QAction::triggered, this,
            [this, &s] { guarded(s, this, [this] { mnuSytemRight_FullDel_Click(); }); });
    connect(ListView1, &QTreeWidget::itemClicked, this, [this] { ListView1_Click(); });
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        mnuSytemRight->popup(ListView1->viewport()->mapToGlobal(at));
    });

    loaded_ = guarded(s, this, [this] { Form_Load(); });
}

void frmScore::Form_Load() {
    auto& s = main_.session();
    PassScore = GetPassScore(s.Conn);
    ListView1->setHeaderLabels({QStringLiteral("名次"), QStringLiteral("编号"),
                                QStringLiteral("分数"), QStringLiteral("时间")});
    ListView1->setColumnWidth(0, 70);
    ListView1->setColumnHidden(1, true);
    ListView1->setColumnWidth(2, 70);
    ListView1->setColumnWidth(3, 190);
    const bool passed = s.RightCount >= PassScore;
    const QString colour = passed ? QStringLiteral("#00C000") : QStringLiteral("#FF0000");
    LblInfo->setStyleSheet(
        QStringLiteral("font-size:20px; font-weight:bold; color:%1;").arg(colour));
    LblPrompt->setStyleSheet(QStringLiteral("font-size:15px; color:%1;").arg(colour));
    LblInfo->setText(QStringLiteral("考试得分：") + QString::number(s.RightCount) +
                     QStringLiteral("分"));
    LblPrompt->setText(passed ? QStringLiteral("呵呵，恭喜您，您及格啦!")
                              : QStringLiteral("您还没有及格，要继续努力哦!"));
    // The score is shown whatever happens to the bank; a record it cannot take waits.
    if (const QString reason = SaveExamRecord(s, s.RightCount); !reason.isEmpty())
        s.platform.information(
            this, QStringLiteral("提示"),
            QStringLiteral("本次成绩暂时无法保存：%1\n成绩已记下，程序会在题库可以写入时自动保存。")
                .arg(reason));
    try {
        LoadScoreRecords();
    } catch (const DatabaseError&) {
        // The list stays empty until the bank can be read again.
    }
}

void frmScore::LoadScoreRecords() {
    auto& s = main_.session();
    ListView1->clear();
    s.Conn.forEachRow(Sql::tenBestRecords(), [this](const QSqlQuery& row) {
        auto* item = new QTreeWidgetItem(ListView1);
        item->setText(0, QString::number(ListView1->topLevelItemCount()));
        item->setText(1, row.value(QStringLiteral("ID")).toString().trimmed());
        item->setText(2, row.value(QStringLiteral("score")).toString().trimmed());
        item->setText(3, row.value(QStringLiteral("RecordTime")).toString().trimmed());
    });
}

void frmScore::ListView1_Click() {
    if (ListView1->topLevelItemCount() == 0 || !ListView1->currentItem()) return;
    txtId->setText(ListView1->currentItem()->text(1));
}

void frmScore::BtnDel_Click() {
    auto& s = main_.session();
    if (txtId->text().isEmpty()) {
        s.platform.information(this, QStringLiteral("提示"), QStringLiteral("请选择要删除的记录!"));
        return;
    }
    bool ok = false;
    const qint64 id = txtId->text().trimmed().toLongLong(&ok);
    if (ok) s.Conn.execute(Sql::deleteRecord(id));
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        if (ListView1->topLevelItem(i)->text(1) == txtId->text())
            delete ListView1->takeTopLevelItem(i);
    // The record is gone: the next delete needs a new choice.
    txtId->clear();
}

void frmScore::mnuSytemRight_FullDel_Click() {
    auto& s = main_.session();
    s.Conn.execute(Sql::deleteAllRecords());
    LoadScoreRecords();
    txtId->clear();
    s.platform.information(this, QStringLiteral("提示"), QStringLiteral("所有考试记录删除完成!"));
}

void frmScore::BtnReplyCase_Click() {
    close();
    main_.ViewNormalExam();
}

void frmScore::BtnAgainOwn_Click() {
    auto& s = main_.session();
    const int minutes = GetExamTime(s.Conn);
    if (!main_.examSettingsFit(minutes)) return;
    IsRetake = true;
    main_.SimulationExam();
    main_.MSHFlexGridFillQuestionNumRandomExam();
    main_.ShowFirstQuestion();
    s.ExamSeconds = minutes * 60;
    main_.Timer4->start();
    close();
}

void frmScore::BtnRandomQueston_Click() {
    close();
    main_.SimulationExam();
    main_.Exam()->BtnStart_Click();
}

void frmScore::done(int result) {
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
    QDialog::done(result);
}

void frmScore::Form_Unload() {
    if (!IsRetake) main_.ViewNormalExam();
}
