#pragma once

#include "ui/PropertyPage.h"

#include <QStringList>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

// The "Checklist" page that shows a rocket's steps as tick boxes. In the Rockets
// sheet it shows the checklist of the rocket on the rocket page.
class CChecklistPage : public CPropertyPage
{
    Q_OBJECT

public:
    static constexpr int kBoxes = 8;

    // The page reads its checklist text from source each time it becomes active.
    explicit CChecklistPage(const QString &source, QWidget *parent = nullptr);

    bool onSetActive() override;
    bool onKillActive() override;
    void loadValues() override;
    void saveValues() override;

    // Launch mode: a NEXT button that lets the flyer on only when every step is ticked.
    QPushButton *addNextButton();
    QPushButton *nextButton() const { return m_next; }
    // Emits allTicked when every shown step is ticked; otherwise nothing happens.
    void OnNext();

    QCheckBox *box(int index) const { return m_boxes.at(index); }
    // The step's text beside its box, wrapped to the page width; a tap on it ticks the box.
    QLabel *stepLabel(int index) const { return m_labels.at(index); }
    bool isTicked(int index) const { return m_ticked.at(index); }
    // Unticks every box, for a checklist to be gone through afresh.
    void clearTicks();

signals:
    void allTicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillBoxes();

    const QString &m_source;
    // The checklist the ticks belong to: another one starts unticked.
    QString m_shown;
    QStringList m_items;
    std::array<bool, kBoxes> m_ticked {};
    std::array<QCheckBox *, kBoxes> m_boxes {};
    std::array<QLabel *, kBoxes> m_labels {};
    QPushButton *m_next = nullptr;
};
