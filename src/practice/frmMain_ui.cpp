// Builds the main window's controls and wires them to their handlers.
#include "../platform/ClickableLabel.h"
#include "AnswerCardView.h"
#include "frmMain.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template <class W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* label(const QString& name, const QString& text, QWidget* parent = nullptr) {
    return named(new QLabel(text, parent), name);
}

QPushButton* button(const QString& name, const QString& text) {
    auto* b = named(new QPushButton(text), name);
    b->setAutoDefault(false);
    return b;
}

QTimer* timer(QObject* parent, const QString& name, int interval, bool singleShot) {
    auto* t = named(new QTimer(parent), name);
    t->setInterval(interval);
    t->setSingleShot(singleShot);
    return t;
}

QWidget* swatch(const QString& name, QRgb colour) {
    auto* w = named(new QLabel, name);
    w->setFixedSize(18, 18);
    w->setStyleSheet(QStringLiteral("background:#%1; border:1px solid #888;")
                         .arg(colour & 0xFFFFFF, 6, 16, QLatin1Char('0')));
    return w;
}

} // namespace

void frmMain::buildUi() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("驾驶人科目一理论考试模拟训练 1.0"));
    setWindowIcon(QIcon(s.path(QStringLiteral("/images/kemu1-48.png"))));

    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 10);
    root->setSpacing(10);
    root->addWidget(buildCommandColumn());

    FrameQuestion =
        named(new QGroupBox(QStringLiteral("关于软件")), QStringLiteral("FrameQuestion"));

    auto* pages = new QVBoxLayout(FrameQuestion);
    pages->addWidget(buildWelcomePage());
    pages->addWidget(buildPracticePage());
    root->addWidget(FrameQuestion, 1);

    Line1 = named(new QFrame, QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::VLine);
    Line1->setFrameShadow(QFrame::Sunken);
    root->addWidget(Line1);
    root->addWidget(buildCardPanel());

    Timer1 = timer(this, QStringLiteral("Timer1"), 200, true);
    Timer2 = timer(this, QStringLiteral("Timer2"), 260, true);
    Timer3 = timer(this, QStringLiteral("Timer3"), 1000, false);
    Timer4 = timer(this, QStringLiteral("Timer4"), 1000, false);
    recordRetry_ = timer(this, QStringLiteral("recordRetry"), 5000, false);
}

