#include "frmExamHall.h"

#include "../appearance/Appearance.h"
#include "../appearance/Colours.h"
#include "../domain/Clock.h"
#include "../domain/Domain.h"
#include "../platform/Platform.h"
#include "../practice/BankKeeper.h"
#include "../practice/Comfort.h"
#include "../store/Module1.h"
#include "../ui/AppContext.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"
#include "frmScore.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QRadioButton>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVBoxLayout>

// The question's picture, as large as its place allows, never stretched out of shape.
class PictureView : public QWidget {
  public:
    using QWidget::QWidget;
    void setPicture(const QPixmap& picture) {
        picture_ = picture;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (picture_.isNull()) return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSize size = picture_.size().scaled(this->size(), Qt::KeepAspectRatio);
        const QRect at(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
        p.drawPixmap(at, picture_);
    }

  private:
    QPixmap picture_;
};

// A choice whose long text breaks into lines at the width it is given: a radio button never
// wraps, and 特大 text of the longest options would run past the frame.
class WrappingChoice : public QRadioButton {
  public:
    using QRadioButton::QRadioButton;
    void setFullText(const QString& text) {
        full_ = text;
        rewrap();
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QRadioButton::resizeEvent(event);
        if (event->size().width() != event->oldSize().width()) rewrap();
    }
    void changeEvent(QEvent* event) override {
        QRadioButton::changeEvent(event);
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) rewrap();
    }

  private:
    void rewrap() {
        QStyleOptionButton o;
        initStyleOption(&o);
        o.text = full_;
        const int room = style()->subElementRect(QStyle::SE_RadioButtonContents, &o, this).width();
        const QFontMetrics metrics = fontMetrics();
        QString shown;
        QString line;
        for (const QChar c : full_) {
            if (!line.isEmpty() && metrics.horizontalAdvance(line + c) > room) {
                shown += line + QLatin1Char('\n');
                line.clear();
            }
            line += c;
        }
        shown += line;
        if (shown != text()) setText(shown);
    }

    QString full_;
};

namespace {

std::mt19937& randomness() {
    static std::mt19937 random(std::random_device{}() ^
                               static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()));
    return random;
}

QString minutesAndSeconds(int seconds) {
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// The sharper drawing when there is one: the hall shows pictures larger than practice does.
QPixmap loadPicture(const QString& file) {
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    for (const QString& f : {file.left(dot) + QStringLiteral("@2x") + file.mid(dot), file}) {
        const QFileInfo info(f);
        QPixmap picture;
        if (info.isFile() && info.size() < (16 << 20) && picture.load(f)) return picture;
    }
    return {};
}

void setCell(QPushButton* cell, const char* state) {
    if (cell->property("cell").toString() == QLatin1String(state)) return;
    cell->setProperty("cell", QLatin1String(state));
    cell->style()->unpolish(cell);
    cell->style()->polish(cell);
}

} // namespace

frmExamHall::frmExamHall(AppContext& session, QWidget* parent, const ExamStart& start,
                         const HallChoices& choices, BankKeeper& keeper)
    : QDialog(parent), s(session), keeper_(keeper), choices_(choices) {
    setObjectName(QStringLiteral("frmExamHall"));
    setWindowTitle(QStringLiteral("科目一 模拟考试 · 考场模式"));
    setAccessibleName(windowTitle());
    pass_ = GetPassScore(s.Conn);
    seat_ = DrawSeat(randomness());
    clock_ = s.makeClock(QStringLiteral("hallClock"), 1000, this);
    nextSoon_ = s.makeClock(QStringLiteral("hallNext"), 450, this);
    connect(clock_, &Clock::ticked, this, [this] { guarded(s, this, [this] { tick(); }); });
    connect(nextSoon_, &Clock::ticked, this, [this] {
        nextSoon_->stop();
        if (s.practice.examRunning() && view_ + 1 < int(order_.size()))
            guarded(s, this, [this] { showView(view_ + 1); });
    });

    pages_ = named(new QStackedWidget, QStringLiteral("HallPages"));
    pages_->addWidget(buildConfirmPage());
    pages_->addWidget(buildQuestionPage());
    pages_->addWidget(buildResultPage());
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->addWidget(pages_);
    applyLook();
    resize(1280, 720);
    setWindowState(windowState() | Qt::WindowMaximized);

    minutes_ = start.minutes;
    startSitting(start.paper);
    pages_->setCurrentWidget(PageConfirm);
    BtnConfirm->setFocus();
}

