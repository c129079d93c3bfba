#pragma once

#include "../ui/Layer.h"

#include <QWidget>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The left column: the class chooser, the entries to every mode, the clock and the skins.
class CommandColumn : public QWidget {
    Q_OBJECT
  public:
    explicit CommandColumn(QWidget* parent = nullptr);
    // The height of an entry button, for entries other parts add.
    static constexpr int EntryHeight = 30;

    enum Entry {
        Sequence,
        Random,
        Chapters,
        WrongQuestions,
        MockExam,
        Progress,
        StudyFolder,
        About,
        Exit
    };

    // The chooser's entry for a class index 0–2, or -1 for none.
    void setClassIndex(int index);
    int classIndex() const;
    QString classText(int index) const;
    // The chooser button shows and the list hides, or the other way round.
    void collapseChooser();
    void openChooser();
    // Shows seconds as hh:mm:ss.
    void setClock(int seconds);
    void setSkin(int index);
    // Another feature's controls go right below an entry's button.
    void insertBelow(Entry entry, QWidget* widget);

  signals:
    void entryClicked(int entry);
    void chooserOpened();
    void classPicked(int index);
    void skinPicked(int index);

  private:
    QPushButton* btnCheXing;
    QComboBox* CombolCarType;
    QPushButton* BtnSequence;
    QPushButton* BtnRandom;
    QPushButton* BtnPart;
    QPushButton* BtnWrongQuestion;
    QPushButton* BtnMoNiKaoShi;
    QPushButton* BtnProgress;
    QPushButton* BtnDocument;
    QPushButton* CmdAbout;
    QPushButton* BtnExit;
    QGroupBox* Frame2;
    QLabel* LblTime;
    QGroupBox* Frame3;
    std::array<QRadioButton*, 6> optTheme{};
};
