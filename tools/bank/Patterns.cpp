#include "Patterns.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace {

// A word in 8 or more statements may lean to one key in at most 70 % of them.
constexpr int CueMinStatements = 8;
constexpr int CueMaxPercent = 70;
// A chapter's single careful option may be the key in at most 35 % of the questions that have
// one (chance is 25 %), once 10 questions have one.
constexpr int CarefulMinQuestions = 10;
constexpr int CarefulMaxPercent = 35;
// An "all of the above" option may be the key in at most half the questions that offer one.
constexpr int AllMaxPercent = 50;
constexpr int AllMinKeyed = 3;
// A phrase mined from the statements is shown when chance explains its lean less than once in
// a thousand.
constexpr double PhraseChance = 0.001;

QString essence(const QString& text) {
    QString out;
    for (const QChar c : text)
        if (c.isLetterOrNumber()) out += c;
    return out;
}

bool containsAny(const QString& text, const QStringList& words) {
    return std::any_of(words.cbegin(), words.cend(),
                       [&](const QString& w) { return text.contains(w); });
}

// Options naming all the others: 以上都对, or one that repeats two or more of the others.
int allOfTheAbove(const QStringList& options) {
    static const QRegularExpression phrase(
        QStringLiteral("(以上|上述|前述)(各项|选项|三项|几项|做法|情况)?(都|均|全)|全部(都)?(正确|"
                       "对)|都(正确|对)$"));
    for (int i = 0; i < options.size(); ++i)
        if (phrase.match(options[i]).hasMatch()) return i;
    // Or one that holds most of the characters of two or more shorter options.
    for (int i = 0; i < options.size(); ++i) {
        const QString mine = essence(options[i]);
        int covered = 0;
        for (int j = 0; j < options.size(); ++j) {
            const QString other = essence(options[j]);
            if (j == i || other.isEmpty() || mine.size() * 2 < other.size() * 3) continue;
            const auto held = std::count_if(other.cbegin(), other.cend(),
                                            [&](QChar c) { return mine.contains(c); });
            if (held * 10 >= other.size() * 7) ++covered;
        }
        if (covered >= 2) return i;
    }
    return -1;
}

// The option that is the only longest, or -1.
int onlyLongest(const QStringList& options) {
    int best = -1;
    qsizetype length = -1;
    bool tie = false;
    for (int i = 0; i < options.size(); ++i) {
        const qsizetype n = options[i].size();
        if (n > length) {
            best = i;
            length = n;
            tie = false;
        } else if (n == length) {
            tie = true;
        }
    }
    return tie ? -1 : best;
}

// The option that alone holds a careful word, or -1.
int onlyCareful(const QStringList& options) {
    int found = -1;
    for (int i = 0; i < options.size(); ++i)
        if (containsAny(options[i], CarefulWords())) {
            if (found >= 0) return -1;
            found = i;
        }
    return found;
}

// log of n choose k.
double logChoose(int n, int k) {
    return std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0);
}

// How likely a lean as strong as k of n is by chance, when each is `p` (two-sided).
double binomialChance(int n, int k, double p) {
    auto tail = [&](int from, int to) {
        double sum = 0;
        for (int i = from; i <= to; ++i)
            sum += std::exp(logChoose(n, i) + i * std::log(p) + (n - i) * std::log(1 - p));
        return sum;
    };
    return std::min(1.0, 2 * std::min(tail(0, k), tail(k, n)));
}

QString percent(int part, int whole) {
    return whole ? QStringLiteral("%1 %").arg(std::lround(100.0 * part / whole))
                 : QStringLiteral("-");
}

} // namespace

const QStringList& CueWords() {
    static const QStringList words = {
        "只要", "就可以", "即可", "不必", "一直", "必须", "应当", "可以", "禁止", "一律",
        "所有", "任何",   "只有", "不得", "不能", "不要", "随意", "无需", "不用", "立即",
        "尽快", "完全",   "绝对", "总是", "只需", "一定", "就能", "无论", "只能", "都"};
    return words;
}

const QStringList& CarefulWords() {
    static const QStringList words = {"减速", "停车", "让行", "慢行", "谨慎", "注意",
                                      "观察", "确认", "靠边", "安全", "避让", "冷静"};
    return words;
}

