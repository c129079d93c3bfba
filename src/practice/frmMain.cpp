#include "frmMain.h"

#include "../exam/frmExam.h"
#include "../platform/Platform.h"
#include "../store/Guard.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../store/Records.h"
#include "../store/Statements.h"
#include "../targeted/frmWrongQt.h"
#include "AnswerCardView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
const QStringList CarTypeItems = {QStringLiteral("小车版(C1、C2、C3、C4、C5)"),
                                  QStringLiteral("货车版(A2、B2)"),
                                  QStringLiteral("客车版(A1、A3、B1)")};
}

frmMain::frmMain(Session& session) : s(session) {
    buildUi();
    connectHandlers();
    connectKeyboard();
    startedUp_ = guarded(s, nullptr, [this] {
        Form_Initialize();
        Form_Load();
    });
}

frmMain::~frmMain() = default;

void frmMain::Form_Initialize() {
    OpenQuestionBank(s.Conn, s);
}

void frmMain::Form_Load() {
    RemoveSizeMenuItem();
    RestoreSkin();
    QuestionNumberMode = GetQuestionNumberMode();
    s.IsWrongQuestionPractice = false;
    setWelcomePage(true);
    s.CarTypeCode = GetExamCarType();
    CarTypeClickArmed = false;
    CombolCarType->setToolTip(CarTypeItems.join(QStringLiteral("\r\n")));
    FillCarTypeCombo();
    startingUp_ = true;
    FillMSHFlexGridSequence();
    startingUp_ = false;
    LoadAutoSkipSetting();
    LblCorrectAn->clear();
    setVerdict({});
}

// The window keeps the size it was laid out for; the window manager offers no resize.
void frmMain::RemoveSizeMenuItem() {
    setFixedSize(1200, 730);
}

QString frmMain::GetExamCarType() {
    return ReadSetting(s.Conn, Key::CarType);
}

QString frmMain::GetQuestionNumberMode() {
    return ReadSetting(s.Conn, Key::NumberMode);
}

void frmMain::FillCarTypeCombo() {
    CombolCarType->addItems(CarTypeItems);
    int index = -1;
    if (s.CarTypeCode == QLatin1String("A"))
        index = 2;
    else if (s.CarTypeCode == QLatin1String("B"))
        index = 1;
    else if (s.CarTypeCode == QLatin1String("C"))
        index = 0;
    if (index >= 0) {
        CombolCarType->setCurrentIndex(index);
        // Selecting from code clicks the list once; that click only arms it.
        CombolCarType_Click();
    } else {
        CombolCarType->setCurrentIndex(-1);
        CarTypeClickArmed = true;
    }
}

void frmMain::LoadAutoSkipSetting() {
    const auto value = wholePartOf(ReadSetting(s.Conn, Key::AutoSkip), Key::AutoSkip);
    const bool ticked = value == 1;
    if (ticked != ChkAutoSkip->isChecked()) {
        ChkAutoSkip->setChecked(ticked);
        ChkAutoSkip_Click();
    }
}

void frmMain::collapseCarChooser() {
    btnCheXing->show();
    CombolCarType->hide();
}

void frmMain::btnCheXing_Click() {
    btnCheXing->hide();
    CombolCarType->show();
}

QString frmMain::classSuffix() const {
    switch (CombolCarType->currentIndex()) {
    case 0:
        return QStringLiteral("小车版");
    case 1:
        return QStringLiteral("货车版");
    case 2:
        return QStringLiteral("客车版");
    default:
        return {};
    }
}

void frmMain::CombolCarType_Click() {
    if (!CarTypeClickArmed) {
        CarTypeClickArmed = true;
        return;
    }
    const int index = CombolCarType->currentIndex();
    if (index < 0 || index > 2) return;
    s.CarTypeCode =
        QStringList{QStringLiteral("C"), QStringLiteral("B"), QStringLiteral("A")}[index];
    const int n = GetQuestionSum(s.Conn, Sql::classCount(s.CarTypeCode));
    FrameQuestion->setTitle(QStringLiteral("顺序练习—共") + QString::number(n) +
                            QStringLiteral("题—") + classSuffix());
    WriteSetting(s.Conn, Key::CarType, s.CarTypeCode);
    collapseCarChooser();
    IsSequencePractice = true;
    if (FillMSHFlexGridSequence()) ShowFirstQuestion();
}

void frmMain::ChkAutoSkip_Click() {
    WriteSwitch(s.Conn, Key::AutoSkip, ChkAutoSkip->isChecked() ? 1 : 0);
    collapseCarChooser();
}

void frmMain::BtnExit_Click() {
    s.Conn.close();
    s.platform.endProgram();
}

void frmMain::closeEvent(QCloseEvent* event) {
    SaveWaitingRecords(s);
    s.Conn.close();
    event->accept();
    s.platform.endProgram();
}

void frmMain::setWelcomePage(bool welcome) {
    PicWelcome->setVisible(welcome);
    PicPractice->setVisible(!welcome);
    MSHFlexGrid1->setVisible(!welcome);
    Line1->setVisible(!welcome);
}

// The legend belongs to the answer card: it comes and goes with it.
bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MSHFlexGrid1 &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        CardPanel->setVisible(event->type() == QEvent::ShowToParent);
    return QWidget::eventFilter(watched, event);
}

frmWrongQt* frmMain::WrongQt() {
    if (!wrongQt_) wrongQt_ = new frmWrongQt(*this);
    return wrongQt_;
}

frmExam* frmMain::Exam() {
    if (!exam_) exam_ = new frmExam(*this);
    return exam_;
}

void frmMain::UnloadExam() {
    if (!exam_) return;
    exam_->done(QDialog::Accepted);
    exam_->deleteLater();
    exam_ = nullptr;
}
