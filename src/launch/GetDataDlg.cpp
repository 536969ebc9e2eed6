#include "launch/GetDataDlg.h"

#include "charts/AltitudePlot.h"
#include "flightdata/AltimeterReader.h"
#include "flightdata/FlightMeasures.h"
#include "flightdata/FlightSummary.h"
#include "ui/FileChooser.h"
#include "ui/FormFactor.h"
#include "ui/TouchSize.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>

CGetDataDlg::CGetDataDlg(CFileChooser &files, EHeightUnit unit, QWidget *parent, CSettingsStore *windowSettings)
    : QDialog(parent)
    , m_files(files)
    , m_unit(unit)
{
    setWindowTitle(QStringLiteral("Get Data"));
    setObjectName(QStringLiteral("getDataDialog"));

    auto *label = new QLabel(QStringLiteral("Altimeter data file"), this);
    m_nameField = new QLineEdit(this);
    m_nameField->setAccessibleName(QStringLiteral("Altimeter data file"));
    label->setBuddy(m_nameField);

    m_select = new QPushButton(QStringLiteral("Select file"), this);
    m_download = new QPushButton(QStringLiteral("Download"), this);
    m_download->setEnabled(false);

    m_previewText = new QLabel(this);
    m_previewText->setWordWrap(true);
    m_previewText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_plot = new CAltitudePlot(this);
    m_plot->setMinimumHeight(90);
    // A preview: the curve and its marks speak for themselves.
    m_plot->chart()->legend()->hide();
    m_plot->setAccessibleName(QStringLiteral("Altitude plot"));
    m_plot->hide();

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto *fileButtons = new QHBoxLayout;
    fileButtons->addWidget(m_select);
    fileButtons->addWidget(m_download);
    auto *endButtons = new QHBoxLayout;
    endButtons->addWidget(m_ok);
    endButtons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(label);
    layout->addWidget(m_nameField);
    layout->addLayout(fileButtons);
    layout->addWidget(m_previewText);
    // The plot takes the room; without one the buttons stay at the bottom.
    layout->addWidget(m_plot, 1);
    layout->addStretch(0);
    layout->addLayout(endButtons);
    rememberWindowState(this, windowSettings);
    applyTouchSizes(this);

    connect(m_select, &QPushButton::clicked, this, &CGetDataDlg::OnSelectFile);
    connect(m_ok, &QPushButton::clicked, this, &CGetDataDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // A typed name is taken as typed, unread: the preview no longer describes it.
    connect(m_nameField, &QLineEdit::textEdited, this, &CGetDataDlg::clearPreview);
}

QString CGetDataDlg::fileFilter()
{
    return QStringLiteral("Altimeter recordings (*.csv *.txt *.pf2 *.flt);;Image Files (*.flt);;All Files (*.*)");
}

void CGetDataDlg::setFileName(const QString &name)
{
    m_fileName = name;
    m_nameField->setText(name);
}

void CGetDataDlg::OnSelectFile()
{
    // The file chooser only offers files that exist and returns full paths.
    const QString chosen = m_files.openFile(nullptr, QStringLiteral("Open"), QString(), fileFilter());
    if (chosen.isEmpty())
        return;
    setFileName(chosen);
    preview(chosen);
}

void CGetDataDlg::OnOk()
{
    m_fileName = m_nameField->text();
    accept();
}

void CGetDataDlg::preview(const QString &path)
{
    const CAltimeterRecording recording = readAltimeterFile(path);
    if (!recording.isValid()) {
        m_previewText->setText(recording.error);
        m_plot->clearFlight();
        m_plot->hide();
        return;
    }
    const CFlightMeasures measures = measureFlight(recording);
    m_previewText->setText(recordingSummary(recording, measures, m_unit, m_expected));
    m_plot->setFlight(recording, measures, m_unit, m_expected);
    m_plot->show();
    // A desktop window that opened without a plot makes room for it.
    growToContent(this);
}

void CGetDataDlg::clearPreview()
{
    m_previewText->clear();
    m_plot->clearFlight();
    m_plot->hide();
}