frmExamHall::~frmExamHall() = default;

QWidget* frmExamHall::buildConfirmPage() {
    PageConfirm = named(new QWidget, QStringLiteral("PageConfirm"));
    auto* box = new QVBoxLayout(PageConfirm);
    box->addStretch();
    auto* title = label(QStringLiteral("LblConfirmTitle"), QStringLiteral("请核对考生信息"));
    title->setAlignment(Qt::AlignCenter);
    box->addWidget(title);
    auto* card = named(new QFrame, QStringLiteral("ConfirmCard"));
    auto* row = new QHBoxLayout(card);
    auto* photo = label(QStringLiteral("LblPhoto"), QStringLiteral("照片"));
    photo->setAccessibleName(QStringLiteral("考生照片（无）"));
    photo->setAlignment(Qt::AlignCenter);
    photo->setFixedSize(120, 150);
    row->addWidget(photo);
    LblConfirmDetails = label(QStringLiteral("LblConfirmDetails"), {});
    row->addWidget(LblConfirmDetails, 1);
    box->addWidget(card, 0, Qt::AlignHCenter);
    auto* hint = label(QStringLiteral("LblConfirmHint"),
                       QStringLiteral("核对无误后按“确认”开始考试，考试开始计时。"));
    hint->setAlignment(Qt::AlignCenter);
    box->addWidget(hint);
    BtnConfirm = button(QStringLiteral("BtnConfirm"), QStringLiteral("确认"));
    BtnConfirm->setAccessibleName(QStringLiteral("确认，开始考试"));
    BtnConfirm->setDefault(true);
    box->addWidget(BtnConfirm, 0, Qt::AlignHCenter);
    box->addStretch();
    connect(BtnConfirm, &QPushButton::clicked, this,
            [this] { guarded(s, this, [this] { BtnConfirm_Click(); }); });
    return PageConfirm;
}

