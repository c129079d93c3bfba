#include "QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <cstdlib>

QString errorText(int number, const QString& description) {
    return QStringLiteral("错误号:") + QString::number(number) + QStringLiteral("\r\n错误描述:") +
           description;
}

void QtPlatform::information(QWidget* owner, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, owner);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool QtPlatform::askYesNo(QWidget* owner, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Yes | QMessageBox::No,
                    owner);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    return box.exec() == QMessageBox::Yes;
}

void QtPlatform::showModal(QDialog* dialog) {
    dialog->exec();
    // Without a window manager nothing hands the keyboard back to the owner.
    if (QWidget* owner = dialog->parentWidget()) owner->activateWindow();
}

bool QtPlatform::openFolder(QWidget*, const QString& folder) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

bool QtPlatform::openUrl(QWidget*, const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

QString QtPlatform::saveFileName(QWidget* owner, const QString& title, const QString& suggested,
                                 const QString& filter) {
    return QFileDialog::getSaveFileName(owner, title, suggested, filter);
}

void QtPlatform::fatalDatabaseError(QWidget* owner, int number, const QString& description) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("错误提示"),
                    errorText(number, description), QMessageBox::Ok, owner);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
    std::exit(1);
}

void QtPlatform::endProgram() {
    QApplication::exit(0);
}
