#include "frmMain.h"

#include "../appearance/Appearance.h"
#include "../appearance/WelcomePage.h"
#include "../platform/Platform.h"
#include "../progress/frmProgress.h"
#include "../review/ReviewDrills.h"
#include "../schoolview/SchoolLink.h"
#include "../store/Module1.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"
#include "AnswerCardView.h"
#include "BankKeeper.h"
#include "Comfort.h"
#include "CommandColumn.h"
#include "Keyboard.h"
#include "QuestionPanel.h"
#include "WindowFit.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPixmap>

template <class Action> void frmMain::guard(Action&& action) {
    guarded(s, this, std::forward<Action>(action));
}

frmMain::frmMain(AppContext& session) : s(session) {
    buildUi();
    startedUp_ = guarded(s, nullptr, [this] {
        keeper_->open();
        // Another program holding the bank is told at once, not after a frozen window.
        s.Conn.setBusyWait(WindowBusyWaitMs);
        Form_Load();
    });
    if (startedUp_ && keeper_->afterStart()) drills_->refresh();
    if (startedUp_) (new SchoolLink(s, commands_, this))->start();
}

frmMain::~frmMain() = default;

void frmMain::buildUi() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("驾驶人科目一理论考试模拟训练 1.0"));
    // Read as PNG outright: guessing the format would load every image plugin before the paint.
    setWindowIcon(QPixmap(s.path(QStringLiteral("/images/kemu1-48.png")), "PNG"));
    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 10);
    root->setSpacing(10);
    root->addWidget(WindowFit::scrolling(commands_ = new CommandColumn));
    FrameQuestion =
        named(new QGroupBox(QStringLiteral("关于软件")), QStringLiteral("FrameQuestion"));
    auto* pages = new QVBoxLayout(FrameQuestion);
    pages->addWidget(welcome_ = new WelcomePage);
    root->addWidget(FrameQuestion, 2);
    page_ = new PracticePage(s, pages, root, this);
    connect(page_, &PracticePage::builtNow, this, &frmMain::wirePage);
    // The first paint shows no set: the class's loads as the page is built, unless one came first.
    connect(page_, &PracticePage::building, this, [this] {
        guard([this] {
            if (s.practice.set.isEmpty()) loadSet(WholeClass(s.practice.CarTypeCode));
            startingUp_ = false;
            QuestionsChanged(s.practice); // what later changes are measured against
        });
    });
    comfort_ = new Comfort(s, this, commands_);

    Timer3 = s.makeClock(QStringLiteral("Timer3"), 1000, this);
    Timer4 = s.makeClock(QStringLiteral("Timer4"), 1000, this);
    keeper_ = new BankKeeper(s, this);
    connect(keeper_, &BankKeeper::savedForLeaving, this, &QWidget::close);

    connect(commands_, &CommandColumn::entryClicked, this, [this](int which) { entry(which); });
    connect(commands_, &CommandColumn::chooserOpened, this, [this] {
        if (confirmLeavingExam()) commands_->openChooser();
    });
    connect(commands_, &CommandColumn::classPicked, this,
            [this](int index) { guard([this, index] { CombolCarType_Click(index); }); });
    connect(commands_, &CommandColumn::skinPicked, this,
            [this](int index) { guard([this, index] { ApplySkin(s, index); }); });
    connect(welcome_, &WelcomePage::linkClicked, this,
            [this](const QUrl& url) { OpenLink(s, this, url); });
    // The time spent on the question: hours run 00 to 24, then start again.
    connect(Timer3, &Clock::ticked, this, [this] {
        commands_->setClock(practiceSeconds_ = (practiceSeconds_ + 1) % (25 * 3600));
    });
    connect(Timer4, &Clock::ticked, this, [this] { guard([this] { CountDownExamTime(); }); });
    drills_ = new ReviewDrills(s, commands_, this);
    connect(drills_, &ReviewDrills::drillClicked, this, [this](int drill) {
        if (!confirmLeavingExam()) return;
        commands_->collapseChooser();
        guard([this, drill] {
            if (const auto choice = drills_->choose(drill)) practise(*choice);
        });
    });
}