QWidget* frmExamHall::buildQuestionPage() {
    PageQuestion = named(new QWidget, QStringLiteral("PageQuestion"));
    auto* page = new QVBoxLayout(PageQuestion);
    page->setContentsMargins(0, 0, 0, 10);

    auto* header = named(new QFrame, QStringLiteral("HallHeader"));
    auto* top = new QHBoxLayout(header);
    top->setContentsMargins(16, 6, 16, 6);
    auto* photo = label(QStringLiteral("LblHeaderPhoto"), QStringLiteral("照片"));
    photo->setAccessibleName(QStringLiteral("考生照片（无）"));
    photo->setAlignment(Qt::AlignCenter);
    photo->setFixedSize(44, 54);
    top->addWidget(photo);
    LblCandidate = label(QStringLiteral("LblCandidate"), {});
    LblCandidate->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    top->addWidget(LblCandidate, 1);
    LblSeat = label(QStringLiteral("LblSeat"), {});
    LblRemaining = label(QStringLiteral("LblRemaining"), {});
    LblAnswered = label(QStringLiteral("LblAnswered"), {});
    for (QLabel* l : {LblSeat, LblRemaining, LblAnswered}) {
        top->addSpacing(24);
        top->addWidget(l);
    }
    page->addWidget(header);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(16, 6, 16, 0);
    auto* question = named(new QFrame, QStringLiteral("QuestionFrame"));
    auto* q = new QVBoxLayout(question);
    q->setContentsMargins(18, 12, 18, 12);
    LblNumber = label(QStringLiteral("LblNumber"), {});
    LblQuestion = label(QStringLiteral("LblQuestion"), {});
    LblQuestion->setWordWrap(true);
    LblQuestion->setTextInteractionFlags(Qt::NoTextInteraction);
    q->addWidget(LblNumber);
    q->addWidget(LblQuestion);
    q->addSpacing(6);
    const QStringList answers = {QStringLiteral("A"), QStringLiteral("B"),  QStringLiteral("C"),
                                 QStringLiteral("D"), QStringLiteral("对"), QStringLiteral("错")};
    const QStringList names = {QStringLiteral("OptA"),     QStringLiteral("OptB"),
                               QStringLiteral("OptC"),     QStringLiteral("OptD"),
                               QStringLiteral("OptRight"), QStringLiteral("OptWrong")};
    for (int i = 0; i < answers.size(); ++i) {
        auto* option = named(new WrappingChoice, names[i]);
        // Painted from the paper's answers, never toggled by the click itself.
        option->setAutoExclusive(false);
        option->setFocusPolicy(Qt::NoFocus);
        // A long option must not push the window past the screen.
        option->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        option->setMinimumWidth(1);
        connect(option, &QRadioButton::clicked, this,
                [this, given = answers[i]] { guarded(s, this, [this, given] { answer(given); }); });
        options_.append(option);
        q->addWidget(option);
    }
    q->addStretch();
    auto* given = new QHBoxLayout;
    LblGiven = label(QStringLiteral("LblGiven"), {});
    LblVerdict = label(QStringLiteral("LblVerdict"), {});
    given->addWidget(LblGiven);
    given->addSpacing(12);
    given->addWidget(LblVerdict);
    given->addStretch();
    q->addLayout(given);
    body->addWidget(question, 3);
    ImgPicture = named(new PictureView, QStringLiteral("ImgPicture"));
    ImgPicture->setMinimumWidth(200);
    body->addWidget(ImgPicture, 2);
    page->addLayout(body, 1);

    auto* foot = new QHBoxLayout;
    foot->setContentsMargins(16, 8, 16, 0);
    auto* grid = new QGridLayout;
    grid->setSpacing(3);
    for (int i = 0; i < PaperSize; ++i) {
        auto* cell = button(QStringLiteral("Num%1").arg(i + 1), QString::number(i + 1));
        cell->setFocusPolicy(Qt::NoFocus);
        cell->setAccessibleName(QStringLiteral("第%1题").arg(i + 1));
        connect(cell, &QPushButton::clicked, this,
                [this, i] { guarded(s, this, [this, i] { showView(i); }); });
        numbers_.append(cell);
        grid->addWidget(cell, i / 20, i % 20);
    }
    foot->addLayout(grid);
    foot->addStretch();
    auto* moves = new QGridLayout;
    BtnPrevious = button(QStringLiteral("BtnPrevious"), QStringLiteral("上一题"));
    BtnNext = button(QStringLiteral("BtnNext"), QStringLiteral("下一题"));
    BtnHandIn = button(QStringLiteral("BtnHandIn"), QStringLiteral("交卷"));
    moves->addWidget(BtnPrevious, 0, 0);
    moves->addWidget(BtnNext, 0, 1);
    moves->addWidget(BtnHandIn, 1, 0, 1, 2);
    for (QPushButton* b : {BtnPrevious, BtnNext, BtnHandIn}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setProperty("move", true);
    }
    foot->addLayout(moves);
    page->addLayout(foot);
    connect(BtnPrevious, &QPushButton::clicked, this,
            [this] { guarded(s, this, [this] { showView(view_ - 1); }); });
    connect(BtnNext, &QPushButton::clicked, this,
            [this] { guarded(s, this, [this] { showView(view_ + 1); }); });
    connect(BtnHandIn, &QPushButton::clicked, this,
            [this] { guarded(s, this, [this] { BtnHandIn_Click(); }); });
    return PageQuestion;
}

