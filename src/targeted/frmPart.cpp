#include "frmPart.h"

#include "../platform/Platform.h"
#include "../practice/frmMain.h"
#include "../store/Guard.h"
#include "../store/Statements.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTreeWidget>
#include <QVBoxLayout>

frmPart::frmPart(frmMain& main) : QDialog(&main), main_(main) {
    setObjectName(QStringLiteral("frmPart"));
    setWindowTitle(QStringLiteral("章节练习"));
    auto* box = new QVBoxLayout(this);
    Frame1 = new QGroupBox(QStringLiteral("请选择要练习的章节"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* inner = new QVBoxLayout(Frame1);
    LvPart = new QTreeWidget;
    LvPart->setObjectName(QStringLiteral("LvPart"));
    LvPart->setRootIsDecorated(false);
    LvPart->setMinimumSize(560, 300);
    inner->addWidget(LvPart);
    box->addWidget(Frame1);
    auto* buttons = new QHBoxLayout;
    BtnSequence = new QPushButton(QStringLiteral("顺序练习"));
    BtnSequence->setObjectName(QStringLiteral("BtnSequence"));
    BtnRandom = new QPushButton(QStringLiteral("随机练习"));
    BtnRandom->setObjectName(QStringLiteral("BtnRandom"));
    buttons->addStretch();
    for (auto* b : {BtnSequence, BtnRandom}) {
        b->setAutoDefault(false);
        b->setMinimumSize(110, 32);
        buttons->addWidget(b);
    }
    box->addLayout(buttons);

    auto& s = main_.session();
    connect(BtnSequence, &QPushButton::clicked, this,
            [this, &s] { guarded(s, this, [this] { BtnSequence_Click(); }); });
    connect(BtnRandom, &QPushButton::clicked, this,
            [this, &s] { guarded(s, this, [this] { BtnRandom_Click(); }); });
    connect(LvPart, &QTreeWidget::itemDoubleClicked, this,
            [this, &s] { guarded(s, this, [this] { LvPart_DblClick(); }); });
    guarded(s, this, [this] { Form_Load(); });
}

void frmPart::Form_Load() {
    auto& s = main_.session();
    LvPart->setHeaderLabels({QStringLiteral("编号"), QStringLiteral("章节标题")});
    LvPart->setColumnHidden(0, true);
    LvPart->clear();
    s.Conn.forEachRow(Sql::classChapters(s.CarTypeCode), [&](const QSqlQuery& row) {
        const QString chap = row.value(QStringLiteral("Chap")).toString().trimmed();
        const QString title = row.value(QStringLiteral("strType")).toString().trimmed();
        const QString n = s.Conn
                              .firstValue(Sql::chapterListCount(s.CarTypeCode, chap),
                                          QStringLiteral("partQuestionsum"))
                              .toString();
        auto* item = new QTreeWidgetItem(LvPart);
        item->setText(0, chap);
        item->setText(1, chap + QStringLiteral("、") + title + QStringLiteral("(") + n +
                             QStringLiteral(")题"));
    });
    if (LvPart->topLevelItemCount() > 0) LvPart->setCurrentItem(LvPart->topLevelItem(0));
}

void frmPart::start(bool shuffled) {
    auto& s = main_.session();
    // No row picked means the first; no rows at all means nothing to practise.
    QTreeWidgetItem* item = LvPart->currentItem();
    if (!item && LvPart->topLevelItemCount() > 0) item = LvPart->topLevelItem(0);
    if (!item) {
        s.platform.information(this, QStringLiteral("提示"),
                               QStringLiteral("当前车型没有可练习的章节。"));
        return;
    }
    const QString chap = item->text(0);
    const QString label = item->text(1);
    QuestionSumSql = Sql::chapterCount(s.CarTypeCode, chap);
    QuestionIdSql = Sql::chapterPracticeIds(s.CarTypeCode, chap);
    const bool loaded =
        shuffled ? main_.MSHFlexGridFillQuestionNumRandom(QuestionSumSql, QuestionIdSql)
                 : main_.MSHFlexGridFillQuestionNumSequence(QuestionSumSql, QuestionIdSql);
    if (!loaded) return;
    main_.ShowFirstQuestion();
    static const QStringList endings = {QStringLiteral("—小车版"), QStringLiteral("—货车版"),
                                        QStringLiteral("—客车版")};
    const int index = main_.CombolCarType->currentIndex();
    if (index >= 0 && index <= 2)
        main_.FrameQuestion->setTitle(QStringLiteral("《") + windowTitle() + QStringLiteral("》") +
                                      label + endings[index]);
    close();
}

void frmPart::BtnSequence_Click() {
    start(false);
}
void frmPart::BtnRandom_Click() {
    start(true);
}
void frmPart::LvPart_DblClick() {
    BtnSequence_Click();
}
