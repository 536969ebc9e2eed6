#include "flights/DateFilterField.h"

#include "logbook/FlightEntry.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

CDateFilterField::CDateFilterField(const QString &label, QWidget *parent)
    : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setPlaceholderText(QStringLiteral("Any"));
    m_edit->setClearButtonEnabled(true);
    m_edit->setAccessibleName(label);
    m_edit->setAccessibleDescription(QStringLiteral("A date as YYYY-MM-DD; empty for any date"));
    // Room for a whole date beside the clear button.
    m_edit->setMinimumWidth(m_edit->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + 28);
    m_button = new QToolButton(this);
    m_button->setText(QStringLiteral("\u25be"));
    m_button->setAccessibleName(label + QStringLiteral(" calendar"));
    m_button->setToolTip(QStringLiteral("Choose the date from a calendar"));
    setFocusProxy(m_edit);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);

    connect(m_edit, &QLineEdit::textChanged, this, [this] {
        m_date = parseFlightDate(m_edit->text());
        emit changed();
    });
    connect(m_button, &QToolButton::clicked, this, &CDateFilterField::openCalendar);
}

QDate CDateFilterField::date() const
{
    return m_date;
}

void CDateFilterField::setDate(const QDate &date)
{
    m_edit->setText(date.isValid() ? date.toString(Qt::ISODate) : QString());
}

QString CDateFilterField::problem() const
{
    const QString text = m_edit->text().trimmed();
    return text.isEmpty() ? QString() : flightDateProblem(text, QStringLiteral("YYYY-MM-DD"));
}

void CDateFilterField::openCalendar()
{
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setGridVisible(true);
        m_calendar->setAccessibleName(m_edit->accessibleName() + QStringLiteral(" calendar"));
        const auto choose = [this](QDate date) {
            setDate(date);
            m_calendar->hide();
            m_edit->setFocus();
        };
        connect(m_calendar, &QCalendarWidget::clicked, this, choose);
        connect(m_calendar, &QCalendarWidget::activated, this, choose);
    }
    // The month to start from is the one the flyer is likely after, never the
    // calendar's first.
    const QDate shown = m_date.isValid() ? m_date : QDate::currentDate();
    m_calendar->setSelectedDate(shown);
    m_calendar->setCurrentPage(shown.year(), shown.month());
    m_calendar->adjustSize();
    m_calendar->move(mapToGlobal(QPoint(0, height())));
    m_calendar->show();
    m_calendar->setFocus();
}
