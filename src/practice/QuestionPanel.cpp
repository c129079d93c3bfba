#include "QuestionPanel.h"

#include "../appearance/Colours.h"
#include "../ui/Widgets.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPixmapCache>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// How much larger than drawn a picture shows at the normal text size: a sign (160 px) at
// 216 px, a scene (240 px) at 324 px; it grows with the text from there while there is room.
constexpr double PictureZoom = 1.35;
// The options beside a picture keep at least this width (at the normal text size).
constexpr int OptionsMinWidth = 200;

// Only a plain file of picture size is read: a pipe would block the window for good. Pictures
// come from the OS file cache anyway; keeping the decoded pixmap saves the decode.
QPixmap loadPicture(const QString& file) {
    constexpr qint64 MaxPictureBytes = 16 << 20;
    QPixmap picture;
    if (QPixmapCache::find(file, &picture)) return picture;
    const QFileInfo info(file);
    if (!info.isFile() || info.size() > MaxPictureBytes || !picture.load(file)) return {};
    QPixmapCache::insert(file, picture);
    return picture;
}

// name@2x.jpg beside name.jpg: the same drawing with twice the pixels.
QString sharpFile(const QString& file) {
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    return file.left(dot) + QStringLiteral("@2x") + file.mid(dot);
}

// The verdict mark at its size, from the sharp file on a screen scaled above 100 %.
QPixmap loadMark(const QString& file, qreal pixelRatio) {
    if (pixelRatio > 1.0) {
        QPixmap sharp = loadPicture(sharpFile(file));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return loadPicture(file);
}

} // namespace

