#pragma once

#include <QString>
#include <functional>

// Where the program finds its data and the learner's bank.
struct BankPlace {
    QString programFolder; // pictures, skins, the study material and the shipped bank
    QString bankFile;      // the bank the learner practises on
    QString error;         // why the program cannot start, in plain words; empty if it can
    QString warning;       // something the learner should know; the program still starts
    bool readOnly = false; // practise without saving: there is nowhere to save
};

// True when the program may keep the learner's data in `bankFile` (and its folder).
bool bankWritable(const QString& bankFile);

// The program's data folder: beside the executable (a portable copy) or, installed,
// ../share/kemu1 next to the executable's folder.
QString programDataFolder(const QString& executableFolder);

// A portable copy whose folder is writable keeps its bank beside the executable; otherwise
// the learner's own bank lives in `userFolder`, made from and kept up to date with the
// shipped bank (see prepareUserBank).
BankPlace locateBank(const QString& executableFolder, const QString& userFolder,
                     const std::function<bool(const QString&)>& writable = bankWritable);

// The learner's bank in `userFolder`: copied from `shippedBank` the first time; when the
// shipped question content has changed since (an upgrade), that content is written into the
// learner's bank, keeping marks, settings, records and any other table.
BankPlace prepareUserBank(const QString& shippedBank, const QString& userFolder);

// A digest of the question content of a bank; empty with `error` set when it cannot be read.
QString contentDigest(const QString& bankFile, QString& error);