QWidget* frmMain::buildCommandColumn() {
    auto* column = new QWidget;
    column->setFixedWidth(190);
    auto* box = new QVBoxLayout(column);
    box->setContentsMargins(0, 0, 0, 0);

    btnCheXing = button(QStringLiteral("btnCheXing"), QStringLiteral("车型选择"));
    CombolCarType = named(new QComboBox, QStringLiteral("CombolCarType"));
    CombolCarType->hide();
    BtnSequence = button(QStringLiteral("BtnSequence"), QStringLiteral("顺序练习"));
    BtnRandom = button(QStringLiteral("BtnRandom"), QStringLiteral("随机练习"));
    BtnPart = button(QStringLiteral("BtnPart"), QStringLiteral("章节练习"));
    BtnWrongQuestion = button(QStringLiteral("BtnWrongQuestion"), QStringLiteral("错题练习"));
    BtnMoNiKaoShi = button(QStringLiteral("BtnMoNiKaoShi"), QStringLiteral("模拟考试"));
    BtnDocument = button(QStringLiteral("BtnDocument"), QStringLiteral("通关秘籍"));
    CmdAbout = button(QStringLiteral("CmdAbout"), QStringLiteral("关于软件"));
    BtnExit = button(QStringLiteral("BtnExit"), QStringLiteral("退出"));
    for (QWidget* w : {static_cast<QWidget*>(btnCheXing), static_cast<QWidget*>(CombolCarType)}) {
        w->setMinimumHeight(34);
        box->addWidget(w);
    }
    for (auto* b : {BtnSequence, BtnRandom, BtnPart, BtnWrongQuestion, BtnMoNiKaoShi, BtnDocument,
                    CmdAbout, BtnExit}) {
        b->setMinimumHeight(34);
        box->addWidget(b);
    }

    Frame2 = named(new QGroupBox(QStringLiteral("计时")), QStringLiteral("Frame2"));
    auto* clock = new QVBoxLayout(Frame2);
    LblTime = label(QStringLiteral("LblTime"), QStringLiteral("00:00:00"));
    LblTime->setAlignment(Qt::AlignCenter);
    LblTime->setStyleSheet(QStringLiteral("font-size:20px; font-weight:bold;"));
    clock->addWidget(LblTime);
    box->addWidget(Frame2);

    Frame3 = named(new QGroupBox(QStringLiteral("皮肤")), QStringLiteral("Frame3"));
    auto* skins = new QVBoxLayout(Frame3);
    auto* group = new QButtonGroup(Frame3);
    const QStringList captions = {QStringLiteral("WinXP.Luna"), QStringLiteral("WinXP.Royale"),
                                  QStringLiteral("Office 2007"), QStringLiteral("Vista Skin"),
                                  QStringLiteral("Le5 Skin")};
    for (int i = 0; i < 5; ++i) {
        optTheme[i] = named(new QRadioButton(captions[i]), QStringLiteral("optTheme_%1").arg(i));
        group->addButton(optTheme[i], i);
        skins->addWidget(optTheme[i]);
    }
    box->addWidget(Frame3);
    box->addStretch();
    return column;
}

QWidget* frmMain::buildWelcomePage() {
    PicWelcome = named(new QWidget, QStringLiteral("PicWelcome"));
    auto* box = new QVBoxLayout(PicWelcome);
    box->setSpacing(6);
    auto* title = label(QStringLiteral("Label11"), QStringLiteral("驾驶人科目一理论考试模拟训练"));
    title->setStyleSheet(QStringLiteral("font-size:22px; font-weight:bold;"));
    box->addWidget(title);
    box->addWidget(
        label(QStringLiteral("Label17"),
              QStringLiteral(
                  "本软件由本项目开发组编写，题库为原创试题，依据现行道路交通安全法律法规编写。")));
    const QList<QPair<QString, QString>> texts = {
        {QStringLiteral("lbl2"),
         QStringLiteral("本软件有小车、货车、客车题库。网上虽有很多驾驶员考试软件版本，但不是需要安"
                        "装就是需要注册，不然就是弹窗，")},
        {QStringLiteral("Label2"),
         QStringLiteral("烦不胜烦，本软件完全免费，不用安装和注册，无任何弹窗，绝对绿色。")},
        {QStringLiteral("Label3"), QStringLiteral("您只需下载，然后解压缩就可以做模拟试题了，方便快"
                                                  "捷，让您在最短的时间内获得最佳的成绩。\r\n")},
        {QStringLiteral("Label4"), QStringLiteral("具体功能如下：")},
        {QStringLiteral("Label5"),
         QStringLiteral("1、顺序练习：按题库顺序，循序渐进的进行有序的练习。")},
        {QStringLiteral("Label6"),
         QStringLiteral("2、记忆练习：自由选择是否从上次位置开始继续练习。")},
        {QStringLiteral("Label8"),
         QStringLiteral("3、错题练习：用户可以通过错题练习,"
                        "以便全面掌握所需要学习的知识点，同时提供练习进度记录和答")},
        {QStringLiteral("Label10"), QStringLiteral("错题的强化练习功能。")},
        {QStringLiteral("Label12"), QStringLiteral("4、模拟测试：按国家考试出题标准进行智能组卷，模"
                                                   "拟出题，试题采取无序排列，计时计分。")},
        {QStringLiteral("Label14"),
         QStringLiteral("5、若配合本软件提供的通关秘籍,视频教程和电子文档，效果会更好。")},
        {QStringLiteral("Label15"), QStringLiteral("（谢谢您对本软件支持，如果您觉得本软件，对您有"
                                                   "所帮助，可以向开发者，提供捐助。以此来支持")},
        {QStringLiteral("Label16"),
         QStringLiteral("开发者，以便开发者开发更好的软件，方便大家。）")},
    };
    // Each caption fits the page on one line; unwrapped labels lay out in one pass.
    for (const auto& [name, text] : texts)
        box->addWidget(label(name, text));
    box->addSpacing(8);
    auto* links = new QHBoxLayout;
    auto link = [](const QString& name, const QString& text, const QString& tip) {
        auto* l = named(new ClickableLabel(text), name);
        l->setCursor(Qt::PointingHandCursor);
        l->setToolTip(tip);
        l->setAccessibleName(text);
        l->setAlignment(Qt::AlignCenter);
        l->setStyleSheet(QStringLiteral("QLabel{border:1px solid #6a8fc8; border-radius:6px;"
                                        "padding:8px 10px; background:#eef4fc; color:#1d4f91;}"));
        return l;
    };
    imgTall = link(QStringLiteral("imgTall"), QStringLiteral("交通安全综合服务管理平台"),
                   QStringLiteral("公安部交通安全综合服务管理平台：网上预约考试、查询成绩"));
    imgDonate20 = link(QStringLiteral("imgDonate20"), QStringLiteral("国家法律法规数据库"),
                       QStringLiteral("查阅《道路交通安全法》及其实施条例的原文"));
    imgDonate10 = link(QStringLiteral("imgDonate10"), QStringLiteral("公安部网站"),
                       QStringLiteral("中华人民共和国公安部网站"));
    links->addWidget(imgTall);
    links->addWidget(imgDonate20);
    links->addWidget(imgDonate10);
    box->addLayout(links);
    box->addStretch();
    return PicWelcome;
}