QuestionPanel::QuestionPanel(const QString& programFolder, const ClockFactory& clocks,
                             QWidget* parent)
    : QWidget(parent), folder_(programFolder),
      promptClock_(clocks(QStringLiteral("Timer1"), 200, this)),
      verdictClock_(clocks(QStringLiteral("Timer2"), 260, this)) {
    setObjectName(QStringLiteral("PicPractice"));
    connect(promptClock_, &Clock::ticked, this, [this] {
        LblWrongPrompt->setVisible(false);
        promptClock_->stop();
    });
    connect(verdictClock_, &Clock::ticked, this, [this] {
        showVerdict({}, std::nullopt);
        verdictClock_->stop();
    });
    auto* box = new QVBoxLayout(this);
    box->setSpacing(8);
    // The question, its options, picture and explanation scroll when the text is large or the
    // window small; the buttons beneath always stay in view.
    auto* scroll = scroll_ = named(new QScrollArea, QStringLiteral("QuestionScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->installEventFilter(this); // its size decides the picture's
    auto* content = new QWidget;
    auto* top = new QVBoxLayout(content);
    content_ = top;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(8);
    scroll->setWidget(content);
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    box->addWidget(scroll, 1);

    auto* head = new QHBoxLayout;
    head_ = head;
    LblNum = label(QStringLiteral("LblNum"), QStringLiteral("22."));
    LblNum->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    LblQuestion = label(QStringLiteral("LblQuestion"), {});
    // Bank text is shown as it stands: markup in it must never load files or run wild.
    LblQuestion->setTextFormat(Qt::PlainText);
    LblQuestion->setWordWrap(true);
    LblQuestion->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    LblQuestion->setMinimumHeight(52);
    BtnFavourite = named(new QToolButton, QStringLiteral("BtnFavourite"));
    BtnFavourite->setCheckable(true);
    BtnFavourite->setAutoRaise(true);
    BtnFavourite->setText(QStringLiteral("☆"));
    BtnFavourite->setToolTip(QStringLiteral("收藏本题（F 键）"));
    BtnFavourite->setAccessibleName(QStringLiteral("收藏"));
    BtnFavourite->setStyleSheet(
        QStringLiteral("QToolButton{font-size:20px; color:#b0b0b0; padding:0 2px;}"
                       "QToolButton:checked{color:#e8a000; background:transparent; border:none;}"));
    connect(BtnFavourite, &QToolButton::toggled, this, [this](bool on) {
        BtnFavourite->setText(on ? QStringLiteral("★") : QStringLiteral("☆"));
        BtnFavourite->setToolTip(on ? QStringLiteral("取消收藏（F 键）")
                                    : QStringLiteral("收藏本题（F 键）"));
    });
    head->addWidget(BtnFavourite, 0, Qt::AlignTop);
    head->addWidget(LblNum, 0, Qt::AlignTop);
    head->addWidget(LblQuestion, 1);
    top->addLayout(head);

    auto* options = options_ = new QGridLayout;
    options->setColumnStretch(1, 1);
    QLabel** letters[] = {&LblA, &LblB, &LblC, &LblD};
    QLabel** texts[] = {&LblAnswerA, &LblAnswerB, &LblAnswerC, &LblAnswerD};
    const QString names = QStringLiteral("ABCD");
    for (int i = 0; i < 4; ++i) {
        *letters[i] = label(QStringLiteral("Lbl") + names[i], names[i] + QLatin1Char('.'));
        *texts[i] = label(QStringLiteral("LblAnswer") + names[i], {});
        (*texts[i])->setTextFormat(Qt::PlainText);
        (*texts[i])->setWordWrap(true);
        options->addWidget(*letters[i], i, 0, Qt::AlignTop);
        options->addWidget(*texts[i], i, 1);
    }
    // The picture sits beside the options when both fit, else below them (fitPicture).
    optionsRow_ = new QHBoxLayout;
    optionsRow_->setSpacing(top->spacing());
    auto* optionsColumn = new QVBoxLayout; // options at their height beside a taller picture
    optionsColumn->addLayout(options);
    optionsColumn->addStretch(1);
    optionsRow_->addLayout(optionsColumn, 1);
    top->addLayout(optionsRow_);

    ImgMarkPic = label(QStringLiteral("ImgMarkPic"), {});
    ImgMarkPic->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    top->addWidget(ImgMarkPic, 0, Qt::AlignLeft | Qt::AlignTop);

    // 解析: reachable by Tab and read by a screen reader after the verdict.
    PicExplain = named(new QFrame, QStringLiteral("PicExplain"));
    static_cast<QFrame*>(PicExplain)->setFrameShape(QFrame::StyledPanel);
    auto* explainBox = new QVBoxLayout(PicExplain);
    explainBox->setContentsMargins(10, 6, 10, 6);
    LblExplain = label(QStringLiteral("LblExplain"), {});
    LblExplain->setTextFormat(Qt::PlainText);
    LblExplain->setWordWrap(true);
    // The label's text is its accessible name, so a screen reader reads the explanation.
    LblExplain->setAccessibleDescription(QStringLiteral("解析"));
    LblExplain->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    LblExplain->setFocusPolicy(Qt::StrongFocus);
    explainBox->addWidget(LblExplain);
    PicExplain->hide();
    top->addWidget(PicExplain);
    top->addStretch(1);

    auto row = [&](QWidget*& holder, const char* name,
                   const QList<QPair<QPushButton**, QString>>& buttons) {
        holder = named(new QWidget, QString::fromLatin1(name));
        auto* line = new QHBoxLayout(holder);
        line->setContentsMargins(0, 0, 0, 0);
        for (const auto& [b, text] : buttons) {
            *b = button(QStringLiteral("Btn") +
                            (text == QStringLiteral("对")   ? QStringLiteral("Right")
                             : text == QStringLiteral("错") ? QStringLiteral("Wrong")
                                                            : text),
                        text);
            (*b)->setMinimumSize(80, 36);
            line->addWidget(*b);
            connect(*b, &QPushButton::clicked, this, [this, text = text] { emit answered(text); });
        }
        line->addStretch();
        box->addWidget(holder);
    };
    row(PicABCD, "PicABCD", {{&BtnA, "A"}, {&BtnB, "B"}, {&BtnC, "C"}, {&BtnD, "D"}});
    row(PicYesNo, "PicYesNo",
        {{&BtnRight, QStringLiteral("对")}, {&BtnWrong, QStringLiteral("错")}});
    PicYesNo->hide();

    auto* verdict = new QHBoxLayout;
    Label13 = label(QStringLiteral("Label13"), QStringLiteral("你的答案是："));
    LblCorrectAn = label(QStringLiteral("LblCorrectAn"), {});
    LblCorrectAn->setMinimumWidth(30);
    LblCorrectAn->setStyleSheet(QStringLiteral("font-weight:bold;"));
    ImgYesNo = label(QStringLiteral("ImgYesNo"), {});
    ImgYesNo->setFixedSize(44, 44);
    LblAnLabel = label(QStringLiteral("LblAnLabel"), QStringLiteral("答案："));
    LblAn = label(QStringLiteral("LblAn"), QStringLiteral("错"));
    LblAnLabel->hide();
    LblAn->hide();
    for (QWidget* w : {static_cast<QWidget*>(Label13), static_cast<QWidget*>(LblCorrectAn),
                       static_cast<QWidget*>(ImgYesNo)})
        verdict->addWidget(w);
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
    ChkStudyMode = named(new QCheckBox(QStringLiteral("背题模式")), QStringLiteral("ChkStudyMode"));
    ChkStudyMode->setToolTip(
        QStringLiteral("题目和答案、解析一起显示，不判题、不计数、不记录（S 键）"));
    stats->addWidget(LblRightReplyCount);
    stats->addWidget(LblCorrect);
    stats->addSpacing(16);
    stats->addWidget(LblRightRate);
    stats->addWidget(LblRate);
    stats->addStretch();
    stats->addWidget(ChkStudyMode);
    stats->addSpacing(12);
    stats->addWidget(ChkAutoSkip);
    box->addLayout(stats);
    setLook(Look::Practice);
    restyle();

    connect(BtnNextQuestion, &QPushButton::clicked, this, &QuestionPanel::next);
    connect(BtnPreQuestion, &QPushButton::clicked, this, &QuestionPanel::previous);
    connect(BtnShowAnswer, &QPushButton::clicked, this, &QuestionPanel::showAnswerClicked);
    connect(BtnSetWrongQuestion, &QPushButton::clicked, this, &QuestionPanel::setWrongClicked);
    connect(BtnJiaoJuan, &QPushButton::clicked, this, &QuestionPanel::handIn);
    connect(ChkAutoSkip, &QCheckBox::clicked, this, &QuestionPanel::autoSkipClicked);
    connect(ChkStudyMode, &QCheckBox::clicked, this, &QuestionPanel::studyModeClicked);
    connect(BtnFavourite, &QToolButton::clicked, this, &QuestionPanel::favouriteClicked);
}

void QuestionPanel::showQuestion(const QuestionData& q, const QString& number,
                                 const AnswerState& stored) {
    const bool choice = q.kind == Kind::Choice;
    LblNum->setText(number + QLatin1Char('.'));
    BtnFavourite->setChecked(q.favourite);
    LblQuestion->setText(q.text);
    if (choice) {
        QLabel* texts[] = {LblAnswerA, LblAnswerB, LblAnswerC, LblAnswerD};
        for (int i = 0; i < 4; ++i)
            texts[i]->setText(q.options.value(i));
    }
    picture_ = sharpPicture_ = {};
    ImgMarkPic->clear(); // drawn afresh at its size by fitPicture
    if (q.image.isEmpty()) {
        ImgMarkPic->setAccessibleName({});
    } else {
        QString file = folder_ + QStringLiteral("/images/mark/") + q.image;
        // Never the file's name: it often names the sign the question asks about.
        QString name = QStringLiteral("题目图片");
        picture_ = loadPicture(file);
        // A missing or unreadable picture shows the placeholder; the rest still shows.
        if (picture_.isNull()) {
            file = folder_ + QStringLiteral("/images/mark/noneerr.jpg");
            name = QStringLiteral("题目图片（图片无法显示）");
            picture_ = loadPicture(file);
        }
        if (!picture_.isNull()) sharpPicture_ = loadPicture(sharpFile(file));
        ImgMarkPic->setAccessibleName(name);
    }
    LblAn->setText(q.rightAnswer);
    rightAnswer_ = q.rightAnswer;
    explain_ = q.explain;
    if (look_ == Look::Practice && answerShown_) {
        LblAnLabel->show();
        LblAn->show();
    }
    for (QLabel* l : {LblA, LblB, LblC, LblD, LblAnswerA, LblAnswerB, LblAnswerC, LblAnswerD})
        l->setVisible(choice);
    PicABCD->setVisible(choice);
    PicYesNo->setVisible(!choice);
    if (stored.answer != 0)
        LblCorrectAn->setText(AnswerText(q.kind, QString::number(stored.answer)));
    if (stored.answered) showVerdict(LblCorrectAn->text(), stored.right);
    // Without a picture its place goes too, or its room stays empty.
    ImgMarkPic->setVisible(!picture_.isNull());
    fitPicture();
    emit questionShown();
}

void QuestionPanel::showVerdict(const QString& given, std::optional<bool> right) {
    LblCorrectAn->setText(given);
    if (right) verdictClock_->stop();
    if (!right) {
        ImgYesNo->clear();
        ImgYesNo->setAccessibleName({});
        return;
    }
    ImgYesNo->setPixmap(loadMark(
        folder_ + (*right ? QStringLiteral("/images/yes.gif") : QStringLiteral("/images/no.gif")),
        devicePixelRatioF()));
    ImgYesNo->setAccessibleName(*right ? QStringLiteral("回答正确") : QStringLiteral("回答错误"));
}

void QuestionPanel::showCounts(int right, int answered) {
    LblCorrect->setText(QString::number(right) + QLatin1Char('/') + QString::number(answered));
    LblRate->setText(RateCaption(right, answered));
}

void QuestionPanel::setLook(Look look) {
    look_ = look;
    for (QWidget* w : {static_cast<QWidget*>(LblRightRate), static_cast<QWidget*>(LblRate),
                       static_cast<QWidget*>(LblRightReplyCount), static_cast<QWidget*>(LblCorrect),
                       static_cast<QWidget*>(BtnSetWrongQuestion),
                       static_cast<QWidget*>(BtnShowAnswer), static_cast<QWidget*>(ChkAutoSkip),
                       static_cast<QWidget*>(ChkStudyMode), static_cast<QWidget*>(BtnFavourite)})
        w->setVisible(look != Look::Exam);
    if (look == Look::Exam) PicExplain->hide();
    LblAnLabel->setVisible(look == Look::Review);
    LblAn->setVisible(look == Look::Review);
    BtnJiaoJuan->setVisible(look == Look::Exam);
    // The review shows a finished paper: it takes no more answers (they would count as the
    // exam's and change nothing of its score).
    for (QWidget* answers : {PicABCD, PicYesNo})
        answers->setEnabled(look != Look::Review);
    fitPicture();
}

void QuestionPanel::toggleAnswer() {
    answerShown_ = !answerShown_;
    LblAnLabel->setVisible(answerShown_);
    LblAn->setVisible(answerShown_);
    BtnShowAnswer->setText(answerShown_ ? QStringLiteral("隐藏答案") : QStringLiteral("显示答案"));
}

void QuestionPanel::flashWrongPrompt() {
    LblWrongPrompt->setVisible(true);
    promptClock_->start();
}

void QuestionPanel::clearVerdictSoon() {
    verdictClock_->start();
}

bool QuestionPanel::autoSkip() const {
    return ChkAutoSkip->isChecked();
}

void QuestionPanel::setAutoSkip(bool on) {
    ChkAutoSkip->setChecked(on);
}

bool QuestionPanel::studyMode() const {
    return ChkStudyMode->isChecked();
}

void QuestionPanel::setStudyMode(bool on) {
    ChkStudyMode->setChecked(on);
}

void QuestionPanel::showExplanation(bool visible, const QString& historyLine) {
    visible = visible && !rightAnswer_.isEmpty();
    if (visible) {
        QStringList lines = {QStringLiteral("答案：") + rightAnswer_};
        if (!explain_.isEmpty()) lines.append(QStringLiteral("解析：") + explain_);
        if (!historyLine.isEmpty()) lines.append(historyLine);
        LblExplain->setText(lines.join(QLatin1Char('\n')));
    }
    PicExplain->setVisible(visible);
    fitPicture();
}

void QuestionPanel::forgetQuestion() {
    rightAnswer_.clear();
    explain_.clear();
    PicExplain->hide();
}

QAbstractButton* QuestionPanel::buttonFor(int key) const {
    switch (key) {
    case Qt::Key_A:
        return BtnA;
    case Qt::Key_B:
        return BtnB;
    case Qt::Key_C:
        return BtnC;
    case Qt::Key_D:
        return BtnD;
    case Qt::Key_1:
    case Qt::Key_Y:
        return BtnRight;
    case Qt::Key_2:
    case Qt::Key_N:
        return BtnWrong;
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        return BtnPreQuestion;
    case Qt::Key_Right:
    case Qt::Key_PageDown:
        return BtnNextQuestion;
    case Qt::Key_S:
        return ChkStudyMode;
    case Qt::Key_F:
        return BtnFavourite;
    default:
        return nullptr;
    }
}

void QuestionPanel::setTextScale(double scale) {
    scale_ = scale;
    restyle();
}

void QuestionPanel::setNight(bool night) {
    night_ = night;
    restyle();
}

void QuestionPanel::addToolRow(QWidget* row) {
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, row);
}

// The text sizes follow the learner's step; the colours the skin's day or night.
void QuestionPanel::restyle() {
    const Colours& c = ColoursFor(night_);
    auto px = [this](int base) { return QString::number(qRound(base * scale_)); };
    LblNum->setStyleSheet(QStringLiteral("font-size:%1px; font-weight:bold;").arg(px(17)));
    LblQuestion->setStyleSheet(QStringLiteral("font-size:%1px;").arg(px(17)));
    for (QLabel* l : {LblA, LblB, LblC, LblD, LblAnswerA, LblAnswerB, LblAnswerC, LblAnswerD})
        l->setStyleSheet(QStringLiteral("font-size:%1px;").arg(px(16)));
    PicExplain->setStyleSheet(
        QStringLiteral("#PicExplain{background:%1; border:1px solid %2; border-radius:4px;}")
            .arg(cssColour(c.explainBack), cssColour(c.explainBorder)));
    LblExplain->setStyleSheet(QStringLiteral("font-size:%1px; color:%2; background:transparent;")
                                  .arg(px(14), cssColour(c.explainText)));
    LblAn->setStyleSheet(
        QStringLiteral("font-weight:bold; color:%1;").arg(cssColour(c.answerText)));
    LblWrongPrompt->setStyleSheet(QStringLiteral("color:%1;").arg(cssColour(c.promptText)));
    fitPicture();
}

bool QuestionPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_ && event->type() == QEvent::Resize) fitPicture();
    return QWidget::eventFilter(watched, event);
}