QWidget* frmExamHall::buildResultPage() {
    PageResult = named(new QWidget, QStringLiteral("PageResult"));
    auto* box = new QVBoxLayout(PageResult);
    box->addStretch();
    auto* card = named(new QFrame, QStringLiteral("ResultCard"));
    auto* texts = new QVBoxLayout(card);
    texts->setContentsMargins(48, 24, 48, 24);
    texts->setSpacing(10);
    LblResult = label(QStringLiteral("LblResult"), {});
    LblResultScore = label(QStringLiteral("LblResultScore"), {});
    LblResultCounts = label(QStringLiteral("LblResultCounts"), {});
    LblTimeUsed = label(QStringLiteral("LblTimeUsed"), {});
    for (QLabel* l : {LblResult, LblResultScore, LblResultCounts, LblTimeUsed}) {
        l->setAlignment(Qt::AlignCenter);
        texts->addWidget(l);
    }
    auto* buttons = new QHBoxLayout;
    BtnRetry = button(QStringLiteral("BtnRetry"), QStringLiteral("补考"));
    BtnRetry->setAccessibleName(QStringLiteral("补考，马上换一套试卷再考一次"));
    BtnEnd = button(QStringLiteral("BtnEnd"), QStringLiteral("结束"));
    buttons->addStretch();
    buttons->addWidget(BtnRetry);
    buttons->addWidget(BtnEnd);
    buttons->addStretch();
    texts->addSpacing(8);
    texts->addLayout(buttons);
    box->addWidget(card, 0, Qt::AlignHCenter);
    box->addStretch();
    connect(BtnRetry, &QPushButton::clicked, this,
            [this] { guarded(s, this, [this] { BtnRetry_Click(); }); });
    connect(BtnEnd, &QPushButton::clicked, this, &QDialog::accept);
    return PageResult;
}

// The hall has its own plain look whatever the skin, with the night colours under 夜间, and
// its texts follow 字号.
void frmExamHall::applyLook() {
    const bool night = StoredSkin(s) == NightSkin;
    const double k = Comfort::scaleOf(ReadSetting(s.Conn, Key::FontStep).toInt());
    const double small = qMin(k, 1.25); // the numbers and the header must keep their rows
    auto px = [](double size) { return QString::number(qRound(size)); };
    struct Look {
        const char *page, *text, *head, *headText, *panel, *border, *button, *plain, *answered,
            *answeredText, *current, *right, *wrong;
    };
    const Look day{"#E8EDF2", "#1A1A1A", "#1F4E79", "#FFFFFF", "#FFFFFF", "#B4C0CC", "#F6F8FA",
                   "#FFFFFF", "#9DC3E6", "#0B2740", "#FFC000", "#1B7F35", "#C62828"};
    const Look dark{"#15181C", "#E6E6E6", "#22313F", "#F0F0F0", "#1E2329", "#3C4650", "#2A3038",
                    "#1E2329", "#2F5573", "#FFFFFF", "#8A6A00", "#6CC070", "#F06A6A"};
    const Look& c = night ? dark : day;
    QString sheet = QStringLiteral(
        "QDialog, QStackedWidget, QWidget#PageConfirm, QWidget#PageQuestion, QWidget#PageResult"
        " { background:%1; color:%2; }"
        "QLabel, QRadioButton { color:%2; background:transparent; font-size:%16px; }"
        "QFrame#HallHeader { background:%3; }"
        "QFrame#HallHeader QLabel { color:%4; font-size:%15px; }"
        "QLabel#LblHeaderPhoto, QLabel#LblPhoto { border:1px solid %6; color:%6;"
        " font-size:%15px; }"
        "QFrame#HallHeader QLabel#LblHeaderPhoto { border-color:%4; color:%4; }"
        "QFrame#QuestionFrame, QFrame#ConfirmCard, QFrame#ResultCard { background:%5;"
        " border:1px solid %6; border-radius:6px; }"
        "QLabel#LblQuestion { font-size:%17px; }"
        "QLabel#LblNumber { font-size:%16px; font-weight:bold; }"
        "QLabel#LblConfirmTitle { font-size:%17px; font-weight:bold; }"
        "QLabel#LblResult { font-size:%18px; font-weight:bold; }"
        "QLabel#LblResultScore { font-size:%17px; }"
        "QLabel#LblVerdict { font-size:%17px; font-weight:bold; }"
        "QRadioButton { spacing:10px; padding:3px 0; }"
        "QRadioButton::indicator { width:%16px; height:%16px; }"
        "QPushButton { background:%7; color:%2; border:1px solid %6; border-radius:4px;"
        " padding:6px 22px; font-size:%16px; }"
        "QPushButton:hover { border-color:%2; }"
        "QPushButton:default { border:2px solid %3; }"
        "QPushButton:disabled { color:%6; }"
        "QPushButton[move] { font-size:%15px; padding:6px 14px; }"
        "QPushButton[cell] { padding:0; font-size:%14px; min-width:%19px; min-height:%20px;"
        " border-radius:2px; }"
        "QPushButton[cell=\"plain\"] { background:%8; }"
        "QPushButton[cell=\"answered\"] { background:%9; color:%10; }"
        "QPushButton[cell=\"current\"] { background:%11; color:%2; border:2px solid %2;"
        " font-weight:bold; }");
    const QString text = px(15 * k);
    auto l1 = [](const char* colour) { return QString::fromLatin1(colour); };
    // %12 and %13 are not used: the verdict takes its colour where it is painted.
    sheet = sheet
                .arg(l1(c.page), l1(c.text), l1(c.head), l1(c.headText), l1(c.panel), l1(c.border),
                     l1(c.button), l1(c.plain), l1(c.answered))
                .arg(l1(c.answeredText), l1(c.current));
    // Twenty numbers and the buttons beside them share one row: they grow least, so the hall
    // still fits a 1280-pixel screen at 特大.
    const double cells = qMin(k, 1.1);
    sheet = sheet.arg(px(12 * cells), px(15 * small), text, px(19 * k), px(30 * k), px(40 * cells),
                      px(24 * cells));
    setStyleSheet(sheet);
    // Fixed, or the style's wider button minimum would push 20 numbers past the screen.
    for (QPushButton* cell : numbers_)
        cell->setFixedSize(qRound(40 * cells), qRound(26 * cells));
    rightColour_ = QString::fromLatin1(c.right);
    wrongColour_ = QString::fromLatin1(c.wrong);
    passColour_ = cssColour(ColoursFor(night).passText);
    failColour_ = cssColour(ColoursFor(night).failText);
}