const QStringList& RecklessWords() {
    static const QStringList words = {"加速", "鸣喇叭",   "抢行",     "抢先",     "紧跟",
                                      "强行", "猛打",     "猛踩",     "急转",     "随意",
                                      "逆行", "不予理会", "快速通过", "迅速通过", "超越"};
    return words;
}

QList<PatternQuestion> readPatternQuestions(const QSqlDatabase& db, QString& error) {
    QList<PatternQuestion> questions;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select ID, chap, Type, Question, An1, An2, An3, An4, AnswerTrue, "
                               "Explain from Paper order by ID"))) {
        error = q.lastError().text();
        return questions;
    }
    while (q.next()) {
        PatternQuestion p;
        p.id = q.value(0).toString();
        p.chap = q.value(1).toString();
        p.choice = q.value(2).toString() == QLatin1String("1");
        p.question = q.value(3).toString();
        if (p.choice)
            for (int i = 4; i <= 7; ++i)
                p.options.append(q.value(i).toString());
        p.answer = q.value(8).toInt();
        p.explain = q.value(9).toString();
        questions.append(p);
    }
    return questions;
}

QString citationProblem(const QString& explain) {
    static const QRegularExpression book(QStringLiteral("《([^》]{2,40})》"));
    static const QRegularExpression name(QStringLiteral(
        "道路交通安全法实施条例|道路交通安全法|实施条例|机动车驾驶证申领和使用规定|"
        "驾驶证申领和使用规定|申领和使用规定|记分管理办法|机动车登记规定|事故处理程序规定|刑法|"
        "教学与考试大纲|考试大纲|\\p{Han}{2,12}管理(条例|办法|规范)"));
    static const QRegularExpression provision(
        QStringLiteral("^[^。；;《]{0,16}?(第[一二三四五六七八九十百零〇两0-9]+条|附件|附录)"));
    static const QRegularExpression standard(
        QStringLiteral("GB(/T)?\\s*[0-9]+(\\.[0-9]+)?(\\s*[—\\-–]\\s*[0-9]{4})?"));
    // A standard's clause: 4.3 or 5.2.1, 第5章 (its top-level clause), 第4条, 表3, 图2, 附录A.
    static const QRegularExpression clause(
        QStringLiteral("^[\\s，,、（()）的]{0,3}(第\\s*)?([0-9]+(\\.[0-9]+)+|[0-9]+\\s*[条章节]|"
                       "表\\s*[0-9]|图\\s*[0-9]|附录)"));
    static const QRegularExpression anyProvision(
        QStringLiteral("第[一二三四五六七八九十百零〇两0-9]+条|附件|附录"));
    QString rest = explain;
    bool cited = false;
    // A cited standard stands in as a provision for the title in 《》 just before it.
    auto blank = [&](qsizetype from, qsizetype length, const QString& with = {}) {
        rest.replace(from, length, (with + QString(length, u' ')).left(length));
    };
    for (auto it = standard.globalMatch(explain); it.hasNext();) {
        const auto m = it.next();
        if (!clause.match(explain.mid(m.capturedEnd())).hasMatch())
            return QStringLiteral("names %1 without its clause").arg(m.captured(0).simplified());
        cited = true;
        blank(m.capturedStart(), m.capturedLength(), QStringLiteral("第0条"));
    }
    // Names in 《》 first, so that a short name inside a long one is not counted twice.
    for (const QRegularExpression* source : {&book, &name})
        for (auto it = source->globalMatch(rest); it.hasNext();) {
            const auto m = it.next();
            if (!provision.match(rest.mid(m.capturedEnd())).hasMatch())
                return QStringLiteral("names %1 without its article").arg(m.captured(0));
            cited = true;
            blank(m.capturedStart(), m.capturedLength());
        }
    if (cited || anyProvision.match(rest).hasMatch() || explain.contains(QStringLiteral("常识")))
        return {};
    return QStringLiteral("names no provision and does not say 常识");
}

