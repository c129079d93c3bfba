#pragma once

#include "../ui/Layer.h"

#include <QObject>

class CommandColumn;
class QCheckBox;
class QLabel;
class QPushButton;
class QuestionPanel;
class QWidget;
struct AppContext;

// What makes the main window comfortable on any screen and for any reader: its size and
// place (remembered), the text size step (字号, Ctrl+= / Ctrl+− / Ctrl+0), the night look of
// the windows' own colours, and reading the question aloud (朗读, R; or every new question).
class Comfort : public QObject {
    Q_OBJECT
  public:
    Comfort(AppContext& session, QWidget* window, QuestionPanel* panel, QWidget* cardPanel,
            CommandColumn* commands);

    static constexpr int SmallestStep = -1;
    static constexpr int LargestStep = 3;
    // How much larger than normal the question text is at a step.
    static double scaleOf(int step);

    // Start-up: the window's size and place, the stored text step, night look and auto-read.
    void restore();
    int textStep() const { return step_; }
    // Shows and stores a step (kept within the smallest and largest).
    void setTextStep(int step);
    void setNight(bool night);
    void readAloud();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildBar();
    bool checkSpeech();
    void write(const QString& key, const QString& value);

    AppContext& s;
    QWidget* window_;
    QuestionPanel* panel_;
    QWidget* cardPanel_;
    int step_ = 0;
    QWidget* bar_ = nullptr;
    QPushButton* BtnReadAloud = nullptr;
    QCheckBox* ChkAutoRead = nullptr;
    QPushButton* BtnFontSmaller = nullptr;
    QPushButton* BtnFontLarger = nullptr;
    QLabel* LblFontStep = nullptr;
};
