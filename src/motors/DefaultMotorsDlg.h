#pragma once

#include "motordata/MotorValues.h"
#include "motors/MotorCurveStore.h"
#include "ui/UiServices.h"

#include <QDialog>
#include <QPointer>

#include <vector>

class CCommandBar;
class CThrustCurvePlot;
class CMotorLineModel;
class CRecordStore;
class CStatusWindow;
class QComboBox;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QEvent;
class QLabel;
class QLineEdit;
class QTreeView;

// "Default Motors": the motor table listed in manufacturer, type order, with
// adding, removing, import from a motor file and removal by filter. The record
// store and the status window are borrowed from the opener. Motor files dropped
// on it are imported as if chosen with "Load From File". What the logbook
// refuses, and a catalogue that cannot be read, is told.
class CDefaultMotorsDlg : public QDialog
{
    Q_OBJECT

public:
    CDefaultMotorsDlg(CRecordStore &store, CStatusWindow &status, CUiServices ui, const QString &fileDirectory,
                      QWidget *parent = nullptr);
    ~CDefaultMotorsDlg() override;

    // Refills the list from the list query and empties the inputs.
    void loadList();
    int selectedIndex() const { return m_selected; }
    const CMotorLineModel &model() const { return *m_model; }
    const CThrustCurvePlot &plot() const { return *m_plot; }

public slots:
    void onAdd();
    void onRemove();
    void onRemoveAll();
    void onLoadFromFile();
    void onFilter();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void importFiles(const QStringList &paths);
    void onSelectionChanged();
    void showCurve();
    void placeCurve();
    // Once the window has settled on its screen and size.
    void placeCurveLater();
    bool roomForCurve() const;
    void fitFigureColumns();
    void readFields();
    void writeFields();
    void buildLayout();

    CRecordStore &m_store;
    CStatusWindow &m_status;
    QPointer<QWidget> m_statusHome;
    CUiServices m_ui;
    QString m_fileDirectory;
    CMotorValues m_fields;
    int m_selected = -1;
    // Each line's motor as the list was read: its rowid and values, by which
    // REMOVE finds it again.
    std::vector<CCatalogueMotor> m_motors;
    bool m_hasCurve = false; // the chosen motor has a curve to show
    bool m_placePending = false;

    QComboBox *m_mfgBox = nullptr;
    QLineEdit *m_typeEdit = nullptr;
    QLineEdit *m_delayEdit = nullptr;
    QLineEdit *m_sizeEdit = nullptr;
    QTreeView *m_list = nullptr;
    CMotorLineModel *m_model = nullptr;
    CThrustCurvePlot *m_plot = nullptr;
    QLabel *m_figures = nullptr;
    CCommandBar *m_commandBar = nullptr;
};