PatternReport measurePatterns(const QList<PatternQuestion>& questions) {
    PatternReport report;
    QList<const PatternQuestion*> judges;
    for (const PatternQuestion& q : questions)
        if (!q.choice && (q.answer == 1 || q.answer == 2)) judges.append(&q);

    for (const QString& word : CueWords()) {
        CueShare share{word, 0, 0};
        for (const PatternQuestion* q : std::as_const(judges))
            if (q->question.contains(word)) {
                ++share.statements;
                share.wrong += q->answer == 2;
            }
        if (share.statements > 0) report.cues.append(share);
    }
    std::stable_sort(
        report.cues.begin(), report.cues.end(),
        [](const CueShare& a, const CueShare& b) { return a.statements > b.statements; });

    // Any other recurring run of two to four characters that leans beyond chance.
    int wrongAll = 0;
    for (const PatternQuestion* q : std::as_const(judges))
        wrongAll += q->answer == 2;
    if (!judges.isEmpty() && wrongAll > 0 && wrongAll < judges.size()) {
        const double p = double(wrongAll) / judges.size();
        QHash<QString, QPair<int, int>> counts; // phrase -> (statements, keyed 错)
        for (const PatternQuestion* q : std::as_const(judges)) {
            const QString text = essence(q->question);
            QSet<QString> seen;
            for (int n = 2; n <= 4; ++n)
                for (qsizetype i = 0; i + n <= text.size(); ++i)
                    seen.insert(text.mid(i, n));
            for (const QString& phrase : std::as_const(seen)) {
                auto& [statements, wrong] = counts[phrase];
                ++statements;
                wrong += q->answer == 2;
            }
        }
        QList<QPair<double, CueShare>> leaning;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            const auto [n, k] = it.value();
            if (n < CueMinStatements || CueWords().contains(it.key())) continue;
            if (k * 100 <= n * CueMaxPercent && (n - k) * 100 <= n * CueMaxPercent) continue;
            const double chance = binomialChance(n, k, p);
            if (chance < PhraseChance) leaning.append({chance, CueShare{it.key(), n, k}});
        }
        std::sort(leaning.begin(), leaning.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : a.second.word < b.second.word;
        });
        for (const auto& entry : std::as_const(leaning)) {
            const CueShare& share = entry.second; // a plain name: lambdas may not capture bindings
            const bool overlaps =
                std::any_of(report.phrases.cbegin(), report.phrases.cend(), [&](const CueShare& s) {
                    return s.word.contains(share.word) || share.word.contains(s.word);
                });
            if (!overlaps) report.phrases.append(share);
            if (report.phrases.size() == 15) break;
        }
    }

    QMap<QString, ChapterShares> chapters;
    for (const PatternQuestion& q : questions) {
        if (!q.choice || q.answer < 1 || q.answer > 4 || q.options.size() != 4) continue;
        ChapterShares& c = chapters[q.chap];
        c.chap = q.chap;
        ++c.choices;
        const int key = q.answer - 1;
        c.longestKeyed += onlyLongest(q.options) == key;
        if (const int careful = onlyCareful(q.options); careful >= 0) {
            ++c.carefulSingle;
            if (careful == key) {
                ++c.carefulKeyed;
                int reckless = 0;
                for (int i = 0; i < 4; ++i)
                    reckless += i != key && containsAny(q.options[i], RecklessWords());
                if (reckless >= 2) report.recklessIds.append(q.id);
            }
        }
        if (const int all = allOfTheAbove(q.options); all >= 0) {
            ++c.allOption;
            c.allKeyed += all == key;
        }
    }
    report.chapters = chapters.values();

    for (const PatternQuestion& q : questions)
        if (const QString problem = citationProblem(q.explain); !problem.isEmpty())
            report.uncited.append(QStringLiteral("%1: %2").arg(q.id, problem));
    return report;
}

const QList<PatternRule>& PatternRules() {
    // `enforced`: the shipped bank meets the rule, so it fails the build; a new rule starts as
    // a report until the bank meets it.
    static const QList<PatternRule> rules = {
        {"cue-words",
         "a word in 8 or more true/false statements leans to one key in more than 70 %", true},
        {"careful-option",
         "a chapter's only careful option is the key in more than 35 % of the "
         "questions that have one",
         true},
        {"reckless-distractors",
         "the key is the only careful option and two or more distractors "
         "are reckless acts",
         true},
        {"all-of-the-above",
         "an \"all of the above\" option is the key in more than half the "
         "questions that offer one",
         true},
        {"citations",
         "an explanation names a source without its article or clause, or names none "
         "and does not say 常识",
         true},
    };
    return rules;
}

bool patternRuleEnforced(const QString& rule) {
    for (const PatternRule& r : PatternRules())
        if (rule == QLatin1String(r.name)) return r.enforced;
    return false;
}

