// Window skins chosen on the main window and restored at start-up.
#include "../platform/Platform.h"
#include "../practice/frmMain.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../store/Statements.h"

#include <QRadioButton>
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
};
} // namespace

void frmMain::optTheme_Click(int index) {
    if (index >= 0 && index <= 4) {
        const SkinRow& row = SkinTable[index];
        s.platform.skins().LoadSkin(s.path(QString::fromUtf8(row.stylePath)),
                                    QString::fromUtf8(row.iniName));
    }
    WriteSetting(s.Conn, Key::Skin, QString::number(index));
}

int frmMain::ReadDefaultSkin() {
    return static_cast<int>(
        wholePartOf(ReadSetting(s.Conn, Key::Skin), Key::Skin, std::numeric_limits<int>::max()));
}

void frmMain::RestoreSkin() {
    const int index = ReadDefaultSkin();
    // Selecting the option clicks it, which loads the skin and stores the index again.
    if (index >= 0 && index <= 4) {
        optTheme[index]->setChecked(true);
        optTheme_Click(index);
    }
    auto& skins = s.platform.skins();
    skins.ApplyWindow(this);
    skins.SetApplyOptions(skins.ApplyOptions() | 1u);
}
