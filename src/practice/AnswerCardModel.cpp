#include "AnswerCardModel.h"

#include "../appearance/Colours.h"

#include <QFont>

void AnswerCardModel::load(const QStringList& ids, bool idNumbers) {
    beginResetModel();
    ids_ = ids;
    idNumbers_ = idNumbers;
    cells_.assign(static_cast<size_t>(ids.size()), Cell{});
    endResetModel();
}

void AnswerCardModel::clear() {
    load({}, idNumbers_);
}

QString AnswerCardModel::text(int row, int column) const {
    const int position = row * Columns + column;
    if (column < 0 || column >= Columns || position < 0 || position >= count()) return {};
    // Numbered as the question is: by id, or by position from 1.
    if (idNumbers_) return ids_[position];
    return QString::number(position + 1);
}

void AnswerCardModel::setBackground(int position, QRgb colour) {
    if (position < 0 || position >= count()) return;
    cells_[position].background = colour;
    changed(position);
}

void AnswerCardModel::setBoldRed(int position) {
    if (position < 0 || position >= count()) return;
    cells_[position].boldRed = true;
    changed(position);
}

void AnswerCardModel::changed(int position) {
    const auto cell = index(position / Columns, position % Columns);
    emit dataChanged(cell, cell);
}

int AnswerCardModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (count() + Columns - 1) / Columns;
}

int AnswerCardModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant AnswerCardModel::data(const QModelIndex& index, int role) const {
    const int position = index.row() * Columns + index.column();
    const bool filled = position < count();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return text(index.row(), index.column());
    case Qt::BackgroundRole:
        return QColor(shown(filled ? cells_[position].background : White));
    case Qt::ForegroundRole:
        return QColor(filled && cells_[position].boldRed ? ColoursFor(night_).cardWrongText
                                                         : ColoursFor(night_).cardText);
    case Qt::FontRole:
        if (filled && cells_[position].boldRed) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

Qt::ItemFlags AnswerCardModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

QRgb AnswerCardModel::shown(QRgb colour) const {
    const Colours& c = ColoursFor(night_);
    return colour == LightYellow ? c.cardAnswered
           : colour == LightCyan ? c.cardCurrent
           : colour == White     ? c.cardPlain
                                 : colour;
}

void AnswerCardModel::setNight(bool night) {
    if (night == night_) return;
    night_ = night;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, Columns - 1));
}
