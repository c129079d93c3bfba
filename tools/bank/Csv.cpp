#include "Csv.h"

#include "Safety.h"

#include <QFile>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <algorithm>
#include <climits>
#include <csv.h>
#include <memory>
#include <optional>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

struct Reader {
    CsvFile* out = nullptr;
    QList<QVariant> cells;
    int line = 1;
    int start = 0; // 0 while no record has begun
};

// A record begins on the line of its first byte; a quoted cell may carry it over several.
void beginRecord(Reader& r) {
    if (r.start == 0) r.start = r.line;
}

bool hasText(const char* from, qsizetype size) {
    for (qsizetype i = 0; i < size; ++i)
        if (from[i] != '\r' && from[i] != '\n') return true;
    return false;
}

void onCell(void* text, size_t size, void* data) {
    auto& r = *static_cast<Reader*>(data);
    beginRecord(r);
    r.cells.append(
        text ? QVariant(QString::fromUtf8(static_cast<const char*>(text), qsizetype(size)))
             : QVariant());
}

void onRecordEnd(int, void* data) {
    auto& r = *static_cast<Reader*>(data);
    beginRecord(r);
    const bool blank = std::all_of(r.cells.cbegin(), r.cells.cend(), [](const QVariant& cell) {
        return cell.toString().trimmed().isEmpty();
    });
    if (!blank) r.out->records.append({r.start, r.cells});
    r.cells.clear();
    r.start = 0;
}

// Spaces belong to the cell: a spreadsheet keeps them.
int noSpace(unsigned char) {
    return 0;
}

// Share of two-byte characters outside the GB2312 area (A1A1–F7FE): GBK text in Chinese
// sits almost wholly inside it, while Big5 or Shift-JIS bytes read as GBK land outside.
bool looksLikeOtherCodePage(const QByteArray& bytes) {
    qsizetype pairs = 0, outside = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x81) continue;
        const auto trail = static_cast<unsigned char>(bytes[i + 1]);
        if (trail >= 0x30 && trail <= 0x39) { // a four-byte GB18030 sequence
            i += 3;
            continue;
        }
        ++pairs;
        if (lead < 0xA1 || lead > 0xF7 || trail < 0xA1) ++outside;
        ++i;
    }
    return pairs >= 4 && outside * 5 > pairs;
}

#ifdef Q_OS_WIN
// Qt reads GB18030 through ICU, which Qt for Windows is built without; Windows itself knows it
// as code page 54936, or (wine) only its GBK part, 936, which is what Chinese Excel saves.
// Nothing when the bytes are not such text.
std::optional<QString> fromGb18030(const QByteArray& bytes, QString& name) {
    const bool whole = IsValidCodePage(54936);
    const UINT page = whole ? 54936 : 936;
    name = QLatin1String(whole ? "GB18030" : "GBK");
    if (bytes.isEmpty() || bytes.size() > INT_MAX) return {};
    const int size = int(bytes.size());
    const int length =
        MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.constData(), size, nullptr, 0);
    if (length <= 0) return {};
    QString text(length, Qt::Uninitialized);
    if (MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.constData(), size,
                            reinterpret_cast<wchar_t*>(text.data()), length) != length)
        return {};
    return text;
}
#endif

// The file's text as UTF-8, or an error.
QByteArray toUtf8(const QByteArray& bytes, CsvFile& out) {
    constexpr auto whole = QStringDecoder::Flag::Stateless; // a cut-off last character is an error
    auto decode = [&](QStringDecoder& decoder, QByteArrayView text, const QString& name) {
        const QString decoded = decoder.decode(text);
        if (decoder.hasError()) {
            out.error = QStringLiteral("the file is not valid %1 text").arg(name);
            return QByteArray();
        }
        out.encoding = name;
        return decoded.toUtf8();
    };
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringDecoder::Utf8, whole);
        return decode(utf8, QByteArrayView(bytes).sliced(3), QStringLiteral("UTF-8"));
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        // What Excel's "Unicode text" export writes.
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                          : QStringDecoder::Utf16BE,
                             whole);
        return decode(utf16, QByteArrayView(bytes).sliced(2), QStringLiteral("UTF-16"));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, whole);
    if (const QString decoded = utf8.decode(bytes); !utf8.hasError()) {
        out.encoding = QStringLiteral("UTF-8");
        return bytes;
    }
    // Not UTF-8: what Chinese Excel writes (GB18030 includes GBK).
#ifdef Q_OS_WIN
    QByteArray text;
    QString name;
    if (const std::optional<QString> decoded = fromGb18030(bytes, name)) {
        text = decoded->toUtf8();
        out.encoding = name;
    } else {
        out.error = QStringLiteral("the file is neither UTF-8 nor GB18030 text");
    }
