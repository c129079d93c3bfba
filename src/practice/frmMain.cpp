#include "frmMain.h"

#include "../appearance/Appearance.h"
#include "../appearance/WelcomePage.h"
#include "../platform/Platform.h"
#include "../progress/frmProgress.h"
#include "../review/ReviewDrills.h"
#include "../services/Records.h"
#include "../store/BankLocation.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../store/Statements.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"
#include "AnswerCardView.h"
#include "Comfort.h"
#include "CommandColumn.h"
#include "Keyboard.h"
#include "QuestionPanel.h"
#include "WindowFit.h"

#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <cstdio>

template <class Action> void frmMain::guard(Action&& action) {
    guarded(s, this, std::forward<Action>(action));
}

frmMain::frmMain(AppContext& session) : s(session) {
    buildUi();
    ConnectAnswerKeys(this, panel_, MSHFlexGrid1);
    startedUp_ = guarded(s, nullptr, [this] {
        openBank();
        // Another program holding the bank is told at once, not after a frozen window.
        s.Conn.setBusyWait(WindowBusyWaitMs);
        Form_Load();
    });
    if (startedUp_) {
        foldInSetAside();
        tellBankSwitch();
    }
}

frmMain::~frmMain() = default;

void frmMain::buildUi() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("驾驶人科目一理论考试模拟训练 1.0"));
    setWindowIcon(QIcon(s.path(QStringLiteral("/images/kemu1-48.png"))));
    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 10);
    root->setSpacing(10);
    root->addWidget(WindowFit::scrolling(commands_ = new CommandColumn));
    FrameQuestion =
        named(new QGroupBox(QStringLiteral("关于软件")), QStringLiteral("FrameQuestion"));
    auto* pages = new QVBoxLayout(FrameQuestion);
    pages->addWidget(welcome_ = new WelcomePage);
    pages->addWidget(panel_ = new QuestionPanel(s.programFolder));
    root->addWidget(FrameQuestion, 2);
    Line1 = named(new QFrame, QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::VLine);
    Line1->setFrameShadow(QFrame::Sunken);
    root->addWidget(Line1);

    // The card with its legend; the welcome page takes its room while it is hidden.
    CardPanel = buildCardPanel(&MSHFlexGrid1);
    root->addWidget(CardPanel, 1);
    comfort_ = new Comfort(s, this, panel_, CardPanel, commands_);

    Timer1 = s.makeClock(QStringLiteral("Timer1"), 200, this);
    Timer2 = s.makeClock(QStringLiteral("Timer2"), 260, this);
    Timer3 = s.makeClock(QStringLiteral("Timer3"), 1000, this);
    Timer4 = s.makeClock(QStringLiteral("Timer4"), 1000, this);
    recordRetry_ = s.makeClock(QStringLiteral("recordRetry"), 5000, this);

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
    connect(panel_, &QuestionPanel::answered, this,
            [this](const QString& answer) { guard([this, answer] { JudgeAnswer(answer); }); });
    connect(panel_, &QuestionPanel::next, this, [this] { guard([this] { move(true, true); }); });
    connect(panel_, &QuestionPanel::previous, this,
            [this] { guard([this] { move(false, true); }); });
    connect(panel_, &QuestionPanel::showAnswerClicked, this,
            [this] { guard([this] { BtnShowAnswer_Click(); }); });
    connect(panel_, &QuestionPanel::setWrongClicked, this,
            [this] { guard([this] { BtnSetWrongQuestion_Click(); }); });
    connect(panel_, &QuestionPanel::handIn, this,
            [this] { guard([this] { BtnJiaoJuan_Click(); }); });
    connect(panel_, &QuestionPanel::studyModeClicked, this, [this](bool on) {
        guard([this, on] {
            WriteSetting(s.Conn, Key::StudyMode, on ? QStringLiteral("1") : QStringLiteral("0"));
        });
        commands_->collapseChooser();
        updateExplanation();
    });
    connect(panel_, &QuestionPanel::autoSkipClicked, this, [this](bool on) {
        guard([this, on] { WriteSwitch(s.Conn, Key::AutoSkip, on ? 1 : 0); });
        commands_->collapseChooser();
    });
    connect(MSHFlexGrid1, &QTableView::clicked, this, [this](const QModelIndex& index) {
        guard([this, index] {
            MSHFlexGrid1_Click(index.row() * AnswerCardModel::Columns + index.column());
        });
    });
    connect(Timer1, &Clock::ticked, this, [this] {
        panel_->flashWrongPrompt(false);
        Timer1->stop();
    });
    connect(Timer2, &Clock::ticked, this, [this] {
        panel_->showVerdict({}, std::nullopt);
        Timer2->stop();
    });
    // The time spent on the question: hours run 00 to 24, then start again.
    connect(Timer3, &Clock::ticked, this, [this] {
        commands_->setClock(practiceSeconds_ = (practiceSeconds_ + 1) % (25 * 3600));
    });
    connect(Timer4, &Clock::ticked, this, [this] { guard([this] { CountDownExamTime(); }); });
    connect(recordRetry_, &Clock::ticked, this, [this] { retryWaiting(); });
    // Made last, so it hears an answer or a class change after this window has acted on it.
    drills_ = new ReviewDrills(s, commands_, panel_, this);
    connect(drills_, &ReviewDrills::drillClicked, this, [this](int drill) {
        if (!confirmLeavingExam()) return;
        commands_->collapseChooser();
        guard([this, drill] {
            if (const auto choice = drills_->choose(drill)) practise(*choice);
        });
    });
}

