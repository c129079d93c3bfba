// Skins, the study-material folder, the about page and the web links.
#include "TestProgram.h"
#include "platform/ClickableLabel.h"
#include "platform/StyleSheetSkins.h"
#include "practice/AnswerCardView.h"
#include "store/Statements.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
// On the option's own circle: a click beyond its caption does not count.
void clickOption(QRadioButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}
const QString Study = QStringLiteral("驾照模理论拟考试通关秘籍,视频考程和电子文档");
} // namespace

class AppearanceTest : public QObject {
    Q_OBJECT

  private slots:
    void skinChoiceIsStoredAndRestored() {
        TestProgram p({choice(1, "C", "1", "A")});
        {
            frmMain& m = p.start();
            QVERIFY(control<QRadioButton>(m, qPrintable(QStringLiteral("optTheme_%1").arg(0)))
                        ->isChecked());
            QCOMPARE(p.platform().skinEngine.loads,
                     QStringList{p.folder() + "/images/mark/styles/WinXP.Luna.cjstyles|"});
            QVERIFY(p.platform().skinEngine.applied.contains(&m));
            QCOMPARE(p.platform().skinEngine.options & 1u, 1u);
            clickOption(control<QRadioButton>(m, qPrintable(QStringLiteral("optTheme_%1").arg(4))));
            QCOMPARE(p.setting(Key::Skin), QStringLiteral("4"));
            QCOMPARE(p.platform().skinEngine.loads.last(),
                     p.folder() + "/images/mark/styles/Le5|Normalblue.ini");
            clickOption(control<QRadioButton>(m, qPrintable(QStringLiteral("optTheme_%1").arg(2))));
            QCOMPARE(p.setting(Key::Skin), QStringLiteral("2"));
            QCOMPARE(p.platform().skinEngine.loads.last(),
                     p.folder() + "/images/mark/styles/Office2007.cjstyles|");
        }
        p.platform().skinEngine.loads.clear();
        frmMain& again = p.start();
        QVERIFY(control<QRadioButton>(again, "optTheme_2")->isChecked());
        QCOMPARE(p.platform().skinEngine.loads,
                 QStringList{p.folder() + "/images/mark/styles/Office2007.cjstyles|"});
    }