QWidget* frmMain::buildPracticePage() {
    PicPractice = named(new QWidget, QStringLiteral("PicPractice"));
    auto* box = new QVBoxLayout(PicPractice);
    box->setSpacing(8);

    auto* head = new QHBoxLayout;
    LblNum = label(QStringLiteral("LblNum"), QStringLiteral("22."));
    LblNum->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    LblNum->setStyleSheet(QStringLiteral("font-size:17px; font-weight:bold;"));
    LblQuestion = label(QStringLiteral("LblQuestion"), {});
    // Bank text is shown as it stands: markup in it must never load files or run wild.
    LblQuestion->setTextFormat(Qt::PlainText);
    LblQuestion->setWordWrap(true);
    LblQuestion->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    LblQuestion->setStyleSheet(QStringLiteral("font-size:17px;"));
    LblQuestion->setMinimumHeight(52);
    head->addWidget(LblNum, 0, Qt::AlignTop);
    head->addWidget(LblQuestion, 1);
    box->addLayout(head);

    auto* options = new QGridLayout;
    options->setColumnStretch(1, 1);
    QLabel** letters[] = {&LblA, &LblB, &LblC, &LblD};
    QLabel** texts[] = {&LblAnswerA, &LblAnswerB, &LblAnswerC, &LblAnswerD};
    const QString names = QStringLiteral("ABCD");
    for (int i = 0; i < 4; ++i) {
        *letters[i] = label(QStringLiteral("Lbl") + names[i], names[i] + QLatin1Char('.'));
        *texts[i] = label(QStringLiteral("LblAnswer") + names[i], {});
        (*texts[i])->setTextFormat(Qt::PlainText);
        (*texts[i])->setWordWrap(true);
        (*letters[i])->setStyleSheet(QStringLiteral("font-size:16px;"));
        (*texts[i])->setStyleSheet(QStringLiteral("font-size:16px;"));
        options->addWidget(*letters[i], i, 0, Qt::AlignTop);
        options->addWidget(*texts[i], i, 1);
    }
    box->addLayout(options);

    ImgMarkPic = label(QStringLiteral("ImgMarkPic"), {});
    ImgMarkPic->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    box->addWidget(ImgMarkPic, 0, Qt::AlignLeft | Qt::AlignTop);
    box->addStretch(1);

    PicABCD = named(new QWidget, QStringLiteral("PicABCD"));
    auto* abcd = new QHBoxLayout(PicABCD);
    abcd->setContentsMargins(0, 0, 0, 0);
    BtnA = button(QStringLiteral("BtnA"), QStringLiteral("A"));
    BtnB = button(QStringLiteral("BtnB"), QStringLiteral("B"));
    BtnC = button(QStringLiteral("BtnC"), QStringLiteral("C"));
    BtnD = button(QStringLiteral("BtnD"), QStringLiteral("D"));
    for (auto* b : {BtnA, BtnB, BtnC, BtnD}) {
        b->setMinimumSize(80, 36);
        abcd->addWidget(b);
    }
    abcd->addStretch();
    PicYesNo = named(new QWidget, QStringLiteral("PicYesNo"));
    auto* yesNo = new QHBoxLayout(PicYesNo);
    yesNo->setContentsMargins(0, 0, 0, 0);
    BtnRight = button(QStringLiteral("BtnRight"), QStringLiteral("对"));
    BtnWrong = button(QStringLiteral("BtnWrong"), QStringLiteral("错"));
    for (auto* b : {BtnRight, BtnWrong}) {
        b->setMinimumSize(80, 36);
        yesNo->addWidget(b);
    }
    yesNo->addStretch();
    PicYesNo->hide();
    box->addWidget(PicABCD);
    box->addWidget(PicYesNo);

    auto* verdict = new QHBoxLayout;
    Label13 = label(QStringLiteral("Label13"), QStringLiteral("你的答案是："));
    LblCorrectAn = label(QStringLiteral("LblCorrectAn"), QStringLiteral("对"));
    LblCorrectAn->setMinimumWidth(30);
    LblCorrectAn->setStyleSheet(QStringLiteral("font-weight:bold;"));
    ImgYesNo = label(QStringLiteral("ImgYesNo"), {});
    ImgYesNo->setFixedSize(44, 44);
    LblAnLabel = label(QStringLiteral("LblAnLabel"), QStringLiteral("答案："));
    LblAn = label(QStringLiteral("LblAn"), QStringLiteral("错"));
    LblAn->setStyleSheet(QStringLiteral("font-weight:bold; color:#0a6b1f;"));
    LblAnLabel->hide();
    LblAn->hide();
    verdict->addWidget(Label13);
    verdict->addWidget(LblCorrectAn);
    verdict->addWidget(ImgYesNo);
    verdict->addSpacing(30);
    verdict->addWidget(LblAnLabel);
    verdict->addWidget(LblAn);
    verdict->addStretch();
    box->addLayout(verdict);

    auto* moves = new QHBoxLayout;
    BtnPreQuestion = button(QStringLiteral("BtnPreQuestion"), QStringLiteral("上一题"));
    BtnNextQuestion = button(QStringLiteral("BtnNextQuestion"), QStringLiteral("下一题"));
    BtnShowAnswer = button(QStringLiteral("BtnShowAnswer"), QStringLiteral("显示答案"));
    BtnSetWrongQuestion = button(QStringLiteral("BtnSetWrongQuestion"), QStringLiteral("设为错题"));
    BtnJiaoJuan = button(QStringLiteral("BtnJiaoJuan"), QStringLiteral("交卷"));
    for (auto* b :
         {BtnPreQuestion, BtnNextQuestion, BtnShowAnswer, BtnSetWrongQuestion, BtnJiaoJuan}) {
        b->setMinimumHeight(32);
        moves->addWidget(b);
    }
    LblWrongPrompt = label(QStringLiteral("LblWrongPrompt"), QStringLiteral("设置成功"));
    LblWrongPrompt->setStyleSheet(QStringLiteral("color:#c00000;"));
    LblWrongPrompt->hide();
    moves->addWidget(LblWrongPrompt);
    moves->addStretch();
    box->addLayout(moves);

    auto* stats = new QHBoxLayout;
    LblRightReplyCount = label(QStringLiteral("LblRightReplyCount"), QStringLiteral("正确/答题"));
    LblCorrect = label(QStringLiteral("LblCorrect"), QStringLiteral("0/0"));
    LblRightRate = label(QStringLiteral("LblRightRate"), QStringLiteral("首正率："));
    LblRate = label(QStringLiteral("LblRate"), QStringLiteral("0.00%"));
    ChkAutoSkip = named(new QCheckBox(QStringLiteral("正确答题后跳转到下一题")),
                        QStringLiteral("ChkAutoSkip"));
    stats->addWidget(LblRightReplyCount);
    stats->addWidget(LblCorrect);
    stats->addSpacing(16);
    stats->addWidget(LblRightRate);
    stats->addWidget(LblRate);
    stats->addStretch();
    stats->addWidget(ChkAutoSkip);
    box->addLayout(stats);

    // Position holders the learner never sees.
    txtCurrentArrayNum = named(new QLineEdit(PicPractice), QStringLiteral("txtCurrentArrayNum"));
    txtPreArrayNum = named(new QLineEdit(PicPractice), QStringLiteral("txtPreArrayNum"));
    txtCurrentArrayNum->hide();
    txtPreArrayNum->hide();
    return PicPractice;
}

