#include "frmTopics.h"

#include "../platform/Platform.h"
#include "../services/Schedule.h"
#include "../ui/AppContext.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

frmTopics::frmTopics(AppContext& session, QWidget* parent) : QDialog(parent), s(session) {
    setObjectName(QStringLiteral("frmTopics"));
    setWindowTitle(QStringLiteral("专项练习"));
    auto* box = new QVBoxLayout(this);
    box->addWidget(
        label(QStringLiteral("LblTopicsHint"),
              QStringLiteral("按专项集中练习。正确率按你在该专项题目上的全部答题计算。")));
    LvTopics = named(new QTreeWidget, QStringLiteral("LvTopics"));
    LvTopics->setRootIsDecorated(false);
    LvTopics->setMinimumSize(520, 540);
    LvTopics->setHeaderLabels({QStringLiteral("专项"), QStringLiteral("题数"),
                               QStringLiteral("答题次数"), QStringLiteral("正确率")});
    LvTopics->header()->setStretchLastSection(false);
    LvTopics->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 4; ++column)
        LvTopics->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    box->addWidget(LvTopics);
    box->addLayout(orderButtons(&BtnSequence, &BtnRandom));

    connect(BtnSequence, &QPushButton::clicked, this, [this] { start(false); });
    connect(BtnRandom, &QPushButton::clicked, this, [this] { start(true); });
    connect(LvTopics, &QTreeWidget::itemActivated, this, [this] { start(false); });
    guarded(s, this, [this] { fill(); });
}

void frmTopics::fill() {
    for (const TopicCount& t : ReadTopicCounts(s.practice)) {
        auto* item = new QTreeWidgetItem(LvTopics);
        item->setText(0, t.topic);
        item->setText(1, QString::number(t.questions));
        item->setText(2, QString::number(t.answered));
        // Never answered: no accuracy to show yet.
        item->setText(3, t.answered > 0
                             ? QStringLiteral("%1%").arg(qRound(100.0 * t.right / t.answered))
                             : QStringLiteral("—"));
        for (int column = 1; column < 4; ++column)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (LvTopics->topLevelItemCount() > 0) LvTopics->setCurrentItem(LvTopics->topLevelItem(0));
}

void frmTopics::start(bool shuffled) {
    QTreeWidgetItem* item = LvTopics->currentItem();
    if (!item) {
        s.platform.information(this, QStringLiteral("提示"),
                               QStringLiteral("当前车型的题目还没有专项分类。"));
        return;
    }
    choice_ = Choice{item->text(0), shuffled};
    accept();
}
