#pragma once

#include "Layer.h"

#include <QDate>
#include <QString>
#include <functional>

class Bank;

// Where the program finds its data and the learner's bank.
struct BankPlace {
    QString programFolder; // pictures, skins, the study material and the shipped bank
    QString bankFile;      // the bank the learner practises on
    QString error;         // why the program cannot start, in plain words; empty if it can
    QString warning;       // something the learner should know; the program still starts
    QString shippedBank;   // set when `bankFile` is the learner's own copy made from this bank
    // A portable copy whose folder turned read-only or writable again since the last start
    // now practises on another bank: which one, in plain words, and the bank used before,
    // which may hold newer practice (see NewerPractice).
    QString switchNotice;
    QString previousBank;
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

// A damaged bank of the learner's own (see prepareUserBank) is renamed beside itself with
// today's date ("question.dll.damaged-2026-12-07") and a fresh copy of the shipped bank takes
// its place. Returns an error text, empty when done; `setAside` gets the new name.
QString setAsideDamagedBank(const QString& bankFile, const QString& shippedBank, const QDate& today,
                            QString* setAside = nullptr);

// Why `path` (a file or folder, or the nearest folder above it that exists) belongs to
// someone else than the user `me`: "“…”属于用户 root", or empty when it is theirs.
QString ownedByOther(const QString& path, uint me);
// The same for the user running the program.
QString ownedByOther(const QString& path);

// Practice in `otherFile` newer than anything in `bank`: answers and exam scores.
int NewerPractice(Bank& bank, const QString& otherFile);
// Brings that newer practice across: the answers and scores, and for each question answered
// there the wrong mark and review step it has there. Returns an error text, empty when done.
QString BringNewerPractice(Bank& bank, const QString& otherFile, int* brought = nullptr);