QWidget* frmMain::buildCardPanel() {
    auto* panel = CardPanel = named(new QWidget, QStringLiteral("CardPanel"));
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    MSHFlexGrid1 = named(new AnswerCardView, QStringLiteral("MSHFlexGrid1"));
    MSHFlexGrid1->setFixedSize(10 * 40 + 2 + 18, 22 * 26 + 2);
    MSHFlexGrid1->installEventFilter(this);
    box->addWidget(MSHFlexGrid1);

    auto* CardLegend = new QWidget;
    auto* legend = new QHBoxLayout(CardLegend);
    legend->setContentsMargins(0, 4, 0, 0);
    legend->addWidget(swatch(QStringLiteral("Image3"), AnswerCardModel::LightYellow));
    legend->addWidget(label(QStringLiteral("Label9"), QStringLiteral("已答题")));
    legend->addSpacing(12);
    legend->addWidget(swatch(QStringLiteral("Image4"), AnswerCardModel::LightCyan));
    legend->addWidget(label(QStringLiteral("Label7"), QStringLiteral("当前题")));
    legend->addSpacing(12);
    legend->addWidget(swatch(QStringLiteral("Image2"), AnswerCardModel::White));
    legend->addWidget(label(QStringLiteral("Label1"), QStringLiteral("未答题")));
    legend->addStretch();
    box->addWidget(CardLegend);
    box->addStretch();
    return panel;
}

