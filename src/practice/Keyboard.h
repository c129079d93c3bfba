#pragma once

#include "../ui/Layer.h"

class AnswerCardView;
class QuestionPanel;
class QWidget;

// Keys answer and move as the buttons do, whenever the button is on screen; on the focused
// answer card the page keys page the card.
void ConnectAnswerKeys(QWidget* window, QuestionPanel* panel, AnswerCardView* card);
