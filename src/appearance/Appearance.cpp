#include "Appearance.h"

#include "../platform/Platform.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../ui/AppContext.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <iterator>
#include <limits>

namespace {
struct SkinRow {
    const char* stylePath;
    const char* iniName;
};
constexpr SkinRow SkinTable[] = {
    {"/images/mark/styles/WinXP.Luna.cjstyles", ""},
    {"/images/mark/styles/WinXP.Royale.cjstyles", ""},
    {"/images/mark/styles/Office2007.cjstyles", ""},
    {"/images/mark/styles/Vista.cjstyles", ""},
    {"/images/mark/styles/Le5", "Normalblue.ini"},
    {"/images/mark/styles/Night.cjstyles", ""},
};
static_assert(std::size(SkinTable) == SkinCount);
const QString StudyFolder = QStringLiteral("驾照模理论拟考试通关秘籍,视频考程和电子文档");
} // namespace

void ApplySkin(AppContext& s, int index) {
    if (index >= 0 && index < SkinCount) {
        const SkinRow& row = SkinTable[index];
        s.platform.skins().LoadSkin(s.path(QString::fromUtf8(row.stylePath)),
                                    QString::fromUtf8(row.iniName));
    }
    WriteSetting(s.Conn, Key::Skin, QString::number(index));
}

int StoredSkin(AppContext& s) {
    return static_cast<int>(
        wholePartOf(ReadSetting(s.Conn, Key::Skin), Key::Skin, std::numeric_limits<int>::max()));
}

// A desktop without a file manager or browser: at least say where to go by hand.
static void tellWhereUnopened(AppContext& s, QWidget* owner, bool opened, const QString& what,
                              const QString& where) {
    if (!opened)
        s.platform.information(owner, QStringLiteral("提示"),
                               QStringLiteral("无法自动打开%1，请手动打开：\r\n").arg(what) +
                                   where);
}

void OpenLink(AppContext& s, QWidget* owner, const QUrl& url) {
    tellWhereUnopened(s, owner, s.platform.openUrl(owner, url), QStringLiteral("网页"),
                      url.toString());
}

void OpenStudyFolder(AppContext& s, QWidget* owner) {
    const QString folder = s.programFolder + QLatin1Char('/') + StudyFolder + QLatin1Char('/');
    if (QFileInfo(folder).isDir()) {
        tellWhereUnopened(s, owner, s.platform.openFolder(owner, folder), QStringLiteral("文件夹"),
                          QDir::toNativeSeparators(folder));
        return;
    }
    s.platform.information(
        owner, QStringLiteral("提示"),
        QStringLiteral("在应用程序所在的文件夹中没有找到通关秘籍所在文件夹，\r\n"
                       "通关秘籍所在的文件夹为\"") +
            StudyFolder + QStringLiteral("\"\r\n,请在应用程序所在的文件夹中检查此文件夹是否存在!"));
}
