#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

class CRecordStore;

// A Cd fitted to one recorded flight (its Launches rowid).
struct CFittedCd
{
    qint64 flightId = 0;
    double cd = 0;
};

// A rocket's drag as the logbook keeps it (RocketDragTables.h).
struct CRocketDrag
{
    std::optional<double> cd; // set by the flyer
    std::optional<double> guideM; // set by the flyer
    std::vector<CFittedCd> fitted; // in flight order
};

// Reads and writes the rockets' drag by the rocket's number. Every value is
// bound; a write runs under the store's rules (within its open transaction,
// refused after a failed write). A failure leaves lastError saying why.
class CRocketDragStore
{
public:
    explicit CRocketDragStore(CRecordStore &store);

    // False when the rocket's rows cannot be read.
    [[nodiscard]] bool load(qint64 rocketNumber, CRocketDrag &drag);

    // Sets the rocket's own Cd or guide length (m), or clears it (nullopt) so
    // that the prediction's choice applies again. A value that is not a
    // number, or below 0, is refused without writing.
    [[nodiscard]] bool storeCd(qint64 rocketNumber, std::optional<double> cd);
    [[nodiscard]] bool storeGuide(qint64 rocketNumber, std::optional<double> guideM);

    // Keeps the Cd fitted to a flight of the rocket, replacing an earlier fit
    // of the same flight, so that fitting a flight again does not weigh it twice.
    [[nodiscard]] bool storeFittedCd(qint64 rocketNumber, qint64 flightId, double cd);
    [[nodiscard]] bool removeFittedCd(qint64 flightId);

    QString lastError() const { return m_error; }

private:
    bool storeColumn(const char *column, const char *what, qint64 rocketNumber, std::optional<double> value);
    bool fail(const QString &error);
    bool failStore();

    CRecordStore &m_store;
    QString m_error;
};
