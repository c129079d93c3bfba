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

    DatabaseError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number),
          description_(description) {}

    int number() const { return number_; }
    QString description() const { return description_; }

  private:
    int number_;
    QString description_;
};
