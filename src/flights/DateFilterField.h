#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

// One end of a date range, or none: empty, it shows "Any" and bounds nothing.
// A date is typed (YYYY-MM-DD, or MM/DD/YYYY as the log stores dates) or
// chosen from a calendar that opens on the month of the date shown, or on
// today's when there is none; the clear button goes back to "Any".
class CDateFilterField : public QWidget
{
    Q_OBJECT

public:
    // label is the visible label beside the field ("From:"): the field is
    // announced by it.
    CDateFilterField(const QString &label, QWidget *parent = nullptr);

    // Invalid for "Any", and while the text is no date.
    QDate date() const;
    void setDate(const QDate &date);
    // Why the text typed is no date; empty for a date and for "Any".
    QString problem() const;

    QLineEdit *edit() const { return m_edit; }
    QToolButton *calendarButton() const { return m_button; }
    // Null until the calendar is first opened.
    QCalendarWidget *calendar() const { return m_calendar; }

public slots:
    void openCalendar();

signals:
    // The text changed: a date was set, the field went back to "Any", or what
    // is typed is not yet a date.
    void changed();

private:
    QLineEdit *m_edit = nullptr;
    QToolButton *m_button = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    QDate m_date;
};
