// A learner who never stops: practises or sits exams on a bank and reports every write that
// has landed, so a test can kill it at any moment and check what the bank kept.
//   drill FOLDER practice|exam ROUNDS
#include "TestProgram.h"
#include "services/Records.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <cstdio>

namespace {

struct DrillPlatform : FakePlatform {
    // A drilling learner hands in with questions unanswered, on purpose.
    bool askYesNo(QWidget*, const QString&, const QString&) override { return true; }
    // The briefing is started at once; the score window is closed (the review follows).
    void showModal(QDialog* dialog) override {
        if (dialog->objectName() == QLatin1String("frmExam"))
            control<QPushButton>(*dialog, "BtnStart")->click();
    }
    void fatalDatabaseError(QWidget*, int number, const QString& description) override {
        std::printf("fatal %d %s\n", number, description.toUtf8().constData());
        std::fflush(stdout);
        std::_Exit(3);
    }
    void information(QWidget*, const QString& title, const QString& text) override {
        if (title == QStringLiteral("错误提示")) {
            std::printf("error %s\n", text.toUtf8().constData());
            std::fflush(stdout);
            std::_Exit(4);
        }
    }
};

void say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void answer(frmMain& m, const QString& text) {
    const QString name = text == QStringLiteral("对")   ? QStringLiteral("BtnRight")
                         : text == QStringLiteral("错") ? QStringLiteral("BtnWrong")
                                                        : QStringLiteral("Btn") + text;
    control<QPushButton>(m, qPrintable(name))->click();
}

// A wrong answer for what is on screen.
QString wrongAnswer(frmMain& m) {
    const QString right = control<QLabel>(m, "LblAn")->text();
    if (right == QStringLiteral("对")) return QStringLiteral("错");
    if (right == QStringLiteral("错")) return QStringLiteral("对");
    return right == QStringLiteral("A") ? QStringLiteral("B") : QStringLiteral("A");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 4) return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool exam = QByteArray(argv[2]) == "exam";
    const int rounds = QByteArray(argv[3]).toInt();
    DrillPlatform platform;
    AppContext session(platform, folder);
    frmMain m(session);
    if (!m.startedUp()) return 5;
    m.show();
    for (int round = 0; round < rounds; ++round) {
        if (exam) {
            control<QPushButton>(m, "BtnMoNiKaoShi")->click();
            for (int i = 0; i < 10; ++i)
                answer(m, control<QLabel>(m, "LblAn")->text());
            control<QPushButton>(m, "BtnJiaoJuan")->click();
            say(QStringLiteral("record %1").arg(session.practice.set.rightCount()));
        } else {
            control<QPushButton>(m, "BtnRandom")->click();
            for (int i = 0; i < 20 && i < session.practice.set.size(); ++i) {
                const QString id = session.practice.set.currentId();
                answer(m, wrongAnswer(m));
                say(QStringLiteral("marked %1").arg(id));
                control<QPushButton>(m, "BtnNextQuestion")->click();
            }
        }
        QApplication::processEvents();
    }
    // What the other copy kept from the bank a moment too long goes in before the end.
    while (!SaveWaitingRecords(session.practice))
        QApplication::processEvents();
    say(QStringLiteral("done"));
    return 0;
}
