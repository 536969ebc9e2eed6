#pragma once

#include "reflists/ReferenceList.h"
#include "ui/UiServices.h"

#include <QDialog>

#include <functional>

class CCommandBar;
class CSettingsStore;
class CStatusWindow;
class QComboBox;

// "Defaults": the status, manufacturer and type lists offered for a rocket,
// each grown with ADD, trimmed with Remove or reset from its built-in default,
// all saved when the dialog goes; and MOTORS, the motor catalogue.
class CDefaultsDlg : public QDialog
{
    Q_OBJECT

public:
    // Runs the motor catalogue's screen modally over `parent`, on the logbook
    // and status window the Defaults screen was given; the program composes it,
    // as the reference lists include no screen of the motor catalogue.
    using MotorsScreen = std::function<void(QWidget *parent)>;

    CDefaultsDlg(CStatusWindow &status, CSettingsStore &settings, CUiServices ui, MotorsScreen motors,
                 QWidget *parent = nullptr);
    ~CDefaultsDlg() override;

    // Fills the three lists from the settings (done once, when first shown).
    void loadLists();
    QComboBox *listBox(ReferenceListKind kind) const;
    QStringList entries(ReferenceListKind kind) const;

public slots:
    void onAdd(ReferenceListKind kind);
    void onRemove(ReferenceListKind kind);
    void onLoadDefault(ReferenceListKind kind);
    void onMotors();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillList(ReferenceListKind kind, const QString &text);
    void saveLists();
    static void insertSorted(QComboBox *box, const QString &text);
    static void clearEdit(QComboBox *box);

    CStatusWindow &m_status;
    CSettingsStore &m_settings;
    CUiServices m_ui;
    MotorsScreen m_motors;
    bool m_loaded = false;
    QComboBox *m_boxes[3] = {};
    QStringList m_loadedEntries[3]; // as read, to save only the lists that changed
    CCommandBar *m_commandBar = nullptr;
};
