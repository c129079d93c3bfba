#include "platform/EndSignals.h"
#include "platform/QtPlatform.h"
#include "practice/frmMain.h"
#include "schoolview/frmInstructor.h"
#include "startup/CommandLine.h"
#include "store/DatabaseError.h"
#include "ui/AppContext.h"

#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char* argv[]) {
    EndSignals::catchThem();
    QCoreApplication::setApplicationName(QStringLiteral("kemu1"));
    StartPlan plan;
    {
        // No window yet: --help, --version and a bad --bank need no display.
        QCoreApplication core(argc, argv);
        plan = planStart(core.arguments().mid(1), QCoreApplication::applicationDirPath(),
                         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }
    std::fputs(plan.out.toUtf8().constData(), stdout);
    std::fputs(plan.err.toUtf8().constData(), stderr);
    if (!plan.place.warning.isEmpty())
        std::fprintf(stderr, "kemu1: %s\n", plan.place.warning.toUtf8().constData());
    // Started from the menu, the learner sees no terminal.
    if (plan.exitStatus >= 0 && plan.place.error.isEmpty()) return plan.exitStatus;

    QApplication app(argc, argv);
    // Windows' own font for Chinese where it is there, else the one Linux installs with us.
    QFont font;
    font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSize(10);
    app.setFont(font);
    if (!plan.place.error.isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("驾驶人科目一理论考试模拟训练"),
                              plan.place.error);
        return 1;
    }
    QtPlatform platform;
    AppContext session(platform, plan.place.programFolder);
    session.bankFile = plan.place.bankFile;
    session.shippedBank = plan.place.shippedBank;
    session.switchNotice = plan.place.switchNotice;
    session.previousBank = plan.place.previousBank;
    session.bankReadOnly = plan.place.readOnly;
    if (plan.instructor) {
        // The instructor reads the school's server; the bank gives only the pass mark.
        try {
            session.Conn.open(session.bankFile, true);
        } catch (const DatabaseError&) {
        }
        frmInstructor school(session);
        school.show();
        return app.exec();
    }
    frmMain window(session);
    if (!window.startedUp()) return 1;
    EndSignals ending([&window](int) { window.endBySignal(); });
    window.show();
    return app.exec();
}
