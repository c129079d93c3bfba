// The window on small and large screens, the text size steps, the night skin and reading
// aloud.
#include "TestProgram.h"
#include "appearance/Colours.h"
#include "domain/Domain.h"
#include "practice/Comfort.h"
#include "practice/CommandColumn.h"
#include "practice/WindowFit.h"

#include <QAbstractButton>
#include <QFile>
#include <QGuiApplication>
#include <QLayout>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <tuple>

namespace {
double luminance(QRgb rgb) {
    auto channel = [](int v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
           0.0722 * channel(qBlue(rgb));
}
double contrast(QRgb a, QRgb b) {
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

QScrollArea* scrollerOf(QWidget* w, QWidget* window) {
    for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p)) return area;
    return nullptr;
}

// Every visible button, box and label lies inside the window (scrolled into view where it
// sits in a scroller) at no less than the size its text needs.
void checkReachable(QWidget& window, const char* where) {
    window.layout()->activate();
    QCoreApplication::sendPostedEvents();
    const QRect inside = window.rect();
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || !(qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w)))
            continue;
        const QString name = QStringLiteral("%1 at %2").arg(w->objectName(), where);
        QRect shown(w->mapTo(&window, QPoint()), w->size());
        if (QScrollArea* area = scrollerOf(w, &window)) {
            area->ensureWidgetVisible(w, 0, 0);
            shown = QRect(w->mapTo(&window, QPoint()), w->size());
            const QRect view(area->viewport()->mapTo(&window, QPoint()), area->viewport()->size());
            QVERIFY2(view.contains(shown.topLeft()), qPrintable(name));
            QVERIFY2(inside.contains(view), qPrintable(name));
        } else {
            QVERIFY2(inside.contains(shown), qPrintable(name));
        }
        auto* l = qobject_cast<QLabel*>(w);
        if (l && l->wordWrap()) {
            QVERIFY2(w->height() >= l->heightForWidth(w->width()), qPrintable(name));
        } else if (!(l && l->pixmap().isNull() && l->text().isEmpty())) {
            QVERIFY2(w->width() >= w->minimumSizeHint().width(), qPrintable(name));
            QVERIFY2(w->height() >= w->minimumSizeHint().height(), qPrintable(name));
        }
    }
}

QList<Question> longQuestions() {
    Question q = choice(1, "C", "1", "B", QStringLiteral("missing.png"));
    q.question =
        QString(QStringLiteral("驾驶机动车在道路上行驶，遇到前方路口信号灯变化时应当怎样做？"))
            .repeated(4);
    for (QString& option : q.options)
        option = QStringLiteral("减速慢行，注意观察，确认安全后通过路口").repeated(3);
    q.explain = QStringLiteral("这是一段较长的解析文字，说明为什么这样做。").repeated(6);
    return {q, judge(2, "C", "1", "对"), choice(3, "C", "1", "A")};
}
} // namespace

class ComfortTest : public QObject {
    Q_OBJECT