void frmExamHall::startSitting(const QStringList& paper) {
    s.practice.set.load(paper, QuestionSet::Mode::Exam);
    // A paper not yet begun takes no answers, whatever the last one was doing.
    if (s.practice.examRunning()) s.practice.handIn();
    questions_ = ReadPaper(s.practice);
    QList<Kind> kinds;
    for (const QuestionData& q : questions_)
        kinds.append(q.kind);
    order_ = HallOrder(kinds, choices_.rules.order, randomness());
    view_ = 0;
    handedIn_ = false;
    toldTooManyWrong_ = false;
    const QString name = choices_.name.isEmpty() ? QStringLiteral("（未填写）") : choices_.name;
    const QString id =
        choices_.idNumber.isEmpty() ? QStringLiteral("（未填写）") : choices_.idNumber;
    const int index = ClassIndex(s.practice.CarTypeCode);
    const QString kind = index < 0 ? QString() : VehicleClasses()[index].chooserText;
    LblConfirmDetails->setText(QStringLiteral("姓　　名：%1\n身份证号：%2\n考　　台：第 %3 号\n"
                                              "考试科目：科目一\n准驾车型：%4\n试题数量：%5 题　"
                                              "考试时间：%6 分钟")
                                   .arg(name, id)
                                   .arg(seat_)
                                   .arg(kind)
                                   .arg(paper.size())
                                   .arg(minutes_));
    LblCandidate->setText(
        QStringLiteral("姓名：%1　身份证号：%2\n科目一　%3%4")
            .arg(name, id, kind, sitting_ > 1 ? QStringLiteral("　（补考）") : QString()));
    LblSeat->setText(QStringLiteral("考台 %1").arg(seat_));
    for (int i = 0; i < numbers_.size(); ++i)
        numbers_[i]->setVisible(i < int(order_.size()));
}

void frmExamHall::BtnConfirm_Click() {
    s.practice.startExam(minutes_ * 60);
    if (!s.practice.examRunning()) return;
    pages_->setCurrentWidget(PageQuestion);
    clock_->start();
    showView(0);
}

void frmExamHall::showView(int view) {
    if (order_.empty() || pages_->currentWidget() != PageQuestion) return;
    nextSoon_->stop();
    view_ = qBound(0, view, int(order_.size()) - 1);
    s.practice.set.goTo(order_[size_t(view_)]);
    s.practice.set.shownAt(QDateTime::currentMSecsSinceEpoch());
    paintQuestion();
    paintCounts();
}