#else
    QStringDecoder gb18030("GB18030", whole);
    if (!gb18030.isValid()) {
        out.error = QStringLiteral("the file is not UTF-8, and this system cannot read GB18030");
        return {};
    }
    const QByteArray text = decode(gb18030, bytes, QStringLiteral("GB18030"));
#endif
    if (!out.error.isEmpty())
        out.error = QStringLiteral("the file is neither UTF-8 nor GB18030 text");
    else if (looksLikeOtherCodePage(bytes))
        out.warning = QStringLiteral(
            "read as GB18030, but many characters are rare ones: if the text looks garbled, the "
            "file may be Big5 or Shift-JIS; save it as UTF-8 and import it again");
    return text;
}

} // namespace

CsvFile readCsv(const QString& file) {
    CsvFile out;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        out.error = QStringLiteral("cannot read the file: %1").arg(f.errorString());
        return out;
    }
    const QByteArray text = toUtf8(f.readAll(), out);
    if (!out.error.isEmpty()) return out;

    const QByteArray header = text.left(text.indexOf('\n'));
    out.delimiter = header.count('\t') > header.count(',') ? '\t' : ',';

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_EMPTY_IS_NULL) != 0) {
        out.error = QStringLiteral("out of memory");
        return out;
    }
    std::unique_ptr<csv_parser, void (*)(csv_parser*)> owner(&parser, csv_free);
    csv_set_delim(&parser, static_cast<unsigned char>(out.delimiter));
    csv_set_space_func(&parser, noSpace);
    Reader reader;
    reader.out = &out;
    // One line at a time, so that every record knows the line it starts on.
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype newline = text.indexOf('\n', from);
        const qsizetype end = newline < 0 ? text.size() : newline + 1;
        const qsizetype size = end - from;
        if (hasText(text.constData() + from, size)) beginRecord(reader);
        if (csv_parse(&parser, text.constData() + from, size_t(size), onCell, onRecordEnd,
                      &reader) != size_t(size)) {
            out.error =
                csv_error(&parser) == CSV_EPARSE
                    ? QStringLiteral("a quote in the middle of a cell, or text after a "
                                     "closing quote (a quote inside a cell is written \"\")")
                    : QString::fromUtf8(csv_strerror(csv_error(&parser)));
            out.errorLine = reader.line;
            return out;
        }
        from = end;
        ++reader.line;
    }
    if (csv_fini(&parser, onCell, onRecordEnd, &reader) != 0) {
        out.error = QStringLiteral("a quoted cell is never closed");
        out.errorLine = reader.start;
    }
    return out;
}

QByteArray csvCell(const QVariant& value, char delimiter) {
    if (value.isNull()) return {};
    const QByteArray text = value.toString().toUtf8();
    const bool plain = !text.isEmpty() && !text.contains(delimiter) && !text.contains('"') &&
                       !text.contains('\n') && !text.contains('\r') && text.front() != ' ' &&
                       text.back() != ' ';
    if (plain) return text;
    return '"' + QByteArray(text).replace("\"", "\"\"") + '"';
}

namespace {

bool startsFormula(const QString& text) {
    static const QString leads = QStringLiteral("=+-@\t\r'");
    return !text.isEmpty() && leads.contains(text.front());
}

} // namespace

QString defused(const QString& text) {
    return startsFormula(text) ? QLatin1Char('\'') + text : text;
}

QString undefused(const QString& text) {
    return text.startsWith(QLatin1Char('\'')) && startsFormula(text.mid(1)) ? text.mid(1) : text;
}

QString writeCsvFile(const QString& file, const QStringList& header, QSqlQuery& rows, int* count) {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return writeProblem(file, out);
    // Excel takes a file without the mark for the local code page.
    QByteArray line("\xEF\xBB\xBF");
    for (int i = 0; i < header.size(); ++i)
        line += (i ? "," : "") + csvCell(header[i]);
    // QSaveFile overlooks a failure of its last flush: flush first and check.
    bool written = out.write(line + "\r\n") == line.size() + 2;
    *count = 0;
    while (rows.next()) {
        line.clear();
        for (int i = 0; i < header.size(); ++i) {
            const QVariant value = rows.value(i);
            line += (i ? "," : "") +
                    csvCell(value.isNull() ? value : QVariant(defused(value.toString())));
        }
        written = written && out.write(line + "\r\n") == line.size() + 2;
        ++*count;
    }
    if (rows.lastError().isValid()) return rows.lastError().text();
    if (!written || !out.flush() || !out.commit()) return writeProblem(file, out);
    return {};
}
