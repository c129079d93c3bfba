#include "platform/QtPlatform.h"
#include "practice/frmMain.h"
#include "store/Session.h"

#include <QApplication>
#include <QFont>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 10));
    QtPlatform platform;
    Session session(platform, QCoreApplication::applicationDirPath());
    frmMain window(session);
    if (!window.startedUp()) return 1;
    window.show();
    return app.exec();
}
