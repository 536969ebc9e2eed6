#include "queries/QueryExport.h"

#include "db/RecordStore.h"
#include "queries/QueryText.h"
#include "queries/SavedQueries.h"

#include <QSaveFile>
#include <QStringEncoder>

namespace {
struct ExportPieces
{
    QLatin1String opening;
    QLatin1String lineStart;
    QLatin1String separator;
    QLatin1String lineEnd;
    QLatin1String closing;
};

const ExportPieces kCsvPieces = {QLatin1String(""), QLatin1String("\""), QLatin1String("\",\""),
                                 QLatin1String("\"\r\n"), QLatin1String("")};

const ExportPieces kHtmlPieces = {
    QLatin1String("<HTML><HEAD><TITLE>Tarvel Data</TITLE></HEAD><BODY><TABLE BORDER = 1 WIDTH=\"100%\"><TR><TD "
                  "ALIGN=\"CENTER\" VALIGN=\"MIDDLE\">"),
    QLatin1String("<TR><TD>"), QLatin1String("</TD><TD>"), QLatin1String("</TD></TR>"),
    QLatin1String("</TD></TR></TABLE></BODY></HTML>")};

// An empty value is written as one space, so that no cell or field collapses.
void appendValue(QString &out, ExportFormat format, const QString &value)
{
    if (value.isEmpty()) {
        out += QLatin1Char(' ');
        return;
    }
    if (format == ExportFormat::Csv) {
        if (!value.contains(QLatin1Char('"'))) {
            out += value;
            return;
        }
        for (const QChar c : value) {
            if (c == QLatin1Char('"'))
                out += QLatin1Char('"');
            out += c;
        }
        return;
    }
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        default:
            out += c;
        }
    }
}
} // namespace

ExportFormat exportFormatForPath(const QString &path)
{
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return ExportFormat::Csv;
    if (path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        return ExportFormat::Html;
    return ExportFormat::None;
}

bool writeExportContent(ExportFormat format, CRecordStore &store, QIODevice &device)
{
    if (format == ExportFormat::None)
        return true;
    const ExportPieces &pieces = format == ExportFormat::Csv ? kCsvPieces : kHtmlPieces;
    // Written in blocks as the rows are read: a large result is never held
    // whole a second time, in UTF-16 or in UTF-8.
    constexpr qsizetype kBlock = 1 << 16;
    QStringEncoder encoder(QStringEncoder::Utf8);
    QString text;
    QByteArray bytes;
    bool ok = true;
    auto flush = [&] {
        bytes.resize(encoder.requiredSpace(text.size()));
        const char *end = encoder.appendToBuffer(bytes.data(), text);
        const qsizetype size = end - bytes.constData();
        ok = ok && device.write(bytes.constData(), size) == size;
        text.clear();
    };

    text += pieces.opening;
    store.MoveFirst();
    if (!store.IsEOF()) {
        const int fields = store.FieldCount();
        auto appendLine = [&](auto valueOf) {
            text += pieces.lineStart;
            for (int c = 0; c < fields; ++c) {
                if (c > 0)
                    text += pieces.separator;
                appendValue(text, format, valueOf(c));
            }
            text += pieces.lineEnd;
            if (text.size() >= kBlock)
                flush();
        };
        appendLine([&](int c) { return store.GetFieldName(c); });
        for (; ok && !store.IsEOF(); store.MoveNext())
            appendLine([&](int c) { return store.GetFieldText(c); });
    }
    text += pieces.closing;
    flush();
    return ok;
}

ExportStatus exportSavedQuery(CRecordStore &store, int index, const QString &path, QString *message)
{
    const ExportFormat format = exportFormatForPath(path);
    CSavedQuery query;
    if (format == ExportFormat::None || !savedQueryAt(store, index, &query) || query.sql.isEmpty())
        return ExportStatus::NothingToWrite;

    if (store.statementAccess(query.sql) == CRecordStore::StatementAccess::Writes) {
        *message = queryWritesMessage(query.name);
        return ExportStatus::QueryWrites;
    }
    // RunSql prepares the whole text before running any of it, so text that
    // does not prepare fails here without touching the logbook.
    if (!store.RunSql(query.sql)) {
        *message = queryFailedMessage(query.name, store.lastError());
        return ExportStatus::QueryFailed;
    }
    QSaveFile file(path);
    // Unbuffered, so that a short write (disk full, file size limit) is seen at
    // once: a buffered QSaveFile can commit a cut-off file as if it were whole.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !writeExportContent(format, store, file)
        || !file.commit()) {
        *message = QStringLiteral("The file %1 cannot be written.\n%2").arg(path, file.errorString());
        file.cancelWriting();
        return ExportStatus::FileFailed;
    }
    return ExportStatus::Written;
}
