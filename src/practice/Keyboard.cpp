#include "Keyboard.h"

#include "AnswerCardView.h"
#include "QuestionPanel.h"

#include <QAbstractButton>
#include <QScrollBar>
#include <QShortcut>

void ConnectAnswerKeys(QWidget* window, QuestionPanel* panel, AnswerCardView* card) {
    for (int key :
         {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D, Qt::Key_1, Qt::Key_Y, Qt::Key_2, Qt::Key_N,
          Qt::Key_Left, Qt::Key_PageUp, Qt::Key_Right, Qt::Key_PageDown, Qt::Key_S, Qt::Key_F}) {
        auto* shortcut = new QShortcut(QKeySequence(key), window);
        QObject::connect(shortcut, &QShortcut::activated, window, [=] {
            // On the focused answer card the page keys page the card.
            if ((key == Qt::Key_PageUp || key == Qt::Key_PageDown) && card->hasFocus()) {
                card->verticalScrollBar()->triggerAction(key == Qt::Key_PageDown
                                                             ? QAbstractSlider::SliderPageStepAdd
                                                             : QAbstractSlider::SliderPageStepSub);
                return;
            }
            QAbstractButton* target = panel->buttonFor(key);
            if (panel->isVisible() && target->isVisibleTo(window) && target->isEnabled())
                target->click();
        });
    }
}
