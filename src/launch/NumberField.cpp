#include "launch/NumberField.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

CNumberField::CNumberField(QWidget *parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit, 1);
    setFocusProxy(m_edit);
}

void CNumberField::setUpDownRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    if (m_up)
        return;
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setAccessibleName(QStringLiteral("Down"));
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setAccessibleName(QStringLiteral("Up"));
    // Side by side and as tall as the field, so each arrow is a whole button to
    // tap rather than half of one.
    for (QToolButton *button : {m_down, m_up}) {
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setFocusPolicy(Qt::NoFocus);
        static_cast<QHBoxLayout *>(layout())->addWidget(button);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void CNumberField::setValue(int value)
{
    m_edit->setText(QString::number(value));
}

std::optional<int> CNumberField::value() const
{
    bool ok = false;
    const int number = m_edit->text().trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

void CNumberField::step(int delta)
{
    // An unreadable or out-of-range text steps from the nearest end of the range.
    const int current = std::clamp(value().value_or(m_minimum), m_minimum, m_maximum);
    setValue(std::clamp(current + delta, m_minimum, m_maximum));
}
