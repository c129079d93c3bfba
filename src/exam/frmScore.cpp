#include "frmScore.h"

#include "../appearance/Appearance.h"
#include "../appearance/Colours.h"
#include "../platform/Platform.h"
#include "../services/Records.h"
#include "../store/Module1.h"
#include "../ui/AppContext.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"
#include "ExamStart.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

frmScore::frmScore(AppContext& session, QWidget* parent, int score) : QDialog(parent), s(session) {
    setObjectName(QStringLiteral("frmScore"));
    setWindowTitle(QStringLiteral("得分情况"));
    auto* box = new QVBoxLayout(this);
    LblInfo = label(QStringLiteral("LblInfo"), {});
    LblPrompt = label(QStringLiteral("LblPrompt"), {});
    box->addWidget(LblInfo);
    box->addWidget(LblPrompt);

    ListView1 = named(new QTreeWidget, QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->setMinimumSize(360, 300);
    ListView1->setHeaderLabels({QStringLiteral("名次"), QStringLiteral("编号"),
                                QStringLiteral("分数"), QStringLiteral("时间")});
    ListView1->setColumnWidth(0, 70);
    ListView1->setColumnHidden(1, true);
    ListView1->setColumnWidth(2, 70);
    ListView1->setColumnWidth(3, 190);
    box->addWidget(ListView1);

    auto* buttons = new QHBoxLayout;
    auto make = [&](const char* name, const QString& text) {
        auto* b = button(QString::fromLatin1(name), text);
        b->setMinimumHeight(32);
        buttons->addWidget(b);
        return b;
    };
    BtnReplyCase = make("BtnReplyCase", QStringLiteral("答题情况"));
    BtnAgainOwn = make("BtnAgainOwn", QStringLiteral("重考本卷"));
    BtnRandomQueston = make("BtnRandomQueston", QStringLiteral("重新出题"));
    BtnDel = make("BtnDel", QStringLiteral("删除记录"));
    box->addLayout(buttons);

    mnuSytemRight = new QMenu(QStringLiteral("系统右键"), this);
    mnuSytemRight->setObjectName(QStringLiteral("mnuSytemRight"));
    mnuSytemRight_FullDel = mnuSytemRight->addAction(QStringLiteral("全部删除"));
    mnuSytemRight_FullDel->setObjectName(QStringLiteral("mnuSytemRight_FullDel"));

    auto on = [this](QPushButton* b, auto handler) {
        connect(b, &QPushButton::clicked, this, [this, handler] { guarded(s, this, handler); });
    };
    on(BtnReplyCase, [this] { choose(Choice::Review); });
    on(BtnAgainOwn, [this] { BtnAgainOwn_Click(); });
    on(BtnRandomQueston, [this] { choose(Choice::NewPaper); });
    on(BtnDel, [this] { BtnDel_Click(); });
    connect(mnuSytemRight_FullDel, &QAction::triggered, this,
            [this] { guarded(s, this, [this] { mnuSytemRight_FullDel_Click(); }); });
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        mnuSytemRight->popup(ListView1->viewport()->mapToGlobal(at));
    });
    connect(ListView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        selectedId_ = shownIds_.value(ListView1->indexOfTopLevelItem(item));
    });
    loaded_ = guarded(s, this, [this, score] { Form_Load(score); });
}

void frmScore::Form_Load(int score) {
    const bool passed = score >= GetPassScore(s.Conn);
    const Colours& c = ColoursFor(StoredSkin(s) == NightSkin);
    const QString colour = cssColour(passed ? c.passText : c.failText);
    LblInfo->setStyleSheet(
        QStringLiteral("font-size:20px; font-weight:bold; color:%1;").arg(colour));
    LblPrompt->setStyleSheet(QStringLiteral("font-size:15px; color:%1;").arg(colour));
    LblInfo->setText(QStringLiteral("考试得分：") + QString::number(score) + QStringLiteral("分"));
    LblPrompt->setText(passed ? QStringLiteral("呵呵，恭喜您，您及格啦!")
                              : QStringLiteral("您还没有及格，要继续努力哦!"));
    try {
        LoadScoreRecords();
    } catch (const DatabaseError&) {
        // The list stays empty until the bank can be read again.
    }
}

void frmScore::LoadScoreRecords() {
    ListView1->clear();
    shownIds_.clear();
    for (const RecordRow& r : TenBestRecords(s.Conn)) {
        auto* item = new QTreeWidgetItem(ListView1);
        item->setText(0, QString::number(ListView1->topLevelItemCount()));
        item->setText(1, QString::number(r.id));
        item->setText(2, r.score);
        item->setText(3, r.time);
        shownIds_.append(r.id);
    }
}

void frmScore::BtnDel_Click() {
    if (selectedId_ == 0) {
        s.platform.information(this, QStringLiteral("提示"), QStringLiteral("请选择要删除的记录!"));
        return;
    }
    DeleteRecord(s.Conn, selectedId_);
    for (int i = shownIds_.size() - 1; i >= 0; --i) {
        if (shownIds_[i] != selectedId_) continue;
        delete ListView1->takeTopLevelItem(i);
        shownIds_.removeAt(i);
    }
    // The record is gone: the next delete needs a new choice.
    selectedId_ = 0;
}

void frmScore::mnuSytemRight_FullDel_Click() {
    DeleteAllRecords(s.Conn);
    LoadScoreRecords();
    selectedId_ = 0;
    s.platform.information(this, QStringLiteral("提示"), QStringLiteral("所有考试记录删除完成!"));
}

void frmScore::BtnAgainOwn_Click() {
    const auto minutes = ExamMinutes(s, this);
    if (!minutes) return;
    retakeMinutes_ = *minutes;
    choose(Choice::Retake);
}

void frmScore::choose(Choice choice) {
    choice_ = choice;
    accept();
}
