#pragma once

#include <QString>
#include <QStringList>

class CRecordStore;

// What the rocket page shows for its current rocket.
struct CRocketView
{
    bool empty = true;
    QString rocketId = QStringLiteral("0");
    QString name;
    QString checklist;
    QString imageName;
    QString summary;
    // The recommended-motor entries, the blank first entry of launch mode included.
    QStringList motorEntries;
    // Index into motorEntries of the chosen entry, -1 for none.
    int motorEntryIndex = -1;
    QString motorText;
    QString motorMfg = QStringLiteral("Manufacturer");
    QString motorDelay;
    QString motorAlt;
    // The chosen motor's type, for a rocket flying one motor; empty for a
    // staged or clustered set.
    QString motorType;
};

// The rocket page's state without its widgets: the list of rockets, the current
// position in it and the chosen recommended motor, read through a borrowed store.
class CRocketBrowser
{
public:
    enum class Mode { Browse, Launch };

    CRocketBrowser(CRecordStore &store, Mode mode);

    Mode mode() const { return m_mode; }
    QString listQuery() const { return m_listQuery; }
    int position() const { return m_position; }
    void setPosition(int position) { m_position = position; }
    int motorSelection() const { return m_motorSelection; }
    const CRocketView &view() const { return m_view; }

    // The names of the saved rocket queries; resets the list to every rocket.
    QStringList fillFilterList();
    // The names of the rockets of the current list, in list order.
    QStringList fillNameList();
    // Reads the current rocket and its recommended motors into view().
    const CRocketView &showCurrent();

    // Steps by delta through nameCount rockets, wrapping at either end.
    const CRocketView &step(int delta, int nameCount);
    // A name chosen in the list; -1 (no selection) only forgets the position.
    void chooseName(int index);
    // A saved query chosen in the Filter box becomes the list; returns the new
    // names. The rocket shown stays current when the new list holds it;
    // otherwise no rocket is current.
    QStringList chooseFilter(int index);
    // Makes the rocket with this number current at its place in the list;
    // false (and no rocket current) when the list does not hold it.
    bool followRocket(const QString &rocketId);
    // An entry of the recommended-motor list (the blank of launch mode counted).
    void chooseMotorEntry(int index);

private:
    void clearMotor();
    int positionOf(const QString &rocketId);

    CRecordStore &m_store;
    Mode m_mode;
    QString m_listQuery;
    int m_position = -1;
    int m_motorSelection = -1;
    QStringList m_groups;
    CRocketView m_view;
};
