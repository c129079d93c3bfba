#include "frmRuleChanges.h"

#include "../platform/Platform.h"
#include "../store/RuleChanges.h"
#include "../ui/AppContext.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"

#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { Date, Change, Questions };
constexpr int KeyRole = Qt::UserRole;
constexpr int SourceRole = Qt::UserRole + 1;

} // namespace

frmRuleChanges::frmRuleChanges(AppContext& session, QWidget* parent) : QDialog(parent), s(session) {
    setObjectName(QStringLiteral("frmRuleChanges"));
    setWindowTitle(QStringLiteral("法规变化"));
    auto* box = new QVBoxLayout(this);
    box->addWidget(label(QStringLiteral("LblRuleChangesHint"),
                         QStringLiteral("2021年以来施行的新规定。考试按现行规定出题；选中一项，"
                                        "练习按它出的题。")));
    LvRuleChanges = named(new QTreeWidget, QStringLiteral("LvRuleChanges"));
    LvRuleChanges->setRootIsDecorated(false);
    LvRuleChanges->setMinimumSize(900, 300);
    LvRuleChanges->setHeaderLabels(
        {QStringLiteral("施行日期"), QStringLiteral("变化"), QStringLiteral("题数")});
    LvRuleChanges->header()->setStretchLastSection(false);
    LvRuleChanges->header()->setSectionResizeMode(Date, QHeaderView::ResizeToContents);
    LvRuleChanges->header()->setSectionResizeMode(Change, QHeaderView::Stretch);
    LvRuleChanges->header()->setSectionResizeMode(Questions, QHeaderView::ResizeToContents);
    box->addWidget(LvRuleChanges);
    // One line each in the list; the whole change and its source below.
    LblRuleDetail = label(QStringLiteral("LblRuleDetail"), QString());
    LblRuleDetail->setWordWrap(true);
    LblRuleDetail->setMinimumHeight(LblRuleDetail->fontMetrics().lineSpacing() * 4);
    LblRuleDetail->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->addWidget(LblRuleDetail);
    box->addLayout(orderButtons(&BtnSequence, &BtnRandom));

    connect(BtnSequence, &QPushButton::clicked, this, [this] { start(false); });
    connect(BtnRandom, &QPushButton::clicked, this, [this] { start(true); });
    connect(LvRuleChanges, &QTreeWidget::itemActivated, this, [this] { start(false); });
    connect(LvRuleChanges, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        LblRuleDetail->setText(item ? item->text(Change) + QStringLiteral("\n依据：") +
                                          item->data(0, SourceRole).toString()
                                    : QString());
    });
    guarded(s, this, [this] { fill(); });
}

void frmRuleChanges::fill() {
    for (const RuleChangeCount& c : ReadRuleChanges(s.Conn, s.practice.CarTypeCode)) {
        auto* item = new QTreeWidgetItem(LvRuleChanges);
        item->setText(Date, c.date);
        item->setText(Change, c.change);
        item->setText(Questions, QString::number(c.questions));
        item->setTextAlignment(Questions, Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(Change, c.source);
        item->setData(0, KeyRole, c.key);
        item->setData(0, SourceRole, c.source);
    }
    if (LvRuleChanges->topLevelItemCount() > 0)
        LvRuleChanges->setCurrentItem(LvRuleChanges->topLevelItem(0));
}

void frmRuleChanges::start(bool shuffled) {
    QTreeWidgetItem* item = LvRuleChanges->currentItem();
    if (!item) {
        s.platform.information(this, QStringLiteral("提示"),
                               QStringLiteral("这个题库没有记录法规变化。"));
        return;
    }
    if (item->text(Questions).toInt() == 0) {
        s.platform.information(this, QStringLiteral("提示"),
                               QStringLiteral("当前车型还没有按这项变化出的题。"));
        return;
    }
    // The change's first clause names it well enough for the set's caption.
    QString title =
        item->text(Change).section(QRegularExpression(QStringLiteral("[，；（]")), 0, 0);
    if (title.size() > 16) title = title.left(15) + QStringLiteral("…");
    choice_ = Choice{item->data(0, KeyRole).toString(), title, shuffled};
    accept();
}
