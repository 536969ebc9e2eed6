#include "flights/FlightPageDlg.h"

#include "charts/AltitudePlot.h"
#include "flightdata/AltimeterFileStore.h"
#include "flightdata/AltimeterReader.h"
#include "flightdata/FlightMeasures.h"
#include "flightdata/FlightSummary.h"
#include "logbook/FlightLog.h"
#include "platform/SettingsStore.h"
#include "ui/CommandBar.h"
#include "ui/FormFactor.h"
#include "ui/HelpBrowser.h"
#include "ui/Prompter.h"
#include "ui/TouchSize.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// A field with its unit on the right, as one row of the form.
QWidget *withUnit(QWidget *field, const QString &unit, QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(field, 1);
    layout->addWidget(new QLabel(unit, row));
    return row;
}

} // namespace

CFlightPageDlg::CFlightPageDlg(CFlightLog &log, qint64 rowId, const CSettingsStore &settings, CUiServices ui,
                               QWidget *parent)
    : QDialog(parent)
    , m_log(log)
    , m_settings(settings)
    , m_ui(ui)
    , m_flight(log.find(rowId))
{
    setWindowTitle(QStringLiteral("Flight"));
    setObjectName(QStringLiteral("flightPage"));

    const auto line = [this](bool editable = true) {
        auto *edit = new QLineEdit(this);
        if (editable)
            m_editable.append(edit);
        return edit;
    };
    m_rocket = line(false);
    m_date = line();
    m_drogue = line();
    m_main = line();
    m_done = line();
    m_result = new QComboBox(this);
    m_result->addItems({QStringLiteral("Success"), QStringLiteral("Failure")});
    m_motor = line();
    m_mfg = line();
    m_delay = line();
    m_recovery = line();
    m_site = line();
    m_windSpeed = line();
    m_windDirection = line();
    m_temperature = line();
    m_unit = new QComboBox(this);
    m_unit->addItems({QStringLiteral("F"), QStringLiteral("C")});
    m_unit->setAccessibleName(QStringLiteral("Temperature unit"));
    m_notes = new QPlainTextEdit(this);
    m_notes->setTabChangesFocus(true);
    m_notes->setMinimumHeight(m_notes->fontMetrics().lineSpacing() * 3);
    m_altFile = line();

    auto *temperature = new QWidget(this);
    auto *temperatureLayout = new QHBoxLayout(temperature);
    temperatureLayout->setContentsMargins(0, 0, 0, 0);
    temperatureLayout->setSpacing(3);
    temperatureLayout->addWidget(m_temperature, 1);
    temperatureLayout->addWidget(new QLabel(QStringLiteral("\u00b0"), temperature));
    temperatureLayout->addWidget(m_unit);

    auto *fields = new QWidget;
    auto *form = new QFormLayout(fields);
    form->setContentsMargins(4, 4, 4, 4);
    form->setVerticalSpacing(2);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->addRow(QStringLiteral("Rocket:"), m_rocket);
    // The form of a date is its placeholder: beside it, it left the date too narrow to read.
    m_date->setPlaceholderText(QStringLiteral("MM/DD/YYYY"));
    m_date->setAccessibleDescription(QStringLiteral("MM/DD/YYYY"));
    form->addRow(QStringLiteral("Date:"), m_date);
    form->addRow(QStringLiteral("Drogue Time:"), withUnit(m_drogue, QStringLiteral("H:MM"), fields));
    form->addRow(QStringLiteral("Main Time:"), withUnit(m_main, QStringLiteral("H:MM"), fields));
    form->addRow(QStringLiteral("Done Time:"), withUnit(m_done, QStringLiteral("H:MM"), fields));
    form->addRow(QStringLiteral("Result:"), m_result);
    form->addRow(QStringLiteral("Motor:"), m_motor);
    form->addRow(QStringLiteral("Motor MFG:"), m_mfg);
    form->addRow(QStringLiteral("Delay:"), withUnit(m_delay, QStringLiteral("s"), fields));
    form->addRow(QStringLiteral("Recovery:"), m_recovery);
    form->addRow(QStringLiteral("Site:"), m_site);
    form->addRow(QStringLiteral("Wind Speed:"), m_windSpeed);
    form->addRow(QStringLiteral("Wind Direction:"), m_windDirection);
    form->addRow(QStringLiteral("Temperature:"), temperature);
    form->addRow(QStringLiteral("Notes:"), m_notes);
    form->addRow(QStringLiteral("Altimeter File:"), m_altFile);
    m_recordingText = new QLabel(this);
    m_recordingText->setWordWrap(true);
    m_plot = new CAltitudePlot(this);
    m_plot->setMinimumHeight(160);
    form->addRow(m_recordingText);
    form->addRow(m_plot);
    // Each label is its field's buddy and its name, so readers announce the
    // field by the label shown beside it, a field with a unit too.
    const QList<QPair<QWidget *, QWidget *>> rows = {{m_rocket, m_rocket},
                                                     {m_date, m_date},
                                                     {m_drogue->parentWidget(), m_drogue},
                                                     {m_main->parentWidget(), m_main},
                                                     {m_done->parentWidget(), m_done},
                                                     {m_result, m_result},
                                                     {m_motor, m_motor},
                                                     {m_mfg, m_mfg},
                                                     {m_delay->parentWidget(), m_delay},
                                                     {m_recovery, m_recovery},
                                                     {m_site, m_site},
                                                     {m_windSpeed, m_windSpeed},
                                                     {m_windDirection, m_windDirection},
                                                     {temperature, m_temperature},
                                                     {m_notes, m_notes},
                                                     {m_altFile, m_altFile}};
    for (const auto &[row, field] : rows) {
        if (auto *label = qobject_cast<QLabel *>(form->labelForField(row))) {
            label->setBuddy(field);
            field->setAccessibleName(label->text());
        }
    }

    m_goneNote = new QLabel(QStringLiteral("This flight is no longer in the logbook: it was deleted elsewhere."), this);
    m_goneNote->setWordWrap(true);

    auto *scroll = new QScrollArea(this);
    scroll->setWidget(fields);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // On a desktop the page opens showing every field and the plot.
    scroll->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

    m_editButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_editButtons, &QDialogButtonBox::accepted, this, &CFlightPageDlg::onOk);
    connect(m_editButtons, &QDialogButtonBox::rejected, this, &CFlightPageDlg::onCancel);

    m_commandBar = new CCommandBar(this);
    connect(m_commandBar->addCommand(QStringLiteral("EDIT")), &QAction::triggered, this, &CFlightPageDlg::OnEdit);
    connect(m_commandBar->addCommand(QStringLiteral("DELETE")), &QAction::triggered, this, &CFlightPageDlg::OnDelete);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_goneNote);
    layout->addWidget(scroll, 1);
    layout->addWidget(m_editButtons);
    layout->addWidget(m_commandBar);
    rememberWindowState(this, m_ui.windowSettings);
    applyTouchSizes(this);
    setSizeGripEnabled(true);
    installHelp(this, QStringLiteral("flights"));

    showFlight();
    setEditing(false);
    m_goneNote->setVisible(m_flight.rowId == 0);
    if (m_flight.rowId == 0)
        m_commandBar->setEnabled(false);
}

