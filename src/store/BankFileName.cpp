#include "BankFileName.h"

#include <QFileInfo>
#include <QUrl>

void setBankFile(QSqlDatabase& db, const QString& file, const QString& options) {
    const QFileInfo info(file);
    if (QFileInfo(info.absolutePath()).isWritable()) {
        db.setDatabaseName(file);
        db.setConnectOptions(options);
        return;
    }
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    url.setQuery(QStringLiteral("mode=ro&immutable=1"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY") +
                         (options.isEmpty() ? QString() : QLatin1Char(';') + options));
}