// Built on first use, the page starts from the set the session holds.
void frmMain::wirePage() {
    QuestionPanel* p = page_->panel();
    ConnectAnswerKeys(this, p, card());
    connect(p, &QuestionPanel::answered, this,
            [this](const QString& answer) { guard([this, answer] { JudgeAnswer(answer); }); });
    connect(p, &QuestionPanel::next, this, [this] { guard([this] { move(true, true); }); });
    connect(p, &QuestionPanel::previous, this, [this] { guard([this] { move(false, true); }); });
    connect(p, &QuestionPanel::showAnswerClicked, this,
            [this] { guard([this] { BtnShowAnswer_Click(); }); });
    connect(p, &QuestionPanel::setWrongClicked, this,
            [this] { guard([this] { BtnSetWrongQuestion_Click(); }); });
    connect(p, &QuestionPanel::handIn, this, [this] { guard([this] { BtnJiaoJuan_Click(); }); });
    connect(p, &QuestionPanel::studyModeClicked, this, [this](bool on) {
        guard([this, on] { SetStudyMode(s.practice, on); });
        commands_->collapseChooser();
        updateExplanation();
    });
    connect(p, &QuestionPanel::autoSkipClicked, this, [this](bool on) {
        guard([this, on] { SetAutoAdvance(s.practice, on); });
        commands_->collapseChooser();
    });
    connect(card(), &QTableView::clicked, this, [this](const QModelIndex& index) {
        guard([this, index] {
            MSHFlexGrid1_Click(index.row() * AnswerCardModel::Columns + index.column());
        });
    });
    comfort_->attach(p, page_->cardPanel());
    drills_->attach(p);
    p->setAutoSkip(s.practice.policies.autoAdvance);
    p->setStudyMode(s.practice.policies.studyMode);
    page_->showNewSet(s.practice.set, s.practice.policies.idNumbers);
}

void frmMain::Form_Load() {
    comfort_->restore();
    const int skin = StoredSkin(s);
    // Choosing the stored skin loads it and stores its index again.
    if (skin >= 0 && skin < SkinCount) {
        commands_->setSkin(skin);
        ApplySkin(s, skin);
    }
    s.platform.skins().ApplyWindow(this);
    s.platform.skins().SetApplyOptions(s.platform.skins().ApplyOptions() | 1u);
    LoadPolicies(s.practice);
    s.practice.IsWrongQuestionPractice = false;
    setWelcomePage(true);
    s.practice.CarTypeCode = ReadSetting(s.Conn, Key::CarType);
    commands_->setClassIndex(ClassIndex(s.practice.CarTypeCode));
    keeper_->tellIfReadOnly();
    drills_->refresh();
}

void frmMain::CombolCarType_Click(int index) {
    if (index < 0 || index >= VehicleClasses().size()) return;
    commands_->collapseChooser();
    // A class without questions changes nothing: not the set, the chooser, the caption or the
    // class the next answer is recorded under.
    const QString code = VehicleClasses()[index].code;
    if (!loadSet(WholeClass(code)))
        return commands_->setClassIndex(ClassIndex(s.practice.CarTypeCode));
    s.practice.CarTypeCode = code;
    WriteSetting(s.Conn, Key::CarType, code);
    setCaption(QStringLiteral("顺序练习—共"), classSuffix());
    showSet();
    drills_->refresh();
}

void frmMain::entry(int which) {
    // Leaving a running exam for another mode needs the learner's yes.
    const bool leaves = which <= CommandColumn::MockExam;
    if (leaves && !confirmLeavingExam()) return;
    commands_->collapseChooser();
    guard([this, which] {
        switch (which) {
        case CommandColumn::Sequence:
            return BtnSequence_Click();
        case CommandColumn::Random:
            return BtnRandom_Click();
        case CommandColumn::Chapters:
            return BtnPart_Click();
        case CommandColumn::WrongQuestions:
            return BtnWrongQuestion_Click();
        case CommandColumn::MockExam:
            return BtnMoNiKaoShi_Click();
        case CommandColumn::Progress:
            // Looking at the page leaves an exam alone; a drill from it leaves the exam.
            if (bool exam = false; const auto choice = frmProgress::ask(s, this, &exam)) {
                if (confirmLeavingExam()) practise(*choice);
            } else if (exam && confirmLeavingExam()) {
                BtnMoNiKaoShi_Click();
            }
            return;
        case CommandColumn::StudyFolder:
            return OpenStudyFolder(s, this);
        case CommandColumn::About:
            return setWelcomePage(true);
        default:
            close();
        }
    });
    drills_->refresh();
}

void frmMain::setWelcomePage(bool welcome) {
    welcome_->setVisible(welcome);
    page_->setShown(!welcome);
}

void frmMain::endBySignal() {
    if (endingBySignal_) return;
    endingBySignal_ = true;
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // A signal asks nothing; a learner is asked before a running exam is given up.
    if (!endingBySignal_ && !confirmLeavingExam()) return event->ignore();
    if (!keeper_->mayEnd(endingBySignal_)) return event->ignore();
    // Ended by a signal, a dialog may still be open over the window and return into code that
    // reads the bank: the connection closes when the program ends.
    if (!endingBySignal_) s.Conn.close();
    event->accept();
    s.platform.endProgram();
}
