#include "flights/FlightPageDlg.h"

#include "ui/FormFactor.h"
#include "ui/HelpBrowser.h"
#include "ui/TouchSize.h"

#include <QVBoxLayout>

CFlightPageDlg::CFlightPageDlg(CFlightLog &log, qint64 rowId, const CSettingsStore &settings, CUiServices ui,
                               QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Flight"));
    setObjectName(QStringLiteral("flightPage"));
    m_view = new CFlightPageView(log, settings, ui, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    rememberWindowState(this, ui.windowSettings);
    applyTouchSizes(this);
    setSizeGripEnabled(true);
    installHelp(this, QStringLiteral("flights"));
    m_view->showFlight(rowId);
    connect(m_view, &CFlightPageView::flightDeleted, this, &QDialog::accept);
}

CFlightPageDlg::~CFlightPageDlg() = default;

void CFlightPageDlg::reject()
{
    if (m_view->isEditing())
        m_view->cancelEdit();
    else
        QDialog::reject();
}