QList<PatternFinding> patternFindings(const PatternReport& report) {
    QList<PatternFinding> findings;
    auto add = [&](const char* rule, const QString& text, const QStringList& ids = {}) {
        findings.append({QString::fromLatin1(rule), text, ids});
    };
    for (const CueShare& cue : report.cues) {
        if (cue.statements < CueMinStatements) continue;
        const int right = cue.statements - cue.wrong;
        if (cue.wrong * 100 > cue.statements * CueMaxPercent ||
            right * 100 > cue.statements * CueMaxPercent)
            add("cue-words", QStringLiteral("'%1' is in %2 true/false statements, %3 keyed 错")
                                 .arg(cue.word)
                                 .arg(cue.statements)
                                 .arg(percent(cue.wrong, cue.statements)));
    }
    for (const ChapterShares& c : report.chapters) {
        if (c.carefulSingle >= CarefulMinQuestions &&
            c.carefulKeyed * 100 > c.carefulSingle * CarefulMaxPercent)
            add("careful-option",
                QStringLiteral("chapter %1: the only careful option is the key in %2 of %3 "
                               "questions (%4)")
                    .arg(c.chap)
                    .arg(c.carefulKeyed)
                    .arg(c.carefulSingle)
                    .arg(percent(c.carefulKeyed, c.carefulSingle)));
        if (c.allKeyed >= AllMinKeyed && c.allKeyed * 100 > c.allOption * AllMaxPercent)
            add("all-of-the-above",
                QStringLiteral("chapter %1: an \"all of the above\" option is the key in %2 of %3 "
                               "questions that offer one")
                    .arg(c.chap)
                    .arg(c.allKeyed)
                    .arg(c.allOption));
    }
    if (!report.recklessIds.isEmpty())
        add("reckless-distractors",
            QStringLiteral("%1 questions: the key is the only careful option among reckless ones")
                .arg(report.recklessIds.size()),
            report.recklessIds);
    if (!report.uncited.isEmpty()) {
        QStringList ids;
        for (const QString& line : report.uncited)
            ids.append(line.section(QLatin1Char(':'), 0, 0));
        add("citations",
            QStringLiteral("%1 explanations cite no provision (a source without its article or "
                           "clause, or no source and no 常识)")
                .arg(report.uncited.size()),
            ids);
    }
    return findings;
}

QMap<QString, GuessScore> guessWithoutKnowledge(const QList<PatternQuestion>& questions) {
    // What a learner who drilled the bank without learning a rule would pick up: which cue words
    // go with which key, which letter is right most often, which rank a number usually has. The
    // figures are the whole bank's, as that learner has seen them all. (Leaving each question
    // out of its own figures would turn every balanced word against the question: with 9 of 18
    // keyed 错, the other 17 lean away from it, and the guesser would score far below chance.)
    QHash<QString, QPair<int, int>> cue; // word -> (statements, keyed 错)
    int judges = 0, judgesWrong = 0;
    QList<int> letters(4, 0);
    QList<int> numberRank(4, 0);
    static const QRegularExpression number(QStringLiteral("[0-9]+(\\.[0-9]+)?"));
    auto rankOf = [&](const PatternQuestion& q) -> QList<int> {
        // The options ordered by the first number each holds; empty when not all hold one.
        QList<QPair<double, int>> values;
        for (int i = 0; i < q.options.size(); ++i) {
            const auto m = number.match(q.options[i]);
            if (!m.hasMatch()) return {};
            values.append({m.captured(0).toDouble(), i});
        }
        std::sort(values.begin(), values.end());
        for (int i = 1; i < values.size(); ++i)
            if (values[i].first == values[i - 1].first) return {};
        QList<int> order;
        for (const auto& v : values)
            order.append(v.second);
        return order;
    };
    for (const PatternQuestion& q : questions) {
        if (q.choice && q.answer >= 1 && q.answer <= 4) {
            ++letters[q.answer - 1];
            if (const QList<int> order = rankOf(q); order.size() == 4)
                ++numberRank[order.indexOf(q.answer - 1)];
        } else if (!q.choice && (q.answer == 1 || q.answer == 2)) {
            ++judges;
            judgesWrong += q.answer == 2;
            for (const QString& word : CueWords())
                if (q.question.contains(word)) {
                    ++cue[word].first;
                    cue[word].second += q.answer == 2;
                }
        }
    }
    static const QStringList absolute = {"只要", "就可以", "即可", "不必", "一直", "一律",
                                         "所有", "任何",   "随意", "无需", "不用", "完全",
                                         "绝对", "总是",   "只需", "无论"};
    QMap<QString, GuessScore> scores;
    for (const PatternQuestion& q : questions) {
        int guess = 0;
        if (q.choice && q.answer >= 1 && q.answer <= 4 && q.options.size() == 4) {
            const QList<int> order = rankOf(q);
            if (const int all = allOfTheAbove(q.options); all >= 0)
                guess = all;
            else if (const int careful = onlyCareful(q.options); careful >= 0)
                guess = careful;
            else if (order.size() == 4)
                guess = order[std::max_element(numberRank.cbegin(), numberRank.cend()) -
                              numberRank.cbegin()];
            else if (const int longest = onlyLongest(q.options); longest >= 0)
                guess = longest;
            else
                guess = std::max_element(letters.cbegin(), letters.cend()) - letters.cbegin();
            for (const QString& key : {q.chap, QString()}) {
                ++scores[key].choices;
                scores[key].choicesRight += guess == q.answer - 1;
            }
        } else if (!q.choice && (q.answer == 1 || q.answer == 2)) {
            // The cue word that leans furthest decides, once seen in a handful of statements.
            double lean = 0;
            for (const QString& word : CueWords()) {
                if (!q.question.contains(word)) continue;
                const auto [n, wrong] = cue.value(word);
                if (n < 5) continue;
                const double share = double(wrong) / n - 0.5;
                if (std::abs(share) > std::abs(lean)) lean = share;
            }
            if (std::abs(lean) < 0.1 && containsAny(q.question, absolute)) lean = 0.5;
            if (std::abs(lean) < 0.1) lean = double(judgesWrong) / judges - 0.5;
            guess = lean > 0 ? 2 : 1;
            for (const QString& key : {q.chap, QString()}) {
                ++scores[key].judges;
                scores[key].judgesRight += guess == q.answer;
            }
        }
    }
    return scores;
}

