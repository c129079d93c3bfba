#include "Comfort.h"

#include "../appearance/Appearance.h"
#include "../appearance/WelcomePage.h"
#include "../domain/Domain.h"
#include "../store/Module1.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"
#include "AnswerCardView.h"
#include "CommandColumn.h"
#include "QuestionPanel.h"
#include "WindowFit.h"

#include <QCheckBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QScreen>
#include <QShortcut>

namespace {
const double Scales[] = {0.88, 1.0, 1.2, 1.45, 1.7};
const char* const StepNames[] = {"小", "标准", "大", "较大", "特大"};
} // namespace

double Comfort::scaleOf(int step) {
    return Scales[qBound(SmallestStep, step, LargestStep) - SmallestStep];
}

Comfort::Comfort(AppContext& session, QWidget* window, QuestionPanel* panel, QWidget* cardPanel,
                 CommandColumn* commands)
    : QObject(window), s(session), window_(window), panel_(panel), cardPanel_(cardPanel) {
    buildBar();
    window_->installEventFilter(this);
    bar_->installEventFilter(this);
    connect(commands, &CommandColumn::skinPicked, this,
            [this](int index) { setNight(index == NightSkin); });
    // An engine that fails after it started turns the controls off at once, not at the
    // learner's next click.
    s.platform.speech().whenLost([guard = QPointer<Comfort>(this)] {
        if (guard) guard->checkSpeech();
    });
    connect(panel_, &QuestionPanel::questionShown, this, [this] {
        if (ChkAutoRead->isChecked() && ChkAutoRead->isEnabled()) readAloud();
    });
    auto key = [this](const QKeySequence& keys, auto action) {
        connect(new QShortcut(keys, window_), &QShortcut::activated, this, action);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { setTextStep(step_ + 1); });
    key(QKeySequence::ZoomIn, [this] { setTextStep(step_ + 1); });
    key(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { setTextStep(step_ - 1); });
    key(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { setTextStep(0); });
    key(QKeySequence(Qt::Key_R), [this] {
        if (panel_->isVisible() && BtnReadAloud->isEnabled()) BtnReadAloud->click();
    });
}

void Comfort::buildBar() {
    bar_ = named(new QWidget, QStringLiteral("PicComfort"));
    auto* row = new QHBoxLayout(bar_);
    row->setContentsMargins(0, 0, 0, 0);
    BtnReadAloud = button(QStringLiteral("BtnReadAloud"), QStringLiteral("朗读"));
    BtnReadAloud->setToolTip(QStringLiteral("朗读题目和选项（R 键）"));
    ChkAutoRead = named(new QCheckBox(QStringLiteral("自动朗读")), QStringLiteral("ChkAutoRead"));
    ChkAutoRead->setToolTip(QStringLiteral("每道新题出现时自动朗读"));
    BtnFontSmaller = button(QStringLiteral("BtnFontSmaller"), QStringLiteral("A−"));
    BtnFontSmaller->setToolTip(QStringLiteral("字号减小（Ctrl+−）"));
    BtnFontLarger = button(QStringLiteral("BtnFontLarger"), QStringLiteral("A+"));
    BtnFontLarger->setToolTip(QStringLiteral("字号增大（Ctrl+=），Ctrl+0 恢复标准"));
    LblFontStep = label(QStringLiteral("LblFontStep"), {});
    LblFontStep->setMinimumWidth(
        LblFontStep->fontMetrics().horizontalAdvance(QStringLiteral("较大")) + 8);
    LblFontStep->setAlignment(Qt::AlignCenter);
    row->addWidget(BtnReadAloud);
    row->addWidget(ChkAutoRead);
    row->addStretch();
    row->addWidget(label(QStringLiteral("LblFontSize"), QStringLiteral("字号")));
    row->addWidget(BtnFontSmaller);
    row->addWidget(LblFontStep);
    row->addWidget(BtnFontLarger);
    panel_->addToolRow(bar_);

    connect(BtnReadAloud, &QPushButton::clicked, this, &Comfort::readAloud);
    connect(ChkAutoRead, &QCheckBox::clicked, this, [this](bool on) {
        write(Key::AutoRead, on ? QStringLiteral("1") : QStringLiteral("0"));
        if (on) readAloud();
    });
    connect(BtnFontSmaller, &QPushButton::clicked, this, [this] { setTextStep(step_ - 1); });
    connect(BtnFontLarger, &QPushButton::clicked, this, [this] { setTextStep(step_ + 1); });
}

void Comfort::restore() {
    window_->setMinimumSize(WindowFit::Minimum);
    const QString remembered = ReadSetting(s.Conn, Key::WindowGeometry);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (const auto last = WindowFit::parse(remembered))
        if (QScreen* there = QGuiApplication::screenAt(last->center())) screen = there;
    if (screen) window_->setGeometry(WindowFit::placement(remembered, screen->availableGeometry()));
    if (WindowFit::maximised(remembered))
        window_->setWindowState(window_->windowState() | Qt::WindowMaximized);
    step_ = 0;
    setTextStep(ReadSetting(s.Conn, Key::FontStep).toInt());
    ChkAutoRead->setChecked(ReadSetting(s.Conn, Key::AutoRead) == QLatin1String("1"));
    setNight(StoredSkin(s) == NightSkin);
}

void Comfort::setTextStep(int step) {
    step = qBound(SmallestStep, step, LargestStep);
    const bool changed = step != step_;
    step_ = step;
    panel_->setTextScale(scaleOf(step));
    LblFontStep->setText(QString::fromUtf8(StepNames[step - SmallestStep]));
    BtnFontSmaller->setEnabled(step > SmallestStep);
    BtnFontLarger->setEnabled(step < LargestStep);
    if (changed) write(Key::FontStep, QString::number(step));
}

void Comfort::setNight(bool night) {
    panel_->setNight(night);
    setCardNight(cardPanel_, night);
    if (auto* welcome = window_->findChild<WelcomePage*>()) welcome->setNight(night);
}

void Comfort::readAloud() {
    if (checkSpeech()) s.platform.speech().say(panel_->readingText());
}

// The engine is looked for when the question page first shows, not at start-up, and again
// before each reading: an engine can fail while it starts.
bool Comfort::checkSpeech() {
    QString whyNot;
    if (s.platform.speech().available(&whyNot)) return true;
    for (QWidget* w : {static_cast<QWidget*>(BtnReadAloud), static_cast<QWidget*>(ChkAutoRead)}) {
        w->setEnabled(false);
        w->setToolTip(whyNot);
    }
    return false;
}

bool Comfort::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bar_ && event->type() == QEvent::Show && BtnReadAloud->isEnabled())
        checkSpeech();
    if (watched == window_ && event->type() == QEvent::Close) {
        s.platform.speech().stop();
        const bool maximised = window_->isMaximized() || window_->isFullScreen();
        const QRect g = maximised ? window_->normalGeometry() : window_->geometry();
        // Leaving must not fail over a window's place: a bank that cannot take it now
        // simply opens the window in the middle next time.
        try {
            WriteSetting(s.Conn, Key::WindowGeometry, WindowFit::remember(g, maximised));
        } catch (const DatabaseError&) {
        }
    }
    return QObject::eventFilter(watched, event);
}

void Comfort::write(const QString& key, const QString& value) {
    guarded(s, window_, [&] { WriteSetting(s.Conn, key, value); });
}