template <class Handler> void frmMain::onClick(QPushButton* b, Handler handler) {
    connect(b, &QPushButton::clicked, this, [this, handler] { guard(handler); });
}

void frmMain::connectHandlers() {
    // Leaving a running exam for another mode needs the learner's yes.
    auto leaving = [this](auto handler) {
        return [this, handler] {
            if (confirmLeavingExam()) handler();
        };
    };
    onClick(btnCheXing, leaving([this] { btnCheXing_Click(); }));
    connect(CombolCarType, &QComboBox::activated, this,
            [this] { guard([this] { CombolCarType_Click(); }); });
    connect(ChkAutoSkip, &QCheckBox::clicked, this,
            [this] { guard([this] { ChkAutoSkip_Click(); }); });
    onClick(BtnExit, [this] { BtnExit_Click(); });
    onClick(BtnSequence, leaving([this] { BtnSequence_Click(); }));
    onClick(BtnRandom, leaving([this] { BtnRandom_Click(); }));
    onClick(BtnPart, leaving([this] { BtnPart_Click(); }));
    onClick(BtnWrongQuestion, leaving([this] { BtnWrongQuestion_Click(); }));
    onClick(BtnMoNiKaoShi, leaving([this] { BtnMoNiKaoShi_Click(); }));
    onClick(BtnDocument, [this] { BtnDocument_Click(); });
    onClick(CmdAbout, [this] { CmdAbout_Click(); });
    onClick(BtnNextQuestion, [this] { BtnNextQuestion_Click(); });
    onClick(BtnPreQuestion, [this] { BtnPreQuestion_Click(); });
    onClick(BtnShowAnswer, [this] { BtnShowAnswer_Click(); });
    onClick(BtnSetWrongQuestion, [this] { BtnSetWrongQuestion_Click(); });
    onClick(BtnJiaoJuan, [this] { BtnJiaoJuan_Click(); });
    const QList<QPair<QPushButton*, QString>> answers = {
        {BtnA, QStringLiteral("A")},      {BtnB, QStringLiteral("B")},
        {BtnC, QStringLiteral("C")},      {BtnD, QStringLiteral("D")},
        {BtnRight, QStringLiteral("对")}, {BtnWrong, QStringLiteral("错")}};
    for (const auto& [b, text] : answers)
        onClick(b, [this, text] { JudgeAnswer(text); });
    connect(MSHFlexGrid1, &QTableView::clicked, this,
            [this] { guard([this] { MSHFlexGrid1_Click(); }); });
    for (int i = 0; i < 5; ++i)
        connect(optTheme[i], &QRadioButton::clicked, this,
                [this, i] { guard([this, i] { optTheme_Click(i); }); });
    connect(imgTall, &ClickableLabel::clicked, this, [this] { imgTall_Click(); });
    connect(imgDonate20, &ClickableLabel::clicked, this, [this] { imgDonate20_Click(); });
    connect(imgDonate10, &ClickableLabel::clicked, this, [this] { imgDonate10_Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3_Timer(); });
    connect(Timer4, &QTimer::timeout, this, [this] { guard([this] { Timer4_Timer(); }); });
    connect(recordRetry_, &QTimer::timeout, this, [this] { retryWaitingRecords(); });
}

