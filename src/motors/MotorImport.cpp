#include "motors/MotorImport.h"

#include "db/RecordStore.h"
#include "db/StoreTransaction.h"
#include "motors/EngHeader.h"
#include "motors/EngHeaderScanner.h"
#include "motors/FileText.h"
#include "motors/MotorCsv.h"
#include "motors/MotorTable.h"
#include "ui/ProgressReport.h"

#include <QFile>
#include <QFileInfo>

namespace {
constexpr qsizetype kBlockSize = 4096;

enum class FileKind { Eng, Csv, Other };

FileKind fileKind(const QString &path)
{
    const QString ending = path.right(3).toUpper();
    if (ending == QLatin1String("ENG"))
        return FileKind::Eng;
    if (ending == QLatin1String("CSV"))
        return FileKind::Csv;
    return FileKind::Other;
}

// NUL would end the statement text early in the engine; it is never part of a motor.
QString withoutNul(QString text)
{
    text.remove(QChar(0));
    return text;
}

void reportMotor(CProgressReport &progress, int count)
{
    progress.showProgress(QStringLiteral("Extracted\n") + QString::number(count) + QStringLiteral("\nMotors"));
}

CMotorImportResult nothingLoaded(CProgressReport &progress)
{
    progress.finishProgress();
    return {CMotorImportResult::Outcome::NothingLoaded, 0};
}

int storeEngMotors(CRecordStore &store, const QStringList &headers, CProgressReport &progress)
{
    int stored = 0;
    for (const QString &header : headers) {
        CMotorValues motor = parseEngHeader(withoutNul(header));
        if (store.RunSql(addMotorStatement(motor)) && store.Update())
            ++stored;
        reportMotor(progress, stored);
    }
    return stored;
}

// -1 when there is no first line naming motor columns.
int storeCsvMotors(CRecordStore &store, const QString &text, CProgressReport &progress)
{
    QStringList columns;
    bool headerPending = true;
    int stored = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size(); // a last line without its line feed still counts
        QStringView line = QStringView(text).mid(start, end - start);
        start = end + 1;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList values = csvLineValues(line);
        if (headerPending) {
            columns = motorCsvColumns(values);
            if (columns.isEmpty())
                return -1;
            headerPending = false;
            continue;
        }
        if (values.size() == columns.size() && store.RunSql(motorCsvInsert(columns, values)) && store.Update())
            ++stored;
        reportMotor(progress, stored);
    }
    return headerPending ? -1 : stored;
}
} // namespace

QString CMotorImportResult::message() const
{
    switch (outcome) {
    case Outcome::Unreadable:
        return {};
    case Outcome::NothingLoaded:
        return QStringLiteral("Nothing loaded from file");
    case Outcome::Imported:
        return QStringLiteral("Motors Extracted =%1").arg(motors);
    }
    return {};
}

QString CMotorImportResult::caption() const
{
    return outcome == Outcome::Imported ? QStringLiteral("Success") : QStringLiteral("Error");
}

CMotorImportResult importMotorFile(CRecordStore &store, const QString &path, CProgressReport &progress)
{
    const FileKind kind = fileKind(path);
    progress.showProgress(QStringLiteral("Prepare to open file"));

    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        progress.finishProgress();
        return {};
    }

    CEngHeaderScanner scanner;
    QByteArray csvBytes;
    char block[kBlockSize];
    qint64 total = 0;
    while (true) {
        const qint64 length = file.read(block, kBlockSize);
        if (length < 0) {
            progress.finishProgress();
            return {};
        }
        total += length;
        progress.showProgress(QStringLiteral("Read\n") + QString::number(total) + QStringLiteral("\nBytes"));
        if (kind == FileKind::Eng)
            scanner.feed(block, length);
        else if (kind == FileKind::Csv)
            csvBytes.append(block, length);
        if (length < kBlockSize)
            break;
    }
    file.close();

    // Decoded whole, so that a character split by a block boundary survives.
    const QString csvText = kind == FileKind::Csv ? withoutNul(decodeFileText(csvBytes)) : QString();
    csvBytes.clear();
    if ((kind == FileKind::Eng && scanner.headers().isEmpty()) || (kind == FileKind::Csv && csvText.isEmpty()))
        return nothingLoaded(progress);

    progress.showProgress(QStringLiteral("Preparing to Extract data"));
    CStoreTransaction transaction(store);
    if (!transaction.isActive()) {
        progress.finishProgress();
        return {};
    }
    int stored = 0;
    if (kind == FileKind::Eng) {
        stored = storeEngMotors(store, scanner.headers(), progress);
    } else if (kind == FileKind::Csv) {
        stored = storeCsvMotors(store, csvText, progress);
        if (stored < 0)
            return nothingLoaded(progress); // the transaction rolls back; nothing was stored
    }
    if (!transaction.commit()) {
        progress.finishProgress();
        return {};
    }
    progress.finishProgress();
    return {CMotorImportResult::Outcome::Imported, stored};
}
