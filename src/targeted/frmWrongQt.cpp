#include "frmWrongQt.h"

#include "../platform/Platform.h"
#include "../services/Practice.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../ui/AppContext.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

frmWrongQt::frmWrongQt(AppContext& session, QWidget* parent) : QDialog(parent), s(session) {
    setObjectName(QStringLiteral("frmWrongQt"));
    setWindowTitle(QStringLiteral("错题练习-试题组成"));
    auto* box = new QVBoxLayout(this);
    auto make = [&](const char* name, const QString& text) {
        auto* l = label(QString::fromLatin1(name), text);
        box->addWidget(l);
        return l;
    };
    Label1 = make("Label1", QStringLiteral("错题练习试题组成："));
    Label1->setStyleSheet(QStringLiteral("font-weight:bold;"));
    Label2 = make("Label2", QStringLiteral("1、练习中手工设置为错题的错题"));
    Label3 = make("Label3", QStringLiteral("2、软件自动记录练习中答错的错题"));
    Label4 = make("Label4", QStringLiteral("3、软件自动记录模拟考试中答错的错题"));
    Frame1 = named(new QGroupBox(QStringLiteral("说明与设置")), QStringLiteral("Frame1"));
    auto* inner = new QVBoxLayout(Frame1);
    Check1 = named(new QCheckBox(QStringLiteral("答对的试题从错题练习中自动除去")),
                   QStringLiteral("Check1"));
    Check1->setToolTip(QStringLiteral("只在错题练习中有效"));
    inner->addWidget(Check1);
    box->addWidget(Frame1);
    auto* buttons = new QHBoxLayout;
    auto make_button = [&](const char* name, const QString& text) {
        auto* b = button(QString::fromLatin1(name), text);
        b->setMinimumSize(100, 32);
        buttons->addWidget(b);
        return b;
    };
    BtnSequence = make_button("BtnSequence", QStringLiteral("顺序练习"));
    BtnRandom = make_button("BtnRandom", QStringLiteral("随机练习"));
    BtnAgainSet = make_button("BtnAgainSet", QStringLiteral("重置错题"));
    box->addLayout(buttons);
    setMinimumWidth(420);

    connect(Check1, &QCheckBox::clicked, this,
            [this] { guarded(s, this, [this] { Check1_Click(); }); });
    connect(BtnAgainSet, &QPushButton::clicked, this,
            [this] { guarded(s, this, [this] { BtnAgainSet_Click(); }); });
    auto start = [this](bool shuffled) {
        shuffled_ = shuffled;
        accept();
    };
    connect(BtnSequence, &QPushButton::clicked, this, [start] { start(false); });
    connect(BtnRandom, &QPushButton::clicked, this, [start] { start(true); });
    guarded(s, this, [this] {
        Check1->setChecked(wholePartOf(ReadSetting(s.Conn, Key::AutoRemove), Key::AutoRemove) == 1);
    });
}

void frmWrongQt::Check1_Click() {
    WriteSwitch(s.Conn, Key::AutoRemove, Check1->isChecked() ? 1 : 0);
}

void frmWrongQt::BtnAgainSet_Click() {
    if (s.platform.askYesNo(this, QStringLiteral("确认"),
                            QStringLiteral("你确定要重置错题吗?这会将以前的错误记录删除.")))
        ClearAllWrongMarks(s.Conn);
}
