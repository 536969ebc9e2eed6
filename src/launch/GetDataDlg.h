#pragma once

#include "flightdata/AltitudeComparison.h"

#include <QDialog>

#include <optional>

class CAltitudePlot;
class CFileChooser;
class CSettingsStore;
class QLabel;
class QLineEdit;
class QPushButton;

// "Get Data": names the altimeter data file of a flight. A file chosen with
// "Select file" is read at once and previewed (its apogee, how the recording
// ends and a small plot), or the reason it cannot be read is shown, so the flyer
// knows before OK whether it is the right recording. "Download" is there but
// never enabled.
class CGetDataDlg : public QDialog
{
    Q_OBJECT

public:
    // unit: the flyer's unit for the apogee and the plot.
    // windowSettings: where the window keeps its size; none to keep it nowhere.
    explicit CGetDataDlg(CFileChooser &files, EHeightUnit unit = EHeightUnit::Feet, QWidget *parent = nullptr,
                         CSettingsStore *windowSettings = nullptr);

    QString fileName() const { return m_fileName; }
    // The altitude the flyer expected of this rocket on this motor, in the
    // flyer's unit: the preview compares the apogee with it and the plot draws it.
    void setExpectedAltitude(std::optional<double> expected) { m_expected = expected; }
    void setFileName(const QString &name);

    void OnSelectFile();
    void OnOk();

    QLineEdit *nameField() const { return m_nameField; }
    QPushButton *selectButton() const { return m_select; }
    QPushButton *downloadButton() const { return m_download; }
    QPushButton *okButton() const { return m_ok; }
    // The apogee of the chosen file, or why it cannot be read; empty before a choice.
    QLabel *previewText() const { return m_previewText; }
    CAltitudePlot *plot() const { return m_plot; }

    // The open-file dialog's filters: the altimeter recordings, the ".flt" files,
    // then every file.
    static QString fileFilter();

private:
    void preview(const QString &path);
    void clearPreview();

    CFileChooser &m_files;
    EHeightUnit m_unit;
    std::optional<double> m_expected;
    QString m_fileName;
    QLineEdit *m_nameField = nullptr;
    QPushButton *m_select = nullptr;
    QPushButton *m_download = nullptr;
    QPushButton *m_ok = nullptr;
    QLabel *m_previewText = nullptr;
    CAltitudePlot *m_plot = nullptr;
};
