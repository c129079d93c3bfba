// A learner's program that only shares: sends a bank's rows to a school's server until it is
// killed, so a test can cut it off in the middle of a batch.
//   schoolsend BANK HOST PORT DATABASE ROLE PASSWORD BATCH_ROWS
#include "school/SchoolSync.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 8) return 2;
    School::JoinDetails join;
    join.host = a[2];
    join.port = a[3].toInt();
    join.database = a[4];
    join.role = a[5];
    join.password = a[6];
    SyncTuning tuning;
    tuning.batchRows = a[7].toInt();
    tuning.pollMs = 50;
    SchoolSync sync(a[1], join, tuning);
    return app.exec();
}
