// The study-material folder, the about page and the web pages of the welcome page.
#include "../platform/Platform.h"
#include "../practice/frmMain.h"

#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>
#include <QUrl>

namespace {
const QString StudyFolder = QStringLiteral("驾照模理论拟考试通关秘籍,视频考程和电子文档");
}

void frmMain::BtnDocument_Click() {
    collapseCarChooser();
    const QString folder = s.programFolder + QLatin1Char('/') + StudyFolder + QLatin1Char('/');
    if (QFileInfo(folder).isDir()) {
        s.platform.openFolder(this, folder);
        return;
    }
    s.platform.information(
        this, QStringLiteral("提示"),
        QStringLiteral("在应用程序所在的文件夹中没有找到通关秘籍所在文件夹，\r\n"
                       "通关秘籍所在的文件夹为\"") +
            StudyFolder + QStringLiteral("\"\r\n,请在应用程序所在的文件夹中检查此文件夹是否存在!"));
}

void frmMain::CmdAbout_Click() {
    collapseCarChooser();
    setWelcomePage(true);
}

// Public pages a learner preparing for the theory exam actually needs.
void frmMain::imgTall_Click() {
    s.platform.openUrl(this, QUrl(QStringLiteral("https://gab.122.gov.cn/")));
}

void frmMain::imgDonate20_Click() {
    s.platform.openUrl(this, QUrl(QStringLiteral("https://flk.npc.gov.cn/")));
}

void frmMain::imgDonate10_Click() {
    s.platform.openUrl(this, QUrl(QStringLiteral("https://www.mps.gov.cn/")));
}
