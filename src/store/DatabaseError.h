#pragma once

#include "Layer.h"

#include <QString>
#include <stdexcept>

// A failure of the question bank. Its number and description are what the learner sees
// in the "错误号/错误描述" box, so both must read well on their own.
class DatabaseError : public std::runtime_error {
  public:
    // Numbers of our own for failures that are not SQLite's.
    static constexpr int Overflow = 6;
    static constexpr int TypeMismatch = 13;
    static constexpr int FileNotFound = 3024;
    static constexpr int NoCurrentRecord = 3021;

    // `fromEngine`: the number is SQLite's own result code.
    DatabaseError(int number, const QString& description, bool fromEngine = false)
        : std::runtime_error(description.toStdString()), number_(number), description_(description),
          fromEngine_(fromEngine) {}

    int number() const { return number_; }
    QString description() const { return description_; }
    // Another program holds the bank, or the disk is full: the same write may well succeed
    // a moment later.
    bool mayPassSoon() const {
        const int primary = number_ & 0xFF;
        return fromEngine_ && (primary == 5 || primary == 6 || primary == 13);
    }

  private:
    int number_;
    QString description_;
    bool fromEngine_ = false;
};
