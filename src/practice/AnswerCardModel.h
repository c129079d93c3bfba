#pragma once

#include "../ui/Layer.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <vector>

// The answer card's content: ten cells a row, one per question of the set, with the colours
// the learner reads at a glance. Texts are made on demand, so loading a big set is one reset.
class AnswerCardModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int Columns = 10;
    static constexpr QRgb White = 0xFFFFFF;
    static constexpr QRgb LightYellow = 0xFFFF80;
    static constexpr QRgb LightCyan = 0x80FFFF;

    using QAbstractTableModel::QAbstractTableModel;

    // Lays out `ids`, numbered by id or by position from 1, all white.
    void load(const QStringList& ids, bool idNumbers);
    void clear();

    int count() const { return static_cast<int>(ids_.size()); }
    QString text(int row, int column) const;
    QRgb background(int position) const { return cells_[position].background; }
    bool isBoldRed(int position) const { return cells_[position].boldRed; }
    void setBackground(int position, QRgb colour);
    // Bold red stays until the next load.
    void setBoldRed(int position);

    // At night the card paints its colours darker, keeping what they mean.
    void setNight(bool night);
    // The colour a cell's meaning is painted in.
    QRgb shown(QRgb colour) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    struct Cell {
        QRgb background = White;
        bool boldRed = false;
    };
    void changed(int position);

    QStringList ids_;
    bool idNumbers_ = false;
    bool night_ = false;
    std::vector<Cell> cells_;
};