  private slots:
    // Free areas of common screens (taskbar included) and the window they get.
    void openingSizeFitsTheFreeArea_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("size");
        QTest::newRow("1920×1080") << QRect(0, 0, 1920, 1040) << QSize(1200, 730);
        QTest::newRow("1366×768") << QRect(0, 0, 1366, 728) << QSize(1200, 688);
        QTest::newRow("1920×1080 at 150%") << QRect(0, 0, 1280, 680) << QSize(1200, 640);
        QTest::newRow("1280×720 work area") << QRect(0, 0, 1280, 720) << QSize(1200, 680);
        QTest::newRow("tiny") << QRect(0, 0, 800, 600) << WindowFit::Minimum;
    }
    void openingSizeFitsTheFreeArea() {
        QFETCH(QRect, available);
        QFETCH(QSize, size);
        QCOMPARE(WindowFit::openingSize(available), size);
        const QRect r = WindowFit::placement({}, available);
        QCOMPARE(r.size(), size);
        if (size != WindowFit::Minimum) {
            QVERIFY(available.contains(r.adjusted(-WindowFit::Border, -WindowFit::TitleBar,
                                                  WindowFit::Border, WindowFit::Border)));
        }
    }

    void rememberedPlaceComesBackInsideTheArea_data() {
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QRect>("placed");
        const QRect area(0, 0, 1366, 728);
        QTest::newRow("fits") << "100,80,1150,640" << QRect(100, 80, 1150, 640);
        QTest::newRow("too big") << "0,0,1900,1000" << QRect(5, 35, 1356, 688);
        QTest::newRow("hanging off") << "900,500,1150,640" << QRect(211, 83, 1150, 640);
        QTest::newRow("screen gone") << "3000,200,1150,640" << QRect(108, 59, 1150, 640);
        QTest::newRow("garbage") << "a,b" << QRect(83, 35, 1200, 688);
        QTest::newRow("left maximised") << "100,80,1150,640,max" << QRect(100, 80, 1150, 640);
        QTest::newRow("unknown fifth field") << "100,80,1150,640,x" << QRect(83, 35, 1200, 688);
        QTest::newRow("below minimum")
            << "10,40,300,200" << QRect(QPoint(10, 40), WindowFit::Minimum);
    }
    void rememberedPlaceComesBackInsideTheArea() {
        QFETCH(QString, remembered);
        QFETCH(QRect, placed);
        QCOMPARE(WindowFit::placement(remembered, QRect(0, 0, 1366, 728)), placed);
    }

    // A bank from before these settings gains their rows with the starting values.
    void anOlderBankGainsTheComfortSettings() {
        TestProgram p({choice(1, "C", "1", "A")});
        p.execute("delete from Param where ParamID in ('窗口位置和大小', '字号', '自动朗读')");
        frmMain& m = p.start();
        QVERIFY(m.startedUp());
        QVERIFY(p.platform().fatalErrors.isEmpty());
        QCOMPARE(p.setting(Key::FontStep), QStringLiteral("0"));
        QCOMPARE(p.setting(Key::AutoRead), QStringLiteral("0"));
        QCOMPARE(p.setting(Key::WindowGeometry), QString());
        QCOMPARE(control<QLabel>(m, "LblFontStep")->text(), QStringLiteral("标准"));
    }

    void windowIsResizableAndRemembersItsPlace() {
        TestProgram p({choice(1, "C", "1", "A")});
        {
            frmMain& m = p.start();
            QCOMPARE(m.minimumSize(), WindowFit::Minimum);
            QVERIFY(m.maximumWidth() > 4000);
            const QRect area = m.screen()->availableGeometry();
            QCOMPARE(m.geometry(), WindowFit::placement({}, area));
            m.setGeometry(QRect(20, 50, 1150, 650));
            m.close();
            QCOMPARE(p.setting(Key::WindowGeometry), WindowFit::remember(m.geometry()));
        }
        const QString stored = p.setting(Key::WindowGeometry);
        QRect placed;
        {
            frmMain& again = p.start();
            placed = WindowFit::placement(stored, again.screen()->availableGeometry());
            QCOMPARE(again.geometry(), placed);
            QVERIFY(!again.isMaximized());
            // Left maximised: it opens maximised, and its normal place is kept for later.
            again.showMaximized();
            again.close();
        }
        QCOMPARE(p.setting(Key::WindowGeometry), WindowFit::remember(placed, true));
        frmMain& maximised = p.start();
        QVERIFY(maximised.windowState() & Qt::WindowMaximized);
        QCOMPARE(maximised.normalGeometry(), placed);
        maximised.close();
        QCOMPARE(p.setting(Key::WindowGeometry), WindowFit::remember(placed, true));
    }

    // At the smallest window and on a 1280×720 work area, in practice with the explanation
    // and in the exam, from the smallest to the largest text.
    void everyControlReachableAtEveryTextStep() {
        TestProgram p(longQuestions());
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        control<QPushButton>(m, "BtnShowAnswer")->click();
        control<QPushButton>(m, "BtnB")->click();
        QVERIFY(control<QWidget>(m, "PicExplain")->isVisible());
        auto* comfort = m.findChild<Comfort*>();
        for (const QSize size : {WindowFit::Minimum, WindowFit::openingSize({0, 0, 1280, 720})})
            for (int step : {Comfort::SmallestStep, 0, Comfort::LargestStep}) {
                m.resize(size);
                comfort->setTextStep(step);
                checkReachable(m, qPrintable(QStringLiteral("%1×%2 step %3")
                                                 .arg(size.width())
                                                 .arg(size.height())
                                                 .arg(step)));
                QVERIFY(m.size() == size);
            }
        // At a 1280×720 screen's opening size the whole column shows without scrolling.
        m.resize(WindowFit::openingSize({0, 0, 1280, 720}));
        comfort->setTextStep(0);
        QCoreApplication::processEvents();
        auto* column = qobject_cast<QScrollArea*>(
            m.findChild<CommandColumn*>()->parentWidget()->parentWidget());
        QVERIFY(column);
        QCOMPARE(column->verticalScrollBar()->maximum(), 0);
        TestProgram exam(checkedBank());
        frmMain& e = exam.start();
        startExam(exam);
        QVERIFY(control<QPushButton>(e, "BtnJiaoJuan")->isVisible());
        e.findChild<Comfort*>()->setTextStep(Comfort::LargestStep);
        e.resize(WindowFit::Minimum);
        checkReachable(e, "exam");
    }

    // A sign and a scene, with options and without, the question and explanation of exam
    // length; the plain file blue, the sharp one red.
    void pictureGrowsWithTheTextAndLeavesTheExplanationInView_data() {
        QTest::addColumn<QSize>("drawn");
        QTest::addColumn<bool>("withOptions");
        QTest::addColumn<int>("least"); // its width at the normal step on a 1920×1080 screen
        QTest::newRow("sign, choice") << QSize(160, 160) << true << 200;
        QTest::newRow("scene, choice") << QSize(240, 180) << true << 320;
        QTest::newRow("scene, true/false") << QSize(240, 180) << false << 320;
    }
    void pictureGrowsWithTheTextAndLeavesTheExplanationInView() {
        QFETCH(QSize, drawn);
        QFETCH(bool, withOptions);
        QFETCH(int, least);
        Question q =
            withOptions ? choice(1, "C", "1", "C", "pic.jpg") : judge(1, "C", "1", "对", "pic.jpg");
        q.question =
            QStringLiteral("如图，前方路口网状线区域以外有车辆排队，红色车辆应当怎样通行？");
        q.options = {QStringLiteral("跟随前车驶入网状线区域等候"),
                     QStringLiteral("前车未动时在网状线内短暂停车"),
                     QStringLiteral("在网状线区域外停车等候"),
                     QStringLiteral("可以在网状线内停车，但不得熄火")};
        q.explain = QStringLiteral("网状线区域内禁止以任何原因停车；前方车辆排队时应在区域外等候，"
                                   "待前方有足够空间再通过，不得驶入后停在网状线内。"
                                   "（禁止标线，实施条例第30条）");
        TestProgram p({q}, settingsWith({{Key::StudyMode, "1"}}));
        const QString mark = p.folder() + QStringLiteral("/images/mark/");
        for (const auto& [file, scale, colour] :
             {std::tuple{"pic.jpg", 1, Qt::blue}, std::tuple{"pic@2x.jpg", 2, Qt::red}}) {
            QImage image(drawn * scale, QImage::Format_RGB32);
            image.fill(colour);
            QVERIFY(image.save(mark + QLatin1String(file)));
        }
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        auto* picture = control<QLabel>(m, "ImgMarkPic");
        auto* explain = control<QWidget>(m, "PicExplain");
        auto* comfort = m.findChild<Comfort*>();
        auto shownAt = [&](QSize window, int step) {
            m.resize(window);
            comfort->setTextStep(step);
            for (int i = 0; i < 3; ++i) { // the picture's new size lays the page out again
                m.layout()->activate();
                QCoreApplication::sendPostedEvents();
            }
            return picture->width();
        };
        QVERIFY(explain->isVisible());

        QVERIFY(shownAt(WindowFit::openingSize({0, 0, 1920, 1040}), 0) >= least);
        // Enlarged, it is drawn from the sharp file.
        const QColor seen = picture->pixmap().toImage().pixelColor(5, 5);
        QVERIFY(seen.red() > 200 && seen.blue() < 50);
        int last = 0;
        for (int step = 0; step <= Comfort::LargestStep; ++step) {
            const int width = shownAt({1900, 1000}, step);
            QVERIFY2(width > last, qPrintable(QStringLiteral("step %1").arg(step)));
            last = width;
        }

        // On a 1280×720 screen the question, the options, the picture and 解析 show together.
        QVERIFY(shownAt(WindowFit::openingSize({0, 0, 1280, 720}), 0) >= drawn.width());
        auto* scroll = control<QScrollArea>(m, "QuestionScroll");
        QCOMPARE(scroll->verticalScrollBar()->maximum(), 0);
        const QRect view(QPoint(), scroll->viewport()->size());
        for (QWidget* w : {static_cast<QWidget*>(control<QLabel>(m, "LblQuestion")),
                           static_cast<QWidget*>(control<QLabel>(m, "LblAnswerD")),
                           static_cast<QWidget*>(picture), explain})
            if (w->isVisible())
                QVERIFY2(view.contains(QRect(w->mapTo(scroll->viewport(), QPoint()), w->size())),
                         qPrintable(w->objectName()));
    }

    void answerCardKeepsTenCellsARowAsItGrows() {
        TestProgram p(series(1, 60, "C", "1"));
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        auto* card = control<AnswerCardView>(m, "MSHFlexGrid1");
        int last = 0;
        for (const QSize size : {WindowFit::Minimum, QSize(1200, 730), QSize(1900, 1000)}) {
            m.resize(size);
            m.layout()->activate();
            QCOMPARE(card->model()->columnCount(), 10);
            const int cell = card->columnWidth(0);
            QVERIFY(cell * 10 <= card->viewport()->width());
            QVERIFY(cell >= 28);
            QVERIFY(card->height() >= last);
            last = card->height();
        }
        QVERIFY(card->columnWidth(0) > 40);
    }

    // A short set shows no scroll bar and its cells take the room; a long one brings the bar
    // back and the ten cells shrink to stay in view.
    void answerCardMakesRoomForItsScrollBar() {
        TestProgram p(series(1, 30, "B", "1") + series(100, 900, "C", "1"));
        frmMain& m = p.start();
        m.resize(QSize(1200, 730));
        auto* card = control<AnswerCardView>(m, "MSHFlexGrid1");
        auto tenFit = [&] {
            int width = 0;
            for (int column = 0; column < 10; ++column)
                width += card->columnWidth(column);
            return width <= card->viewport()->width() && width > card->viewport()->width() - 10;
        };
        auto pickClass = [&](int index) {
            control<QPushButton>(m, "btnCheXing")->click();
            auto* chooser = control<QComboBox>(m, "CombolCarType");
            chooser->setCurrentIndex(index);
            emit chooser->activated(index);
            QCoreApplication::processEvents(); // the view lays out its rows on the next turn
        };
        control<QPushButton>(m, "BtnSequence")->click(); // 小车: 900 questions
        QCoreApplication::processEvents();
        QVERIFY(card->verticalScrollBar()->isVisible());
        QVERIFY(tenFit());
        pickClass(1); // 货车: 30
        QVERIFY(!card->verticalScrollBar()->isVisible());
        QVERIFY(tenFit());
        pickClass(0);
        QVERIFY(card->verticalScrollBar()->isVisible());
        QVERIFY(tenFit());
    }

    void textStepsAreStoredAndBounded() {
        TestProgram p({choice(1, "C", "1", "A")});
        {
            frmMain& m = p.start();
            control<QPushButton>(m, "BtnSequence")->click();
            auto* question = control<QLabel>(m, "LblQuestion");
            question->ensurePolished();
            const int normal = question->font().pixelSize();
            for (int i = 0; i < 6; ++i)
                control<QPushButton>(m, "BtnFontLarger")->click();
            QCOMPARE(p.setting(Key::FontStep), QString::number(Comfort::LargestStep));
            QVERIFY(!control<QPushButton>(m, "BtnFontLarger")->isEnabled());
            QCOMPARE(control<QLabel>(m, "LblFontStep")->text(), QStringLiteral("特大"));
            QVERIFY(question->font().pixelSize() > normal * 3 / 2);
            QTest::keyClick(&m, Qt::Key_0, Qt::ControlModifier);
            QCOMPARE(p.setting(Key::FontStep), QStringLiteral("0"));
            QCOMPARE(question->font().pixelSize(), normal);
            QTest::keyClick(&m, Qt::Key_Minus, Qt::ControlModifier);
            QTest::keyClick(&m, Qt::Key_Minus, Qt::ControlModifier);
            QCOMPARE(p.setting(Key::FontStep), QString::number(Comfort::SmallestStep));
            QVERIFY(question->font().pixelSize() < normal);
            QTest::keyClick(&m, Qt::Key_Equal, Qt::ControlModifier);
            QTest::keyClick(&m, Qt::Key_Equal, Qt::ControlModifier);
            QCOMPARE(p.setting(Key::FontStep), QStringLiteral("1"));
        }
        frmMain& again = p.start();
        QCOMPARE(control<QLabel>(again, "LblFontStep")->text(), QStringLiteral("大"));
    }

    void nightSkinIsStoredAndRestored() {
        TestProgram p(series(1, 5, "C", "1"));
        {
            frmMain& m = p.start();
            control<QPushButton>(m, "BtnSequence")->click();
            auto* night = control<QRadioButton>(m, "optTheme_5");
            QCOMPARE(night->text(), QStringLiteral("夜间"));
            QTest::mouseClick(night, Qt::LeftButton, {}, QPoint(8, night->height() / 2));
            QCOMPARE(p.setting(Key::Skin), QStringLiteral("5"));
            QCOMPARE(p.platform().skinEngine.loads.last(),
                     p.folder() + "/images/mark/styles/Night.cjstyles|");
            auto* card = control<AnswerCardView>(m, "MSHFlexGrid1");
            QCOMPARE(card->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>().rgb(),
                     QColor(NightColours().cardCurrent).rgb());
            QTest::mouseClick(control<QRadioButton>(m, "optTheme_2"), Qt::LeftButton, {},
                              QPoint(8, 8));
            QCOMPARE(card->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>().rgb(),
                     QColor(AnswerCardModel::LightCyan).rgb());
            QTest::mouseClick(night, Qt::LeftButton, {}, QPoint(8, night->height() / 2));
        }
        p.platform().skinEngine.loads.clear();
        frmMain& again = p.start();
        QVERIFY(control<QRadioButton>(again, "optTheme_5")->isChecked());
        QCOMPARE(p.platform().skinEngine.loads,
                 QStringList{p.folder() + "/images/mark/styles/Night.cjstyles|"});
        control<QPushButton>(again, "BtnSequence")->click();
        QCOMPARE(control<AnswerCardView>(again, "MSHFlexGrid1")
                     ->model()
                     ->index(0, 0)
                     .data(Qt::BackgroundRole)
                     .value<QColor>()
                     .rgb(),
                 QColor(NightColours().cardCurrent).rgb());
    }

    void nightColoursKeepTheirContrast() {
        const Colours& c = NightColours();
        const QList<std::tuple<const char*, QRgb, QRgb>> pairs = {
            {"explanation", c.explainText, c.explainBack},
            {"answer", c.answerText, c.window},
            {"prompt", c.promptText, c.window},
            {"pass", c.passText, c.window},
            {"fail", c.failText, c.window},
            {"link", c.linkText, c.linkBack},
            {"card plain", c.cardText, c.cardPlain},
            {"card answered", c.cardText, c.cardAnswered},
            {"card current", c.cardText, c.cardCurrent},
            {"wrong plain", c.cardWrongText, c.cardPlain},
            {"wrong answered", c.cardWrongText, c.cardAnswered},
            {"wrong current", c.cardWrongText, c.cardCurrent}};
        for (const auto& [what, text, back] : pairs)
            QVERIFY2(contrast(text, back) >= 4.5,
                     qPrintable(QStringLiteral("%1: %2").arg(what).arg(contrast(text, back))));
        // Answered, current and plain cells stay apart, and wrong text stands out from plain.
        const QRgb cells[] = {c.cardPlain, c.cardAnswered, c.cardCurrent};
        for (int i = 0; i < 3; ++i)
            for (int j = i + 1; j < 3; ++j)
                QVERIFY(std::abs(qRed(cells[i]) - qRed(cells[j])) +
                            std::abs(qGreen(cells[i]) - qGreen(cells[j])) +
                            std::abs(qBlue(cells[i]) - qBlue(cells[j])) >=
                        90);
        QVERIFY(qRed(c.cardWrongText) > qGreen(c.cardWrongText) + 40);
    }

    // Every rule of the night sheet that colours text: against its own background, or the
    // page's where it paints none.
    void nightSheetKeepsItsContrast() {
        QFile file(QStringLiteral(SKINS_DIR "/Night.cjstyles"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString sheet = QString::fromUtf8(file.readAll());
        const QRegularExpression rule(QStringLiteral("([^{}]+)\\{([^}]*)\\}"));
        const QRegularExpression colour(QStringLiteral("(?:^|[;\\s])color:\\s*#([0-9a-fA-F]{6})"));
        const QRegularExpression back(
            QStringLiteral("background(?:-color)?:\\s*#([0-9a-fA-F]{6})"));
        const QRegularExpression selected(
            QStringLiteral("selection-color:\\s*#([0-9a-fA-F]{6})[^}]*selection-background-"
                           "color:\\s*#([0-9a-fA-F]{6})"));
        auto rgb = [](const QString& hex) { return QRgb(hex.toUInt(nullptr, 16)); };
        const QRgb page = NightColours().window;
        int checked = 0;
        for (auto m = rule.globalMatch(sheet); m.hasNext();) {
            const auto r = m.next();
            const QString body = r.captured(2);
            const auto text = colour.match(body);
            // A line's colour is no text.
            if (!text.hasMatch() || r.captured(1).contains(QStringLiteral("Line1"))) continue;
            const auto b = back.match(body);
            const QRgb ground = b.hasMatch() ? rgb(b.captured(1)) : page;
            QVERIFY2(contrast(rgb(text.captured(1)), ground) >= 4.5,
                     qPrintable(r.captured(1).trimmed()));
            if (const auto s = selected.match(body); s.hasMatch())
                QVERIFY2(contrast(rgb(s.captured(1)), rgb(s.captured(2))) >= 4.5,
                         qPrintable(r.captured(1).trimmed()));
            ++checked;
        }
        QVERIFY(checked >= 10);
        QVERIFY(sheet.contains(QStringLiteral("background-color: %1").arg(QColor(page).name())));
    }

    void readAloudSaysTheQuestionAndItsOptions() {
        TestProgram p({choice(1, "C", "1", "A"), judge(2, "C", "1", "对")});
        frmMain& m = p.start();
        FakeSpeech& speech = p.platform().speechEngine;
        control<QPushButton>(m, "BtnSequence")->click();
        QVERIFY(speech.spoken.isEmpty());
        control<QPushButton>(m, "BtnReadAloud")->click();
        QCOMPARE(speech.spoken.size(), 1);
        const QString said = speech.spoken.last();
        QVERIFY(said.contains(QStringLiteral("选择题 1")));
        for (const char* option : {"A、甲1", "B、乙1", "C、丙1", "D、丁1"})
            QVERIFY2(said.contains(QString::fromUtf8(option)), option);
        // A true/false question has only its question.
        control<QPushButton>(m, "BtnNextQuestion")->click();
        QTest::keyClick(&m, Qt::Key_R);
        QCOMPARE(speech.spoken.size(), 2);
        QVERIFY(speech.spoken.last().contains(QStringLiteral("判断题 2")));
        QVERIFY(!speech.spoken.last().contains(QStringLiteral("甲")));

        // Reading each new question: stored, and the next question is read as it shows.
        control<QCheckBox>(m, "ChkAutoRead")->click();
        QCOMPARE(p.setting(Key::AutoRead), QStringLiteral("1"));
        const int before = speech.spoken.size();
        control<QPushButton>(m, "BtnPreQuestion")->click();
        QCOMPARE(speech.spoken.size(), before + 1);
        QVERIFY(speech.spoken.last().contains(QStringLiteral("选择题 1")));
    }

    void withoutAnEngineReadAloudIsOffAndSaysWhatToInstall() {
        TestProgram p({choice(1, "C", "1", "A")},
                      settingsWith({{Key::AutoRead, QStringLiteral("1")}}));
        p.platform().speechEngine.present = false;
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        auto* read = control<QPushButton>(m, "BtnReadAloud");
        QVERIFY(!read->isEnabled());
        QVERIFY(!read->toolTip().isEmpty());
        QVERIFY(!control<QCheckBox>(m, "ChkAutoRead")->isEnabled());
        QTest::keyClick(&m, Qt::Key_R);
        control<QPushButton>(m, "BtnA")->click();
        QVERIFY(p.platform().speechEngine.spoken.isEmpty());
        QVERIFY(p.platform().fatalErrors.isEmpty());
    }

    // The engine starts in the background and may fail there: the controls go off at once.
    void anEngineLostAfterTheStartTurnsReadAloudOff() {
        TestProgram p({choice(1, "C", "1", "A"), choice(2, "C", "1", "B")});
        frmMain& m = p.start();
        control<QPushButton>(m, "BtnSequence")->click();
        auto* read = control<QPushButton>(m, "BtnReadAloud");
        QVERIFY(read->isEnabled());
        p.platform().speechEngine.lose();
        QVERIFY(!read->isEnabled());
        QVERIFY(!read->toolTip().isEmpty());
        QVERIFY(!control<QCheckBox>(m, "ChkAutoRead")->isEnabled());
        QTest::keyClick(&m, Qt::Key_R);
        QVERIFY(p.platform().speechEngine.spoken.isEmpty());
    }
};

QTEST_MAIN(ComfortTest)
#include "test_comfort.moc"