// A damaged bank of the learner's own cannot be mended by reinstalling: it may be set aside
// for a fresh copy of the shipped bank, and a backup restored into that.
void frmMain::openBank() {
    try {
        s.Conn.open(s.bankFile, s.bankReadOnly);
        return;
    } catch (const DatabaseError& e) {
        const int primary = e.number() & 0xFF;
        if (s.shippedBank.isEmpty() || (primary != 11 && primary != 26)) throw;
        const QString bank = QDir::toNativeSeparators(s.bankFile);
        const QString aside =
            bank + QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate);
        if (!s.platform.askYesNo(
                nullptr, QStringLiteral("提示"),
                QStringLiteral("您的题库“%1”已损坏，无法使用（%2）。\n\n选“是”把它改名为“%3”"
                               "留在原处，从程序自带的题库重新开始；以前的错题、答题记录和考试"
                               "成绩不在新题库里。如果您用 kemu1-bank backup 保存过备份，关闭"
                               "本软件后运行\n    kemu1-bank restore “%1” 备份文件\n即可恢复。"
                               "\n\n选“否”退出，题库保持原样。")
                    .arg(bank, e.description(), aside)))
            throw;
        if (const QString error =
                setAsideDamagedBank(s.bankFile, s.shippedBank, QDate::currentDate());
            !error.isEmpty())
            throw DatabaseError(e.number(), error);
    }
    s.Conn.open(s.bankFile, s.bankReadOnly);
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
    numberMode_ = ReadSetting(s.Conn, Key::NumberMode);
    s.practice.IsWrongQuestionPractice = false;
    setWelcomePage(true);
    s.practice.CarTypeCode = ReadSetting(s.Conn, Key::CarType);
    commands_->setClassIndex(ClassIndex(s.practice.CarTypeCode));
    startingUp_ = true;
    loadSet(Sql::classCount(s.practice.CarTypeCode), Sql::classIds(s.practice.CarTypeCode),
            QuestionSet::Mode::Sequential, false);
    startingUp_ = false;
    panel_->setAutoSkip(wholePartOf(ReadSetting(s.Conn, Key::AutoSkip), Key::AutoSkip) == 1);
    panel_->setStudyMode(ReadSetting(s.Conn, Key::StudyMode) == QLatin1String("1"));
    if (s.Conn.readOnly()) {
        // A bank or folder of another user's (made by a start as root) says whose it is.
        QString whose;
        if (!s.bankReadOnly) {
            whose = ownedByOther(s.bankFile);
            if (whose.isEmpty()) whose = ownedByOther(QFileInfo(s.bankFile).absolutePath());
        }
        s.platform.information(
            this, QStringLiteral("提示"),
            s.Conn.readOnlyNotice() +
                (whose.isEmpty() ? QString() : QStringLiteral("（%1）").arg(whose)));
    }
    panel_->showVerdict({}, std::nullopt);
    drills_->refresh();
    QuestionsChanged(s.practice); // what later changes are measured against
}

void frmMain::CombolCarType_Click(int index) {
    if (index < 0 || index >= VehicleClasses().size()) return;
    commands_->collapseChooser();
    // A class without questions changes nothing: not the set, the chooser, the caption or the
    // class the next answer is recorded under.
    const QString code = VehicleClasses()[index].code;
    if (!loadSet(Sql::classCount(code), Sql::classIds(code), QuestionSet::Mode::Sequential, false))
        return commands_->setClassIndex(ClassIndex(s.practice.CarTypeCode));
    s.practice.CarTypeCode = code;
    WriteSetting(s.Conn, Key::CarType, code);
    setCaption(QStringLiteral("顺序练习—共"), classSuffix());
    showSet();
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
}

