#include "PracticeSession.h"

PracticeSession::Phase PracticeSession::phase() const {
    if (set.isEmpty()) return Phase::Empty;
    if (!set.isExam()) return Phase::Practising;
    return examPhase_;
}

bool PracticeSession::acceptsAnswers() const {
    const Phase p = phase();
    return p == Phase::Practising || p == Phase::ExamRunning;
}

void PracticeSession::startExam(int seconds) {
    if (!set.isExam() || set.isEmpty()) return;
    ExamSeconds = ExamLength = seconds;
    examPhase_ = Phase::ExamRunning;
}

bool PracticeSession::tick() {
    if (!examRunning()) return false;
    if (ExamSeconds > 0) {
        --ExamSeconds;
        return false;
    }
    examPhase_ = Phase::HandedIn;
    return true;
}

bool PracticeSession::handIn() {
    if (!examRunning()) return false;
    examPhase_ = Phase::HandedIn;
    return true;
}

void PracticeSession::review() {
    if (set.isExam() && examPhase_ == Phase::HandedIn) examPhase_ = Phase::Reviewing;
}
