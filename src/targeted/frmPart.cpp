#include "frmPart.h"

#include "../platform/Platform.h"
#include "../store/Statements.h"
#include "../ui/AppContext.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QTreeWidget>
#include <QVBoxLayout>

frmPart::frmPart(AppContext& session, QWidget* parent) : QDialog(parent), s(session) {
    setObjectName(QStringLiteral("frmPart"));
    setWindowTitle(QStringLiteral("章节练习"));
    auto* box = new QVBoxLayout(this);
    Frame1 = named(new QGroupBox(QStringLiteral("请选择要练习的章节")), QStringLiteral("Frame1"));
    auto* inner = new QVBoxLayout(Frame1);
    LvPart = named(new QTreeWidget, QStringLiteral("LvPart"));
    LvPart->setRootIsDecorated(false);
    LvPart->setMinimumSize(560, 300);
    inner->addWidget(LvPart);
    box->addWidget(Frame1);
    box->addLayout(orderButtons(&BtnSequence, &BtnRandom));

    connect(BtnSequence, &QPushButton::clicked, this, [this] { start(false); });
    connect(BtnRandom, &QPushButton::clicked, this, [this] { start(true); });
    connect(LvPart, &QTreeWidget::itemDoubleClicked, this, [this] { start(false); });
    guarded(s, this, [this] { Form_Load(); });
}

void frmPart::Form_Load() {
    LvPart->setHeaderLabels({QStringLiteral("编号"), QStringLiteral("章节标题")});
    LvPart->setColumnHidden(0, true);
    chapters_.clear();
    for (const ChapterCount& c : ClassChapters(s.Conn, s.practice.CarTypeCode)) {
        auto* item = new QTreeWidgetItem(LvPart);
        item->setText(0, c.chapter);
        item->setText(1, QStringLiteral("%1、%2(%3)题").arg(c.chapter, c.title).arg(c.questions));
        chapters_.append(c.chapter);
    }
    if (LvPart->topLevelItemCount() > 0) LvPart->setCurrentItem(LvPart->topLevelItem(0));
}

void frmPart::start(bool shuffled) {
    // No row picked means the first; no rows at all means nothing to practise.
    QTreeWidgetItem* item = LvPart->currentItem();
    if (!item && LvPart->topLevelItemCount() > 0) item = LvPart->topLevelItem(0);
    if (!item) {
        s.platform.information(this, QStringLiteral("提示"),
                               QStringLiteral("当前车型没有可练习的章节。"));
        return;
    }
    const QString chapter = chapters_.value(LvPart->indexOfTopLevelItem(item));
    choice_ = PracticeRequest{Sql::chapterCount(s.practice.CarTypeCode, chapter),
                              Sql::chapterPracticeIds(s.practice.CarTypeCode, chapter),
                              QuestionSet::Mode::Chapter, shuffled,
                              QStringLiteral("《章节练习》") + item->text(1)};
    accept();
}