// Keys answer and move as the buttons do, whenever the button is on screen.
void frmMain::connectKeyboard() {
    auto key = [this](QKeySequence sequence, QPushButton* target) {
        auto* shortcut = new QShortcut(sequence, this);
        const bool paging =
            sequence == QKeySequence(Qt::Key_PageUp) || sequence == QKeySequence(Qt::Key_PageDown);
        const bool down = sequence == QKeySequence(Qt::Key_PageDown);
        connect(shortcut, &QShortcut::activated, this, [this, target, paging, down] {
            // On the focused answer card the page keys page the card.
            if (paging && MSHFlexGrid1->hasFocus()) {
                MSHFlexGrid1->verticalScrollBar()->triggerAction(
                    down ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
                return;
            }
            if (PicPractice->isVisible() && target->isVisibleTo(this) && target->isEnabled())
                target->click();
        });
    };
    key(Qt::Key_A, BtnA);
    key(Qt::Key_B, BtnB);
    key(Qt::Key_C, BtnC);
    key(Qt::Key_D, BtnD);
    key(Qt::Key_1, BtnRight);
    key(Qt::Key_Y, BtnRight);
    key(Qt::Key_2, BtnWrong);
    key(Qt::Key_N, BtnWrong);
    key(Qt::Key_Left, BtnPreQuestion);
    key(Qt::Key_PageUp, BtnPreQuestion);
    key(Qt::Key_Right, BtnNextQuestion);
    key(Qt::Key_PageDown, BtnNextQuestion);
}