void frmExamHall::paintQuestion() {
    const int position = s.practice.set.position();
    const QuestionData& q = questions_[size_t(position)];
    const AnswerState& state = s.practice.set.current();
    const bool choice = q.kind != Kind::TrueFalse;
    LblNumber->setText(QStringLiteral("第 %1 题　%2")
                           .arg(view_ + 1)
                           .arg(choice ? QStringLiteral("单项选择题") : QStringLiteral("判断题")));
    LblQuestion->setText(q.text);
    LblQuestion->setAccessibleName(LblNumber->text() + QLatin1Char(' ') + q.text);
    const QString given =
        state.answered ? AnswerText(q.kind, QString::number(state.answer)) : QString();
    const bool open = s.practice.examRunning() && (!state.answered || choices_.rules.changeable);
    for (int i = 0; i < options_.size(); ++i) {
        QRadioButton* option = options_[i];
        const bool shown = choice ? i < 4 : i >= 4;
        option->setVisible(shown);
        if (!shown) continue;
        const QString letter = choice   ? QString(QChar(u'A' + i))
                               : i == 4 ? QStringLiteral("对")
                                        : QStringLiteral("错");
        const QString full = choice ? letter + QStringLiteral("、") + q.options.value(i) : letter;
        static_cast<WrappingChoice*>(option)->setFullText(full);
        option->setAccessibleName(QStringLiteral("选项 ") + full);
        option->setChecked(letter == given);
        option->setEnabled(open || letter == given);
    }
    if (state.answered) {
        LblGiven->setText(QStringLiteral("您的答案：") + given);
        LblVerdict->setText(state.right ? QStringLiteral("✓") : QStringLiteral("✗"));
        LblVerdict->setAccessibleName(state.right ? QStringLiteral("回答正确")
                                                  : QStringLiteral("回答错误"));
        LblVerdict->setStyleSheet(
            QStringLiteral("color:%1;").arg(state.right ? rightColour_ : wrongColour_));
    } else {
        LblGiven->setText(QStringLiteral("您的答案：（未答）"));
        LblVerdict->clear();
        LblVerdict->setAccessibleName({});
    }
    LblGiven->setAccessibleName(LblGiven->text());
    const QPixmap picture = q.image.isEmpty()
                                ? QPixmap()
                                : loadPicture(s.path(QStringLiteral("/images/mark/") + q.image));
    ImgPicture->setPicture(picture);
    ImgPicture->setVisible(!picture.isNull());
    ImgPicture->setAccessibleName(q.image.isEmpty() ? QString() : QStringLiteral("题目图片"));
    BtnPrevious->setEnabled(view_ > 0);
    BtnNext->setEnabled(view_ + 1 < int(order_.size()));
}

void frmExamHall::paintCounts() {
    const QuestionSet& set = s.practice.set;
    LblAnswered->setText(QStringLiteral("已答 %1 / %2").arg(set.answeredCount()).arg(set.size()));
    LblAnswered->setAccessibleName(LblAnswered->text());
    LblRemaining->setText(QStringLiteral("剩余时间 ") + minutesAndSeconds(s.practice.ExamSeconds));
    LblRemaining->setAccessibleName(LblRemaining->text());
    for (int v = 0; v < int(order_.size()); ++v) {
        const int position = order_[size_t(v)];
        const char* state = v == view_                     ? "current"
                            : set.state(position).answered ? "answered"
                                                           : "plain";
        setCell(numbers_[v], state);
        numbers_[v]->setAccessibleName(QStringLiteral("第%1题，%2")
                                           .arg(v + 1)
                                           .arg(set.state(position).answered
                                                    ? QStringLiteral("已答")
                                                    : QStringLiteral("未答")));
    }
}