// The picture grows with the text, up to what leaves the question, its options and 解析 in
// view together: beside the options while they keep their width, else below them. Never
// smaller than drawn unless the panel is narrower than that.
void QuestionPanel::fitPicture() {
    if (picture_.isNull()) return;
    const QSizeF drawn = picture_.size();
    const int gap = content_->spacing();
    // The scroll bar's room is always left, so its coming and going never resizes the picture.
    const int width =
        scroll_->width() - scroll_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 2;
    auto heightAt = [](QLayoutItem* item, int w) {
        return item->hasHeightForWidth() ? item->heightForWidth(w) : item->sizeHint().height();
    };
    double room = scroll_->height() - heightAt(head_, width) - 2 * gap;
    // The explanation's room is kept whether it shows yet or not: the picture keeps its size
    // when 解析 appears. In practice a history line may come with it.
    if (look_ != Look::Exam && !rightAnswer_.isEmpty()) {
        LblExplain->ensurePolished();
        const QFontMetrics fm(LblExplain->font());
        const QString text =
            QStringLiteral("答案：") + rightAnswer_ +
            (explain_.isEmpty() ? QString() : QStringLiteral("\n解析：") + explain_);
        const QMargins m = PicExplain->layout()->contentsMargins();
        room -= fm.boundingRect(QRect(0, 0, width - m.left() - m.right() - 2, 100000),
                                Qt::TextWordWrap, text)
                    .height() +
                m.top() + m.bottom() + 2 + gap;
        if (look_ == Look::Practice) room -= fm.lineSpacing();
    }
    const bool choice = !PicABCD->isHidden();
    const double besideWidth = width - gap - OptionsMinWidth * scale_;
    const bool beside = choice && besideWidth >= drawn.width();
    if (choice && !beside) room -= heightAt(options_, width) + gap;
    // Half its size at the least, for a panel not laid out yet.
    const double widest = std::max((beside ? besideWidth : width) / drawn.width(), 0.5);
    const double zoom =
        std::min(std::max(std::min(PictureZoom * scale_, room / drawn.height()), 1.0), widest);

    const bool isBeside = optionsRow_->indexOf(ImgMarkPic) >= 0;
    if (beside && !isBeside) {
        content_->removeWidget(ImgMarkPic);
        optionsRow_->addWidget(ImgMarkPic, 0, Qt::AlignTop);
    } else if (!beside && isBeside) {
        optionsRow_->removeWidget(ImgMarkPic);
        content_->insertWidget(content_->indexOf(PicExplain), ImgMarkPic, 0,
                               Qt::AlignLeft | Qt::AlignTop);
    }

    const QSize shown = (drawn * zoom).toSize();
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(shown) * ratio).toSize();
    if (ImgMarkPic->size() == shown && ImgMarkPic->pixmap().size() == pixels) return;
    // Drawn larger than the plain file holds, the sharp one gives the pixels.
    const QPixmap& source =
        !sharpPicture_.isNull() && pixels.width() > picture_.width() ? sharpPicture_ : picture_;
    QPixmap scaled = source.size() == pixels
                         ? source
                         : source.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    ImgMarkPic->setPixmap(scaled);
    ImgMarkPic->setFixedSize(shown);
}

QString QuestionPanel::readingText() const {
    QStringList parts = {LblNum->text() + QLatin1Char(' ') + LblQuestion->text()};
    if (PicABCD->isVisibleTo(this))
        for (QLabel* option : {LblAnswerA, LblAnswerB, LblAnswerC, LblAnswerD})
            if (!option->text().isEmpty())
                parts.append(QString(option->objectName().back()) + QStringLiteral("、") +
                             option->text());
    return parts.join(QStringLiteral("。\n"));
}