CFlightPageDlg::~CFlightPageDlg() = default;

void CFlightPageDlg::showFlight()
{
    m_rocket->setText(m_flight.rowId == 0 ? QString() : m_flight.rocketLabel());
    m_date->setText(m_flight.dateText);
    m_drogue->setText(m_flight.drogueTime);
    m_main->setText(m_flight.mainTime);
    m_done->setText(m_flight.doneTime);
    m_result->setCurrentIndex(m_flight.success ? 0 : 1);
    const CFlightMotor motor = m_flight.motorParts();
    m_motor->setText(motor.type);
    m_mfg->setText(motor.maker);
    m_delay->setText(motor.delay);
    m_recovery->setText(m_flight.recovery);
    m_site->setText(m_flight.site);
    m_windSpeed->setText(m_flight.windSpeed);
    m_windDirection->setText(m_flight.windDirection);
    m_temperature->setText(m_flight.temperature);
    m_unit->setCurrentIndex(m_flight.celsius ? 1 : 0);
    m_notes->setPlainText(m_flight.notes);
    m_altFile->setText(m_flight.altFileName);
    showRecording();
    // A narrow field shows the start of its text, not the end.
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->setCursorPosition(0);
}

void CFlightPageDlg::showRecording()
{
    const QString path = findAltimeterFile(m_flight.altFileName, m_log.storageDirectory());
    const CAltimeterRecording recording = path.isEmpty() ? CAltimeterRecording() : readAltimeterFile(path);
    const bool shown = !path.isEmpty() && recording.isValid();
    // A recording found but not readable says why, where its plot would be.
    m_recordingText->setVisible(shown || !path.isEmpty());
    m_plot->setVisible(shown);
    if (!shown) {
        m_recordingText->setText(recording.error);
        m_plot->clearFlight();
        return;
    }
    const EHeightUnit unit = heightUnitFromSetting(m_settings.ReadSetting(QLatin1String(kSettingAltitudeUnit)));
    const CFlightMeasures measures = measureFlight(recording);
    std::optional<double> expected;
    // Without the rocket's recommendations the flight is shown as one that expected nothing, saying why.
    const bool read = m_log.expectedAltitude(m_flight, expected);
    m_recordingText->setText(
        recordingSummary(recording, measures, unit, expected)
        + (read ? QString() : QStringLiteral("\nThe expected altitude cannot be read: ") + m_log.lastError()));
    m_plot->setFlight(recording, measures, unit, expected);
}