void frmExamHall::answer(const QString& given) {
    if (!s.practice.examRunning() || pages_->currentWidget() != PageQuestion) return;
    if (s.practice.set.current().answered && !choices_.rules.changeable) return paintQuestion();
    const Verdict verdict =
        AnswerQuestion(s.practice, given, false, QDateTime::currentMSecsSinceEpoch());
    paintQuestion();
    paintCounts();
    if (!verdict.taken) return;
    if (verdict.waiting) keeper_.answerWaits();
    checkTooManyWrong();
    if (s.practice.examRunning() && choices_.rules.movesOn && view_ + 1 < int(order_.size()))
        nextSoon_->start();
}

int frmExamHall::wrongCount() const {
    return s.practice.set.answeredCount() - s.practice.set.rightCount();
}

void frmExamHall::checkTooManyWrong() {
    const int wrong = wrongCount();
    if (toldTooManyWrong_ || !CannotPass(wrong, s.practice.set.size(), pass_)) return;
    toldTooManyWrong_ = true;
    switch (choices_.rules.tooManyWrong) {
    case HallRules::TooManyWrong::SayNothing:
        return;
    case HallRules::TooManyWrong::End:
        if (s.practice.handIn()) finish();
        s.platform.information(
            this, QStringLiteral("提示"),
            QStringLiteral("您已答错 %1 题，本次考试不合格，考试结束。").arg(wrong));
        return;
    case HallRules::TooManyWrong::TellAndOffer:
        if (ask(QStringLiteral("BoxTooManyWrong"),
                QStringLiteral("您已答错 %1 题，本次考试已不能合格。\n\n继续考试，还是结束考试？")
                    .arg(wrong),
                QStringLiteral("结束考试"), false) &&
            s.practice.handIn())
            finish();
        return;
    }
}

void frmExamHall::BtnHandIn_Click() {
    if (!s.practice.examRunning()) return;
    const QuestionSet& set = s.practice.set;
    const QString text = QStringLiteral("当前得分：%1 分\n未答题数：%2 题\n答错题数：%3 题\n\n"
                                        "交卷后不能再修改答案，确定交卷吗？")
                             .arg(set.rightCount())
                             .arg(set.unansweredCount())
                             .arg(wrongCount());
    if (ask(QStringLiteral("BoxHandIn"), text, QStringLiteral("确定交卷"), true) &&
        s.practice.handIn())
        finish();
}

bool frmExamHall::ask(const QString& name, const QString& text, const QString& leave,
                      bool leaveIsDefault) {
    QDialog box(this);
    box.setObjectName(name);
    box.setWindowTitle(QStringLiteral("提示"));
    auto* layout = new QVBoxLayout(&box);
    layout->setContentsMargins(28, 22, 28, 18);
    layout->setSpacing(16);
    auto* message = label(QStringLiteral("LblBoxText"), text);
    message->setAccessibleName(text);
    layout->addWidget(message);
    auto* row = new QHBoxLayout;
    auto* stay = button(QStringLiteral("BtnContinue"), QStringLiteral("继续考试"));
    auto* go = button(leave == QStringLiteral("确定交卷") ? QStringLiteral("BtnConfirmHandIn")
                                                          : QStringLiteral("BtnEndExam"),
                      leave);
    (leaveIsDefault ? go : stay)->setDefault(true);
    row->addStretch();
    row->addWidget(stay);
    row->addWidget(go);
    layout->addLayout(row);
    connect(stay, &QPushButton::clicked, &box, &QDialog::reject);
    connect(go, &QPushButton::clicked, &box, &QDialog::accept);
    box_ = &box;
    s.platform.showModal(&box);
    box_ = nullptr;
    // The clock may have ended the sitting while the box was open.
    return box.result() == QDialog::Accepted && s.practice.examRunning();
}

void frmExamHall::tick() {
    if (!s.practice.examRunning()) return clock_->stop();
    if (s.practice.tick()) finish();
    LblRemaining->setText(QStringLiteral("剩余时间 ") + minutesAndSeconds(s.practice.ExamSeconds));
    LblRemaining->setAccessibleName(LblRemaining->text());
}