QStringList patternTables(const PatternReport& report, const QMap<QString, GuessScore>& guess) {
    QStringList lines{QStringLiteral("cue word: true/false statements, share keyed 错")};
    for (const CueShare& c : report.cues)
        lines.append(QStringLiteral("  %1: %2, %3")
                         .arg(c.word)
                         .arg(c.statements)
                         .arg(percent(c.wrong, c.statements)));
    if (!report.phrases.isEmpty()) {
        lines.append(QStringLiteral("other phrases leaning to one key beyond chance:"));
        for (const CueShare& c : report.phrases)
            lines.append(QStringLiteral("  %1: %2, %3")
                             .arg(c.word)
                             .arg(c.statements)
                             .arg(percent(c.wrong, c.statements)));
    }
    lines.append(QStringLiteral("chapter: choice questions; key the only longest option; key the "
                                "only careful option; key an \"all of the above\" option"));
    for (const ChapterShares& c : report.chapters)
        lines.append(QStringLiteral("  %1: %2; %3 (%4); %5 of %6 (%7); %8 of %9")
                         .arg(c.chap)
                         .arg(c.choices)
                         .arg(c.longestKeyed)
                         .arg(percent(c.longestKeyed, c.choices))
                         .arg(c.carefulKeyed)
                         .arg(c.carefulSingle)
                         .arg(percent(c.carefulKeyed, c.carefulSingle))
                         .arg(c.allKeyed)
                         .arg(c.allOption));
    lines.append(QStringLiteral("a guesser by surface cues alone: choice right, true/false right"));
    for (auto it = guess.cbegin(); it != guess.cend(); ++it)
        lines.append(QStringLiteral("  %1: %2 of %3 (%4), %5 of %6 (%7)")
                         .arg(it.key().isEmpty() ? QStringLiteral("all") : it.key())
                         .arg(it->choicesRight)
                         .arg(it->choices)
                         .arg(percent(it->choicesRight, it->choices))
                         .arg(it->judgesRight)
                         .arg(it->judges)
                         .arg(percent(it->judgesRight, it->judges)));
    if (!report.recklessIds.isEmpty())
        lines.append(QStringLiteral("key the only careful option among reckless ones: ") +
                     report.recklessIds.join(QStringLiteral(", ")));
    if (!report.uncited.isEmpty()) {
        lines.append(QStringLiteral("explanations without a provision:"));
        for (const QString& line : report.uncited)
            lines.append(QStringLiteral("  ") + line);
    }
    return lines;
}
