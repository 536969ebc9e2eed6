#include "motors/MotorImport.h"

#include "db/RecordStore.h"
#include "db/StoreTransaction.h"
#include "motors/EngHeader.h"
#include "motors/EngHeaderScanner.h"
#include "motors/FileText.h"
#include "motors/MotorCatalogueWriter.h"
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

CMotorImportResult finished(CMotorImportResult result, CProgressReport &progress)
{
    progress.finishProgress();
    return result;
}

CMotorImportResult withOutcome(CMotorImportResult result, CMotorImportResult::Outcome outcome)
{
    result.outcome = outcome;
    return result;
}

// The store's reason for refusing a write; the transaction is rolled back by its owner.
CMotorImportResult storeFailed(CMotorImportResult result, const CRecordStore &store)
{
    result.outcome = CMotorImportResult::Outcome::StoreFailed;
    result.motors = 0;
    result.logbook = store.path();
    result.storeError = store.lastError();
    result.failure = store.lastErrorIsDiskFull() ? CMotorImportResult::StoreFailure::DiskFull
        : store.lastErrorIsBusy()                ? CMotorImportResult::StoreFailure::Busy
                                                 : CMotorImportResult::StoreFailure::Other;
    return result;
}

// False at the first motor the store refuses. A motor whose curve cannot be
// used is stored without it and counted.
bool storeEngMotors(CRecordStore &store, const CEngHeaderScanner &scanner, CProgressReport &progress,
                    CMotorImportResult &result)
{
    CMotorCatalogueWriter writer(store);
    const QStringList &headers = scanner.headers();
    for (qsizetype i = 0; i < headers.size(); ++i) {
        const QString header = withoutNul(headers.at(i));
        const CMotorValues motor = parseEngHeader(header);
        // A line of one field or of bytes without blanks names no motor.
        if (motor.type.isEmpty()) {
            ++result.skippedHeaders;
            continue;
        }
        const qint64 id = writer.addMotor(motor);
        if (id <= 0)
            return false;
        const CEngCurve &curve = scanner.curves().at(std::size_t(i));
        if (curve.readable && thrustCurveProblem(curve.points).isEmpty()) {
            if (!writer.addCurve(id, curve.points, curve.text, parseEngMasses(header)))
                return false;
        } else {
            ++result.unusableCurves;
        }
        reportMotor(progress, ++result.motors);
    }
    return true;
}

// An exported empty value is one blank; longer values are cut like a header line.
QString csvMotorValue(QString value)
{
    if (value == QLatin1String(" "))
        return QString(QLatin1String(""));
    if (value.size() > kMaxMotorFileText) {
        qsizetype cut = kMaxMotorFileText;
        if (value.at(cut - 1).isHighSurrogate())
            --cut;
        value.truncate(cut);
    }
    return value;
}

enum class CsvStored { Stored, NoColumns, StoreFailed };

CsvStored storeCsvMotors(CRecordStore &store, const QString &text, CProgressReport &progress,
                         CMotorImportResult &result)
{
    QStringList columns;
    bool headerPending = true;
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
        QStringList values = csvLineValues(line);
        if (headerPending) {
            columns = motorCsvColumns(values);
            if (columns.isEmpty())
                return CsvStored::NoColumns;
            headerPending = false;
            continue;
        }
        if (values.size() != columns.size())
            continue;
        for (QString &value : values)
            value = csvMotorValue(value);
        if (!store.RunSql(motorCsvInsert(columns, values)) || !store.Update())
            return CsvStored::StoreFailed;
        reportMotor(progress, ++result.motors);
    }
    return headerPending ? CsvStored::NoColumns : CsvStored::Stored;
}
} // namespace

QString CMotorImportResult::message() const
{
    switch (outcome) {
    case Outcome::Unreadable:
        return {};
    case Outcome::NothingLoaded:
    case Outcome::Imported: {
        QString text = outcome == Outcome::Imported ? QStringLiteral("Motors Extracted =%1").arg(motors)
                                                    : QStringLiteral("Nothing loaded from file");
        if (skippedHeaders > 0)
            text += QStringLiteral("\nSkipped %1 motor header(s) without a type").arg(skippedHeaders);
        if (unusableCurves > 0)
            text += QStringLiteral("\n%1 motor(s) stored without a thrust curve (no points, time going back or "
                                   "negative thrust)")
                        .arg(unusableCurves);
        return text;
    }
    case Outcome::StoreFailed: {
        const QString nothing = QStringLiteral(": nothing of %1 was imported.").arg(file);
        switch (failure) {
        case StoreFailure::DiskFull:
            return QStringLiteral("The disk is full") + nothing;
        case StoreFailure::Busy:
            return QStringLiteral("The logbook %1 is busy (another program is writing to it)").arg(logbook) + nothing;
        case StoreFailure::Other:
            break;
        }
        return QStringLiteral("The logbook %1 could not be written (%2)").arg(logbook, storeError) + nothing;
    }
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
    CMotorImportResult result;
    result.file = path;

    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return finished(result, progress);

    CEngHeaderScanner scanner;
    QByteArray csvBytes;
    char block[kBlockSize];
    qint64 total = 0;
    while (true) {
        const qint64 length = file.read(block, kBlockSize);
        if (length < 0)
            return finished(result, progress);
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
        return finished(withOutcome(result, CMotorImportResult::Outcome::NothingLoaded), progress);

    progress.showProgress(QStringLiteral("Preparing to Extract data"));
    CStoreTransaction transaction(store);
    if (!transaction.isActive())
        return finished(storeFailed(result, store), progress);
    if (kind == FileKind::Eng) {
        if (!storeEngMotors(store, scanner, progress, result))
            return finished(storeFailed(result, store), progress);
        if (result.motors == 0 && result.skippedHeaders > 0)
            return finished(withOutcome(result, CMotorImportResult::Outcome::NothingLoaded), progress);
    } else if (kind == FileKind::Csv) {
        switch (storeCsvMotors(store, csvText, progress, result)) {
        case CsvStored::Stored:
            break;
        case CsvStored::NoColumns: // the transaction rolls back; nothing was stored
            return finished(withOutcome(result, CMotorImportResult::Outcome::NothingLoaded), progress);
        case CsvStored::StoreFailed:
            return finished(storeFailed(result, store), progress);
        }
    }
    // The result is built before the transaction ends: its rollback keeps the
    // store's reason, and a failed commit is the store's to explain.
    if (!transaction.commit())
        return finished(storeFailed(result, store), progress);
    return finished(withOutcome(result, CMotorImportResult::Outcome::Imported), progress);
}