    void storedIndexTakesItsWholePart_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("selected");
        QTest::newRow("2.7") << "2.7" << 2;
        QTest::newRow("3") << "3" << 3;
        QTest::newRow("beyond") << "7" << -1;
        QTest::newRow("negative") << "-1" << -1;
    }
    void storedIndexTakesItsWholePart() {
        QFETCH(QString, stored);
        QFETCH(int, selected);
        TestProgram p({choice(1, "C", "1", "A")}, settingsWith({{Key::Skin, stored}}));
        frmMain& m = p.start();
        QVERIFY(m.startedUp());
        for (int i = 0; i < 5; ++i)
            QCOMPARE(control<QRadioButton>(m, qPrintable(QStringLiteral("optTheme_%1").arg(i)))
                         ->isChecked(),
                     i == selected);
        QCOMPARE(p.platform().skinEngine.loads.isEmpty(), selected < 0);
        QVERIFY(p.platform().fatalErrors.isEmpty());
    }

    void realSkinsLoadFilesAndFoldersAndKeepTheLookOtherwise() {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("Le5");
        auto put = [&](const QString& name, const QByteArray& text) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::WriteOnly);
            f.write(text);
        };
        put("A.cjstyles", "QPushButton { color: #123456; }");
        put("Le5/Normalblue.ini", "[Skin]\nStyleSheet=Normalblue.qss\n");
        put("Le5/Normalblue.qss", "QLabel { color: #654321; }");
        StyleSheetSkins skins;
        QVERIFY(skins.LoadSkin(dir.filePath("A.cjstyles"), {}));
        QVERIFY(qApp->styleSheet().contains("#123456"));
        QVERIFY(!skins.LoadSkin(dir.filePath("missing.cjstyles"), {}));
        QVERIFY(!skins.LoadSkin(dir.filePath("Le5"), {}));
        QVERIFY(qApp->styleSheet().contains("#123456"));
        QVERIFY(skins.LoadSkin(dir.filePath("Le5"), "Normalblue.ini"));
        QVERIFY(qApp->styleSheet().contains("#654321"));
        qApp->setStyleSheet({});
    }

    void studyFolderOpensOnlyWhenItIsAFolder() {
        TestProgram p({choice(1, "C", "1", "A")});
        frmMain& m = p.start();
        control<QPushButton>(m, "btnCheXing")->click();
        control<QPushButton>(m, "BtnDocument")->click();
        QVERIFY(p.platform().folders.isEmpty());
        QCOMPARE(p.platform().messages.size(), 1);
        QCOMPARE(p.platform().messages[0].title, QStringLiteral("提示"));
        QCOMPARE(
            p.platform().messages[0].text,
            "在应用程序所在的文件夹中没有找到通关秘籍所在文件夹，\r\n通关秘籍所在的文件夹为\"" +
                Study + "\"\r\n,请在应用程序所在的文件夹中检查此文件夹是否存在!");
        QVERIFY(control<QPushButton>(m, "btnCheXing")->isVisible());
        QVERIFY(!control<QComboBox>(m, "CombolCarType")->isVisible());

        QFile plain(p.folder() + "/" + Study);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        control<QPushButton>(m, "BtnDocument")->click();
        QCOMPARE(p.platform().messages.size(), 2);

        QFile::remove(p.folder() + "/" + Study);
        QDir(p.folder()).mkdir(Study);
        control<QPushButton>(m, "BtnDocument")->click();
        QCOMPARE(p.platform().folders, QStringList{p.folder() + "/" + Study + "/"});
        QCOMPARE(p.platform().messages.size(), 2);

        // A desktop that cannot open folders: the learner is told where it is.
        p.platform().opens = false;
        control<QPushButton>(m, "BtnDocument")->click();
        QCOMPARE(p.platform().messages.size(), 3);
        QVERIFY(p.platform().messages.last().text.endsWith(Study + "/"));
    }

    void aboutPageReturnsToTheWelcome() {
        TestProgram p({choice(1, "C", "1", "A")});
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        control<QPushButton>(m, "btnCheXing")->click();
        QVERIFY(control<AnswerCardView>(m, "MSHFlexGrid1")->isVisible());
        control<QPushButton>(m, "CmdAbout")->click();
        QVERIFY(control<QWidget>(m, "PicWelcome")->isVisible());
        QVERIFY(!control<QWidget>(m, "PicPractice")->isVisible());
        QVERIFY(!control<AnswerCardView>(m, "MSHFlexGrid1")->isVisible());
        QVERIFY(!control<QFrame>(m, "Line1")->isVisible());
        QVERIFY(control<QPushButton>(m, "btnCheXing")->isVisible());
        QVERIFY(!control<QComboBox>(m, "CombolCarType")->isVisible());
        QCOMPARE(p.session().practice.set.ids(), QStringList{"1"}); // the set stays
        for (const char* name : {"lbl2", "Label2", "Label3", "Label4", "Label5", "Label6", "Label8",
                                 "Label10", "Label12", "Label14", "Label15", "Label16"})
            QVERIFY2(m.findChild<QLabel*>(name) && m.findChild<QLabel*>(name)->isVisible(), name);
        QCOMPARE(m.findChild<QLabel*>("Label5")->text(),
                 QStringLiteral("1、顺序练习：按题库顺序，循序渐进的进行有序的练习。"));
    }

    void imagesOpenTheirPages() {
        TestProgram p({choice(1, "C", "1", "A")});
        frmMain& m = p.start();
        QTest::mouseClick(control<ClickableLabel>(m, "imgTall"), Qt::LeftButton);
        QTest::mouseClick(control<ClickableLabel>(m, "imgDonate20"), Qt::LeftButton);
        QTest::mouseClick(control<ClickableLabel>(m, "imgDonate10"), Qt::LeftButton);
        QCOMPARE(p.platform().urls.size(), 3);
        for (const QUrl& url : p.platform().urls)
            QCOMPARE(url.scheme(), QStringLiteral("https"));
        QCOMPARE(p.platform().urls[0].host(), QStringLiteral("gab.122.gov.cn"));
        QVERIFY(p.platform().messages.isEmpty());
        // Without a browser the address is shown, to be typed in by hand.
        p.platform().opens = false;
        QTest::mouseClick(control<ClickableLabel>(m, "imgTall"), Qt::LeftButton);
        QCOMPARE(p.platform().messages.size(), 1);
        QVERIFY(p.platform().messages[0].text.endsWith("https://gab.122.gov.cn/"));
    }
};

QTEST_MAIN(AppearanceTest)
#include "test_appearance.moc"