void frmMain::setWelcomePage(bool welcome) {
    welcome_->setVisible(welcome);
    panel_->setVisible(!welcome);
    CardPanel->setVisible(!welcome);
    Line1->setVisible(!welcome);
}

void frmMain::foldInSetAside() {
    const FoldedIn folded = FoldInSetAside(s.practice, s.bankFile);
    if (!folded.problem.isEmpty())
        s.platform.information(this, QStringLiteral("提示"), folded.problem);
    if (folded.scores > 0)
        s.platform.information(
            this, QStringLiteral("提示"),
            QStringLiteral("上次未能保存的 %1 次考试成绩已存入题库。").arg(folded.scores));
    if (HasWaiting(s.practice)) recordRetry_->start();
}

void frmMain::tellBankSwitch() {
    if (s.switchNotice.isEmpty()) return;
    const int newer = s.Conn.readOnly() ? 0 : NewerPractice(s.Conn, s.previousBank);
    if (newer == 0) {
        s.platform.information(this, QStringLiteral("提示"), s.switchNotice);
        return;
    }
    if (!s.platform.askYesNo(this, QStringLiteral("提示"),
                             s.switchNotice +
                                 QStringLiteral("\n\n那里有 %1 条较新的练习记录（答题和考试成绩），"
                                                "要把它们连同相关的错题标记带到现在使用的题库吗?")
                                     .arg(newer)))
        return;
    int brought = 0;
    const QString error = BringNewerPractice(s.Conn, s.previousBank, &brought);
    s.platform.information(this, QStringLiteral("提示"),
                           error.isEmpty() ? QStringLiteral("已带过来 %1 条练习记录。").arg(brought)
                                           : QStringLiteral("无法带过来练习记录：%1").arg(error));
    if (error.isEmpty()) drills_->refresh();
}

void frmMain::retryWaiting() {
    if (!SaveWaitingRecords(s.practice)) return;
    recordRetry_->stop();
    toldWaiting_ = false;
    if (closeWhenSaved_) close();
}

namespace {

QString waitingText(const PracticeSession& s) {
    QStringList parts;
    if (!s.waitingRecords.isEmpty())
        parts.append(QStringLiteral("%1 次考试成绩").arg(s.waitingRecords.size()));
    if (!s.waitingAnswers.isEmpty())
        parts.append(QStringLiteral("%1 个答案").arg(s.waitingAnswers.size()));
    return parts.join(QStringLiteral("和"));
}

} // namespace

// True when nothing is left waiting, or it has been set aside for the next start.
bool frmMain::leaveWithWaiting() {
    if (!HasWaiting(s.practice) || SaveWaitingRecords(s.practice)) return true;
    const QString what = waitingText(s.practice);
    const QString aside = SetAsideFiles(s.bankFile).first();
    if (!endingBySignal_ &&
        s.platform.askYesNo(this, QStringLiteral("提示"),
                            QStringLiteral("还有%1没有保存：题库正被另一个程序占用或磁盘已满。\n"
                                           "选“是”等待题库可以写入，保存后程序自动退出；\n"
                                           "选“否”先存到文件“%2”，下次启动时自动存入题库。")
                                .arg(what, QDir::toNativeSeparators(aside)))) {
        closeWhenSaved_ = true;
        recordRetry_->start();
        return false;
    }
    QString error;
    const QString file = SetAsideWaiting(s.practice, s.bankFile, &error);
    if (!file.isEmpty()) {
        if (endingBySignal_)
            std::fprintf(stderr, "kemu1: %s\n",
                         QStringLiteral("未保存的%1已存到“%2”，下次启动时存入题库。")
                             .arg(what, file)
                             .toUtf8()
                             .constData());
        return true;
    }
    if (endingBySignal_) return true; // nowhere to put it; the system is ending the program
    s.platform.information(this, QStringLiteral("提示"),
                           QStringLiteral("%1也无法另存（%2）。程序保持打开，题库可以写入时"
                                          "自动保存，之后再退出。")
                               .arg(what, error));
    closeWhenSaved_ = true;
    recordRetry_->start();
    return false;
}

void frmMain::endBySignal() {
    if (endingBySignal_) return;
    endingBySignal_ = true;
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // A signal asks nothing; a learner is asked before a running exam is given up.
    if (!endingBySignal_ && !confirmLeavingExam()) return event->ignore();
    if (!leaveWithWaiting()) {
        event->ignore();
        return;
    }
    recordRetry_->stop();
    // Ended by a signal, a dialog may still be open over the window and return into code that
    // reads the bank: the connection closes when the program ends.
    if (!endingBySignal_) s.Conn.close();
    event->accept();
    s.platform.endProgram();
}
