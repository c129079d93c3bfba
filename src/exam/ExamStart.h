#pragma once

#include "../ui/Layer.h"

#include <QStringList>
#include <optional>

class QWidget;
struct AppContext;

// What a mock exam starts with: a paper and the minutes to answer it.
struct ExamStart {
    QStringList paper;
    int minutes = 0;
};

// The exam time when it and the pass mark are within their limits; otherwise the learner
// is told, and nothing.
std::optional<int> ExamMinutes(AppContext& session, QWidget* owner);
// A new paper for the session's class by its quota table; nothing (and the learner told)
// when the settings are out of range or a chapter has no questions.
std::optional<ExamStart> DrawExam(AppContext& session, QWidget* owner);
