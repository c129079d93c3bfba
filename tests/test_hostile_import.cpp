// The import under hostile input: every crafted case, then bounded random mutations of a
// valid file. A refused import changes nothing; an accepted one leaves a usable bank.
#include "ImportProbe.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

class HostileImportTest : public QObject {
    Q_OBJECT

  private slots:
    void craftedCases_data() {
        QTest::addColumn<QString>("file");
        const QDir corpus(QStringLiteral(FUZZ_CORPUS));
        for (const QString& name : corpus.entryList(QDir::Files))
            QTest::newRow(qPrintable(name)) << corpus.filePath(name);
        QVERIFY(corpus.entryList(QDir::Files).size() >= 10);
    }
    void craftedCases() {
        QFETCH(QString, file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QTemporaryDir work;
        const QString broken = probeImport(f.readAll(), work.path());
        QVERIFY2(broken.isEmpty(), qPrintable(broken));
    }

    void randomMutations() {
        QFile f(QStringLiteral(FUZZ_CORPUS "/valid.csv"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray valid = f.readAll();
        const QByteArray alphabet(",\"\r\n\t'%_\\;\x00\xff\xe4\xb8\xad", 15);
        QRandomGenerator random(20261206); // fixed: a failure can be replayed
        QTemporaryDir work;
        for (int round = 0; round < 300; ++round) {
            QByteArray input = valid;
            const int edits = 1 + random.bounded(6);
            for (int e = 0; e < edits; ++e) {
                const int at = random.bounded(qMax<int>(1, input.size()));
                switch (random.bounded(4)) {
                case 0:
                    input[at] = alphabet[random.bounded(alphabet.size())];
                    break;
                case 1:
                    input.insert(at, alphabet[random.bounded(alphabet.size())]);
                    break;
                case 2:
                    input.remove(at, 1 + random.bounded(8));
                    break;
                default:
                    input[at] = char(random.bounded(256));
                    break;
                }
            }
            const QString broken = probeImport(input, work.path());
            QVERIFY2(broken.isEmpty(),
                     qPrintable(QStringLiteral("round %1: %2").arg(round).arg(broken)));
        }
    }
};

QTEST_MAIN(HostileImportTest)
#include "test_hostile_import.moc"