void CFlightPageDlg::setEditing(bool editing)
{
    m_editing = editing;
    for (QLineEdit *edit : std::as_const(m_editable))
        edit->setReadOnly(!editing);
    m_rocket->setReadOnly(true);
    m_notes->setReadOnly(!editing);
    m_result->setEnabled(editing);
    m_unit->setEnabled(editing);
    m_editButtons->setVisible(editing);
    m_commandBar->setVisible(!editing);
    if (editing)
        m_date->setFocus();
}

CFlightEntry CFlightPageDlg::enteredFlight() const
{
    CFlightEntry flight = m_flight;
    flight.dateText = m_date->text().trimmed();
    // A readable date is stored the way the launch screen writes it.
    if (const QDate date = parseFlightDate(flight.dateText); date.isValid())
        flight.dateText = flightDateText(date);
    flight.date = parseFlightDate(flight.dateText);
    flight.drogueTime = m_drogue->text().trimmed();
    flight.mainTime = m_main->text().trimmed();
    flight.doneTime = m_done->text().trimmed();
    flight.success = m_result->currentIndex() == 0;
    takeMotor(flight);
    flight.recovery = m_recovery->text();
    flight.site = m_site->text();
    flight.windSpeed = m_windSpeed->text().trimmed();
    flight.windDirection = m_windDirection->text();
    flight.temperature = m_temperature->text().trimmed();
    flight.celsius = m_unit->currentIndex() == 1;
    flight.notes = m_notes->toPlainText();
    flight.altFileName = m_altFile->text();
    return flight;
}

void CFlightPageDlg::takeMotor(CFlightEntry &flight) const
{
    // Untouched, the motor is stored as it was, in whichever form; changed,
    // it is stored as typed, type, maker and delay each in its column.
    const CFlightMotor shown = m_flight.motorParts();
    if (m_motor->text() == shown.type && m_mfg->text() == shown.maker && m_delay->text() == shown.delay)
        return;
    flight.motor = m_motor->text();
    flight.motorMfg = m_mfg->text();
    flight.motorDelay = m_delay->text();
}

void CFlightPageDlg::OnEdit()
{
    if (m_flight.rowId != 0)
        setEditing(true);
}

void CFlightPageDlg::onOk()
{
    if (!m_editing)
        return;
    const CFlightEntry flight = enteredFlight();
    if (!m_log.update(flight)) {
        // The fields keep what was typed, so the flyer can mend it or cancel.
        m_ui.prompter.error(this, QStringLiteral("The flight was not changed: ") + m_log.lastError());
        return;
    }
    m_changed = true;
    const CFlightEntry stored = m_log.find(flight.rowId);
    m_flight = stored.rowId != 0 ? stored : flight;
    showFlight();
    setEditing(false);
}

void CFlightPageDlg::onCancel()
{
    showFlight();
    setEditing(false);
}

void CFlightPageDlg::reject()
{
    if (m_editing)
        onCancel();
    else
        QDialog::reject();
}

void CFlightPageDlg::OnDelete()
{
    if (m_flight.rowId == 0)
        return;
    if (!m_ui.prompter.warningYesNoDefaultNo(this, flightDeleteQuestion(m_flight)))
        return;
    if (!m_log.remove(m_flight.rowId)) {
        m_ui.prompter.error(this, QStringLiteral("The flight was not deleted: ") + m_log.lastError());
        return;
    }
    m_changed = true;
    accept();
}

QString flightDeleteQuestion(const CFlightEntry &flight)
{
    QString when = flight.dateText.trimmed();
    if (!when.isEmpty() && !flight.timeText().isEmpty())
        when += QLatin1Char(' ') + flight.timeText();
    return QStringLiteral("Delete the flight of %1%2?")
        .arg(flight.rocketLabel(), when.isEmpty() ? QString() : QStringLiteral(" on ") + when);
}