void frmExamHall::finish() {
    clock_->stop();
    nextSoon_->stop();
    handedIn_ = true;
    if (box_) box_->reject();
    const QuestionSet& set = s.practice.set;
    const int score = set.rightCount();
    keeper_.saveExamRecord(score, true);
    const bool passed = score >= pass_;
    LblResult->setText(passed ? QStringLiteral("合格") : QStringLiteral("不合格"));
    LblResult->setStyleSheet(QStringLiteral("color:%1;").arg(passed ? passColour_ : failColour_));
    LblResultScore->setText(QStringLiteral("考试成绩：%1 分").arg(score));
    LblResultCounts->setText(
        QStringLiteral("答错 %1 题　　未答 %2 题").arg(wrongCount()).arg(set.unansweredCount()));
    const int used = qMax(0, s.practice.ExamLength - s.practice.ExamSeconds);
    LblTimeUsed->setText(QStringLiteral("用时 %1 分 %2 秒").arg(used / 60).arg(used % 60));
    for (QLabel* l : {LblResult, LblResultScore, LblResultCounts, LblTimeUsed})
        l->setAccessibleName(l->text());
    // One booking holds two sittings: only a failed first one offers the second.
    BtnRetry->setVisible(!passed && sitting_ == 1);
    // Enter right after 确定交卷 must not start a second paper by accident.
    BtnEnd->setDefault(true);
    pages_->setCurrentWidget(PageResult);
}

void frmExamHall::BtnRetry_Click() {
    if (sitting_ != 1 || !handedIn_) return;
    const auto next = DrawExam(s, this);
    if (!next || next->paper.isEmpty()) return;
    sitting_ = 2;
    minutes_ = next->minutes;
    startSitting(next->paper);
    BtnConfirm_Click();
}

void frmExamHall::keyPressEvent(QKeyEvent* event) {
    if (pages_->currentWidget() != PageQuestion) return QDialog::keyPressEvent(event);
    const bool choice = questions_[size_t(s.practice.set.position())].kind != Kind::TrueFalse;
    const int key = event->key();
    QString given;
    if (choice && key >= Qt::Key_A && key <= Qt::Key_D)
        given = QString(QChar(u'A' + (key - Qt::Key_A)));
    else if (!choice && (key == Qt::Key_1 || key == Qt::Key_Y))
        given = QStringLiteral("对");
    else if (!choice && (key == Qt::Key_2 || key == Qt::Key_N))
        given = QStringLiteral("错");
    if (!given.isEmpty())
        guarded(s, this, [this, given] { answer(given); });
    else if (key == Qt::Key_Left || key == Qt::Key_Right)
        guarded(s, this, [this, key] { showView(view_ + (key == Qt::Key_Left ? -1 : 1)); });
    else
        return QDialog::keyPressEvent(event);
}

// The hall's keys are its own: the main window's answer keys never reach past it.
bool frmExamHall::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && pages_->currentWidget() == PageQuestion) {
        event->accept();
        return true;
    }
    return QDialog::event(event);
}

// Leaving a running sitting asks first; the paper then ends without a score.
void frmExamHall::reject() {
    if (s.practice.examRunning() && pages_->currentWidget() == PageQuestion &&
        !s.platform.askYesNo(this, QStringLiteral("提示"),
                             QStringLiteral("正在考试，确定放弃本次考试吗?")))
        return;
    if (s.practice.examRunning()) s.practice.handIn();
    clock_->stop();
    nextSoon_->stop();
    QDialog::reject();
}

void frmExamHall::run(AppContext& s, QWidget* owner, ExamStart start, const HallChoices& choices,
                      BankKeeper& keeper) {
    for (;;) {
        int score = 0;
        {
            frmExamHall hall(s, owner, start, choices, keeper);
            s.platform.showModal(&hall);
            if (!hall.handedIn()) return;
            score = s.practice.set.rightCount();
        }
        frmScore board(s, owner, score);
        if (!board.loaded()) return;
        s.platform.showModal(&board);
        switch (board.choice()) {
        case frmScore::Choice::Review:
            return;
        case frmScore::Choice::Retake:
            start = {s.practice.set.ids(), board.retakeMinutes()};
            break;
        case frmScore::Choice::NewPaper: {
            const auto next = DrawExam(s, owner);
            if (!next || next->paper.isEmpty()) return;
            start = *next;
            break;
        }
        }
    }
}
