#include "StyleSheetSkins.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

static QString readText(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(f.readAll());
}

QString StyleSheetSkins::readSheet(const QString& stylePath, const QString& iniName) {
    const QFileInfo info(stylePath);
    if (info.isFile()) return readText(stylePath);
    if (!info.isDir() || iniName.isEmpty()) return {};
    const QDir folder(stylePath);
    const QString ini = folder.filePath(iniName);
    if (!QFileInfo(ini).isFile()) return {};
    QSettings settings(ini, QSettings::IniFormat);
    const QString sheet = settings.value(QStringLiteral("Skin/StyleSheet")).toString();
    if (sheet.isEmpty()) return {};
    return readText(folder.filePath(sheet));
}

bool StyleSheetSkins::LoadSkin(const QString& stylePath, const QString& iniName) {
    const QString sheet = readSheet(stylePath, iniName);
    if (sheet.trimmed().isEmpty()) return false;
    qApp->setStyleSheet(sheet);
    return true;
}

void StyleSheetSkins::ApplyWindow(QWidget* window) {
    // The application-wide sheet already reaches every window; repaint this one now.
    if (window) window->update();
}
