#include "CommandColumn.h"

#include "../domain/Domain.h"
#include "../ui/Widgets.h"
#include "ElidedComboBox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

CommandColumn::CommandColumn(QWidget* parent) : QWidget(parent) {
    setFixedWidth(190);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    // Tight enough that every entry and skin fits a 1280×720 screen without scrolling.
    box->setSpacing(2);

    btnCheXing = button(QStringLiteral("btnCheXing"), QStringLiteral("车型选择"));
    CombolCarType = named(new ElidedComboBox, QStringLiteral("CombolCarType"));
    QStringList items;
    for (const VehicleClass& c : VehicleClasses())
        items.append(c.chooserText);
    CombolCarType->addItems(items);
    CombolCarType->setCurrentIndex(-1);
    CombolCarType->setToolTip(items.join(QStringLiteral("\r\n")));
    CombolCarType->hide();
    for (QWidget* w : {static_cast<QWidget*>(btnCheXing), static_cast<QWidget*>(CombolCarType)}) {
        w->setMinimumHeight(EntryHeight);
        box->addWidget(w);
    }
    const QList<QPair<QPushButton**, QPair<const char*, QString>>> entries = {
        {&BtnSequence, {"BtnSequence", QStringLiteral("顺序练习")}},
        {&BtnRandom, {"BtnRandom", QStringLiteral("随机练习")}},
        {&BtnPart, {"BtnPart", QStringLiteral("章节练习")}},
        {&BtnWrongQuestion, {"BtnWrongQuestion", QStringLiteral("错题练习")}},
        {&BtnMoNiKaoShi, {"BtnMoNiKaoShi", QStringLiteral("模拟考试")}},
        {&BtnProgress, {"BtnProgress", QStringLiteral("学习进度")}},
        {&BtnDocument, {"BtnDocument", QStringLiteral("通关秘籍")}},
        {&CmdAbout, {"CmdAbout", QStringLiteral("关于软件")}},
        {&BtnExit, {"BtnExit", QStringLiteral("退出")}}};
    QHBoxLayout* pair = nullptr;
    for (int i = 0; i < entries.size(); ++i) {
        QPushButton*& b = *entries[i].first;
        b = button(QString::fromLatin1(entries[i].second.first), entries[i].second.second);
        b->setMinimumHeight(EntryHeight);
        // 通关秘籍 and 关于软件 share a row, so the whole column fits a 730-pixel window.
        if (i == StudyFolder) box->addLayout(pair = new QHBoxLayout);
        if (i == StudyFolder || i == About)
            pair->addWidget(b);
        else
            box->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, i] { emit entryClicked(i); });
    }

    Frame2 = named(new QGroupBox(QStringLiteral("计时")), QStringLiteral("Frame2"));
    auto* clock = new QVBoxLayout(Frame2);
    clock->setContentsMargins(6, 2, 6, 2);
    LblTime = label(QStringLiteral("LblTime"), QStringLiteral("00:00:00"));
    LblTime->setAlignment(Qt::AlignCenter);
    LblTime->setStyleSheet(QStringLiteral("font-size:20px; font-weight:bold;"));
    clock->addWidget(LblTime);
    box->addWidget(Frame2);

    Frame3 = named(new QGroupBox(QStringLiteral("皮肤")), QStringLiteral("Frame3"));
    auto* skins = new QVBoxLayout(Frame3);
    skins->setContentsMargins(9, 2, 9, 2);
    skins->setSpacing(1);
    auto* group = new QButtonGroup(Frame3);
    const QStringList captions = {QStringLiteral("WinXP.Luna"),  QStringLiteral("WinXP.Royale"),
                                  QStringLiteral("Office 2007"), QStringLiteral("Vista Skin"),
                                  QStringLiteral("Le5 Skin"),    QStringLiteral("夜间")};
    for (int i = 0; i < int(optTheme.size()); ++i) {
        optTheme[i] = named(new QRadioButton(captions[i]), QStringLiteral("optTheme_%1").arg(i));
        group->addButton(optTheme[i], i);
        skins->addWidget(optTheme[i]);
        connect(optTheme[i], &QRadioButton::clicked, this, [this, i] { emit skinPicked(i); });
    }
    box->addWidget(Frame3);
    box->addStretch();

    connect(btnCheXing, &QPushButton::clicked, this, &CommandColumn::chooserOpened);
    connect(CombolCarType, &QComboBox::activated, this, &CommandColumn::classPicked);
}

void CommandColumn::setClassIndex(int index) {
    CombolCarType->setCurrentIndex(index);
}

int CommandColumn::classIndex() const {
    return CombolCarType->currentIndex();
}

QString CommandColumn::classText(int index) const {
    return CombolCarType->itemText(index);
}

void CommandColumn::collapseChooser() {
    btnCheXing->show();
    CombolCarType->hide();
}

void CommandColumn::openChooser() {
    btnCheXing->hide();
    CombolCarType->show();
}

void CommandColumn::setClock(int t) {
    LblTime->setText(QStringLiteral("%1:%2:%3")
                         .arg(t / 3600, 2, 10, QLatin1Char('0'))
                         .arg((t / 60) % 60, 2, 10, QLatin1Char('0'))
                         .arg(t % 60, 2, 10, QLatin1Char('0')));
}

void CommandColumn::setSkin(int index) {
    if (index >= 0 && index < int(optTheme.size())) optTheme[index]->setChecked(true);
}

void CommandColumn::insertBelow(Entry entry, QWidget* widget) {
    auto* box = static_cast<QVBoxLayout*>(layout());
    const QPushButton* buttons[] = {BtnSequence,      BtnRandom,     BtnPart,
                                    BtnWrongQuestion, BtnMoNiKaoShi, BtnProgress,
                                    BtnDocument,      CmdAbout,      BtnExit};
    box->insertWidget(box->indexOf(buttons[entry]) + 1, widget);
}
