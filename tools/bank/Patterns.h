#pragma once

// Answer by pattern: what a learner who knows no rule can read off the surface of a bank's
// questions, and a guesser that tries. Plain data in, so the measures run on any list.
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class QSqlDatabase;

struct PatternQuestion {
    QString id;
    QString chap;
    bool choice = false;
    QString question;
    QStringList options; // An1..An4 (choice questions)
    int answer = 0;      // 1-4, or 1 对 / 2 错
    QString explain;
};

// Every question of an open bank; `error` says why not.
QList<PatternQuestion> readPatternQuestions(const QSqlDatabase& db, QString& error);

// Words that recur in true/false statements and may give their key away.
const QStringList& CueWords();
// Words of a careful act (slowing, stopping, yielding, looking) and of a reckless one.
const QStringList& CarefulWords();
const QStringList& RecklessWords();

struct CueShare {
    QString word;
    int statements = 0;
    int wrong = 0; // keyed 错
};

struct ChapterShares {
    QString chap;
    int choices = 0;
    int longestKeyed = 0;  // the key is the only longest option
    int carefulSingle = 0; // exactly one option is careful...
    int carefulKeyed = 0;  // ...and it is the key
    int allOption = 0;     // an "all of the above"-style option...
    int allKeyed = 0;      // ...that is the key
};

struct PatternReport {
    QList<CueShare> cues;    // the cue words found, most statements first
    QList<CueShare> phrases; // other recurring phrases that lean to one key beyond chance
    QList<ChapterShares> chapters;
    QStringList recklessIds; // the key the only careful option among reckless ones
    QStringList uncited;     // "ID: why", an explanation naming a source without its provision
};

PatternReport measurePatterns(const QList<PatternQuestion>& questions);

// What is wrong with an explanation's citation, or empty: a source it names (a law, rule,
// syllabus or standard) must come with its article, 附件 or clause; 常识 needs none.
QString citationProblem(const QString& explain);

// One broken rule. `rule` is one of PatternRules().
struct PatternFinding {
    QString rule;
    QString text;
    QStringList ids; // the questions at fault, where the rule is about questions
};

struct PatternRule {
    const char* name;
    const char* what;
    bool enforced; // the shipped bank fails on it; the others are reported
};
const QList<PatternRule>& PatternRules();
bool patternRuleEnforced(const QString& rule);

QList<PatternFinding> patternFindings(const PatternReport& report);

// The share of right answers a learner who knows nothing gets from surface cues alone.
struct GuessScore {
    int choices = 0, choicesRight = 0;
    int judges = 0, judgesRight = 0;
};
// Per chapter, and the whole bank under "".
QMap<QString, GuessScore> guessWithoutKnowledge(const QList<PatternQuestion>& questions);

// The tables behind the findings, for a person to read.
QStringList patternTables(const PatternReport& report, const QMap<QString, GuessScore>& guess);
