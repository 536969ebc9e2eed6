#pragma once

#include <QWidget>

#include <optional>

class QLineEdit;
class QToolButton;

// A whole-number field. With a range it carries up and down arrows that step
// within the range; typed values outside it are kept as typed.
class CNumberField : public QWidget
{
    Q_OBJECT

public:
    explicit CNumberField(QWidget *parent = nullptr);

    // Adds the up-down arrows, which stop at minimum and maximum.
    void setUpDownRange(int minimum, int maximum);
    void setValue(int value);
    // The number in the field; nothing when the text is not a whole number.
    std::optional<int> value() const;

    QLineEdit *edit() const { return m_edit; }
    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

private:
    void step(int delta);

    QLineEdit *m_edit = nullptr;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
    int m_minimum = 0;
    int m_maximum = 0;
};
