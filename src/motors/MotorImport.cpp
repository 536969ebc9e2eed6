#include "motors/MotorImport.h"

#include "db/RecordStore.h"
#include "db/StoreTransaction.h"
#include "motordata/EngHeader.h"
#include "motordata/EngReader.h"
#include "motordata/FileText.h"
#include "motors/MotorCatalogueWriter.h"
#include "motors/MotorCsv.h"
#include "platform/RegularFile.h"
#include "ui/ProgressReport.h"

namespace {
constexpr qsizetype kBlockSize = 4096;
constexpr qint64 kBytesPerMegabyte = qint64(1024) * 1024;
// The notes a message shows; the rest are counted.
constexpr qsizetype kShownNotes = 8;

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

CMotorImportResult unreadable(CMotorImportResult result, const QString &why)
{
    result.outcome = CMotorImportResult::Outcome::Unreadable;
    result.readError = why;
    return result;
}

CMotorImportResult refused(CMotorImportResult result, const QString &why)
{
    result.outcome = CMotorImportResult::Outcome::Refused;
    result.refusal = why;
    return result;
}

// The store's reason for refusing a write; the transaction is rolled back by its owner.
CMotorImportResult storeFailed(CMotorImportResult result, const CRecordStore &store)
{
    result.outcome = CMotorImportResult::Outcome::StoreFailed;
    result.motors = 0;
    result.storeError = store.lastError();
    result.storeDetail = store.lastSqliteError();
    return result;
}

QString refusalOf(FileOpening opening, const QString &path)
{
    switch (opening) {
    case FileOpening::Folder:
        return QStringLiteral("%1 is a folder, not a motor file.").arg(path);
    case FileOpening::NotAFile:
        return QStringLiteral("%1 is not a file but a device or a pipe, so nothing was read from it.").arg(path);
    case FileOpening::TooLarge:
        return QStringLiteral("%1 is larger than %2 MB, too large for a motor file; nothing was imported.")
            .arg(path)
            .arg(kMaxMotorFileBytes / kBytesPerMegabyte);
    case FileOpening::Opened:
    case FileOpening::Unreadable:
        break;
    }
    return {};
}

QString notTextRefusal(const QString &path, int line)
{
    return QStringLiteral("%1 is not a text file (line %2 holds a control character), so it is no motor file; "
                          "nothing was imported.")
        .arg(path)
        .arg(line);
}

// False at the first motor the store refuses. A motor whose thrust data cannot
// be used is stored without it, and named with the reason.
bool storeEngMotors(CRecordStore &store, const CEngReader &reader, CProgressReport &progress,
                    CMotorImportResult &result)
{
    CMotorCatalogueWriter writer(store);
    for (const CEngMotor &motor : reader.motors()) {
        CEngMasses masses;
        const CMotorValues values = parseEngHeader(motor.header, &masses);
        const qint64 id = writer.addMotor(values);
        if (id <= 0)
            return false;
        CMotorFigures figures;
        const QString problem =
            motor.dataProblem.isEmpty() ? thrustCurveProblem(motor.points, &figures) : motor.dataProblem;
        if (problem.isEmpty()) {
            if (!writer.addCurve(id, &values, figures, motor.text, masses))
                return false;
        } else {
            ++result.curvesNotKept;
            result.notes.append(QStringLiteral("%1 (line %2) was stored without its thrust curve: %3.")
                                    .arg(values.type)
                                    .arg(motor.line)
                                    .arg(problem));
        }
        reportMotor(progress, ++result.motors);
    }
    return true;
}

// Lines that are not motor headers where one was due: named, as the flyer may
// have meant a motor there.
void noteStrayLines(const CEngReader &reader, CMotorImportResult &result)
{
    QStringList notes;
    for (const CEngStrayLine &stray : reader.strayLines()) {
        const QString text = stray.text.size() > 40 ? stray.text.left(40) + QStringLiteral("...") : stray.text;
        notes.append(QStringLiteral("Line %1 is not a motor header (no type, diameter or length): \"%2\".")
                         .arg(stray.line)
                         .arg(text));
    }
    if (reader.headlessDataLines() > 0)
        notes.append(QStringLiteral("%1 line(s) of thrust data have no motor header above them.")
                         .arg(reader.headlessDataLines()));
    result.notes = notes + result.notes;
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
    int lineNumber = 0;
    while (start < text.size()) {
        // LF, CR LF or CR alone ends a line; the last line needs none.
        qsizetype end = start;
        while (end < text.size() && text.at(end) != QLatin1Char('\n') && text.at(end) != QLatin1Char('\r'))
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start);
        start = end + (text.mid(end, 2) == QLatin1String("\r\n") ? 2 : 1);
        ++lineNumber;
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
        if (values.size() != columns.size()) {
            result.notes.append(QStringLiteral("Line %1 holds %2 quoted value(s) where the first line names %3 "
                                               "column(s); it was left out.")
                                    .arg(lineNumber)
                                    .arg(values.size())
                                    .arg(columns.size()));
            continue;
        }
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
    case Outcome::Refused:
        return refusal;
    case Outcome::NothingLoaded:
    case Outcome::Imported: {
        QStringList lines {outcome == Outcome::Imported ? QStringLiteral("Motors Extracted =%1").arg(motors)
                                                        : QStringLiteral("Nothing loaded from file")};
        lines += notes.mid(0, kShownNotes);
        if (notes.size() > kShownNotes)
            lines.append(QStringLiteral("... and %1 more.").arg(notes.size() - kShownNotes));
        return lines.join(QLatin1Char('\n'));
    }
    case Outcome::StoreFailed:
        return QStringLiteral("Nothing of %1 was imported: %2.").arg(file, storeError);
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

    CRegularFile file(path, kMaxMotorFileBytes);
    const FileOpening opening = file.opening();
    if (opening == FileOpening::Unreadable)
        return finished(unreadable(result, file.error()), progress);
    if (opening != FileOpening::Opened)
        return finished(refused(result, refusalOf(opening, path)), progress);

    CEngReader reader;
    QByteArray csvBytes;
    char block[kBlockSize];
    qint64 total = 0;
    while (true) {
        const qint64 length = file.read(block, kBlockSize);
        if (length < 0 && file.opening() == FileOpening::TooLarge) // grown since it was opened
            return finished(refused(result, refusalOf(FileOpening::TooLarge, path)), progress);
        if (length < 0)
            return finished(unreadable(result, file.error()), progress);
        total += length;
        progress.showProgress(QStringLiteral("Read\n") + QString::number(total) + QStringLiteral("\nBytes"));
        if (kind == FileKind::Eng)
            reader.feed(block, length);
        else if (kind == FileKind::Csv)
            csvBytes.append(block, length);
        if (length < kBlockSize)
            break;
    }
    file.close();
    reader.finish();

    const int binaryLine =
        kind == FileKind::Csv ? firstControlLine(csvBytes.constData(), csvBytes.size()) : reader.binaryLine();
    if (binaryLine > 0)
        return finished(refused(result, notTextRefusal(path, binaryLine)), progress);
    // Decoded whole, so that a character split by a block boundary survives.
    const QString csvText = kind == FileKind::Csv ? decodeFileText(csvBytes) : QString();
    csvBytes.clear();
    if (kind == FileKind::Eng)
        noteStrayLines(reader, result);
    if ((kind == FileKind::Eng && reader.motors().empty()) || (kind == FileKind::Csv && csvText.isEmpty()))
        return finished(withOutcome(result, CMotorImportResult::Outcome::NothingLoaded), progress);

    progress.showProgress(QStringLiteral("Preparing to Extract data"));
    CStoreTransaction transaction(store);
    if (!transaction.isActive())
        return finished(storeFailed(result, store), progress);
    if (kind == FileKind::Eng) {
        if (!storeEngMotors(store, reader, progress, result))
            return finished(storeFailed(result, store), progress);
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
