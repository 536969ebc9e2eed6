#include "rockets/RocketEdit2Dlg.h"

#include "db/RecordStore.h"
#include "db/StoreTransaction.h"
#include "rockets/RocketQueries.h"
#include "ui/Prompter.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

CRocketEdit2Dlg::CRocketEdit2Dlg(const CRocketEditContext &context, const QString &rocketQuery, QWidget *parent)
    : CPropertyPage(QStringLiteral("Misc"), parent)
    , m_context(context)
    , m_rocketQuery(rocketQuery)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(1);
    // Each label above its field, in two columns.
    const struct
    {
        const char *label;
        int field;
        int row;
        int column;
    } layout[] = {{"Length", kRocketLength, 0, 0},    {"Max Diameter", kRocketDiameter, 2, 0},
                  {"Weight", kRocketWeight, 4, 0},    {"MMT", kRocketMmt, 6, 0},
                  {"CP location", kRocketCp, 0, 1},   {"Recovery", kRocketRecovery, 2, 1},
                  {"Launcher", kRocketLauncher, 4, 1}};
    for (const auto &item : layout) {
        const QString text = QLatin1String(item.label);
        auto *label = new QLabel(text, this);
        auto *edit = new QLineEdit(this);
        edit->setAccessibleName(text);
        label->setBuddy(edit);
        grid->addWidget(label, item.row, item.column);
        grid->addWidget(edit, item.row + 1, item.column);
        m_texts.append({item.field, edit, QString()});
    }
    m_multistageBox = new QCheckBox(QStringLiteral("Multistage"), this);
    m_clusteredBox = new QCheckBox(QStringLiteral("Clustered"), this);
    // As wide as their text: a tap anywhere on a box then toggles it.
    grid->addWidget(m_multistageBox, 6, 1, Qt::AlignLeft);
    grid->addWidget(m_clusteredBox, 7, 1, Qt::AlignLeft);
    auto *notesLabel = new QLabel(QStringLiteral("Notes"), this);
    m_notesEdit = new QPlainTextEdit(this);
    m_notesEdit->setAccessibleName(QStringLiteral("Notes"));
    m_notesEdit->setTabChangesFocus(true);
    notesLabel->setBuddy(m_notesEdit);
    grid->addItem(new QSpacerItem(0, 6), 8, 0);
    grid->addWidget(notesLabel, 9, 0);
    grid->addWidget(m_notesEdit, 10, 0, 1, 2);
    grid->setRowStretch(10, 1);
}

void CRocketEdit2Dlg::onInitDialog()
{
    CRecordStore &store = m_context.store;
    if (openRocketRow(store, m_rocketQuery)) {
        for (TextField &text : m_texts)
            text.value = store.GetFieldText(text.field);
        m_multistage = isRocketFlagSet(store.GetFieldText(kRocketStages));
        m_clustered = isRocketFlagSet(store.GetFieldText(kRocketClustered));
        m_notes = store.GetFieldText(kRocketNotes);
    }
    loadValues();
}

void CRocketEdit2Dlg::loadValues()
{
    for (const TextField &text : std::as_const(m_texts))
        text.edit->setText(text.value);
    m_multistageBox->setChecked(m_multistage);
    m_clusteredBox->setChecked(m_clustered);
    m_notesEdit->setPlainText(m_notes);
}

void CRocketEdit2Dlg::saveValues()
{
    for (TextField &text : m_texts)
        text.value = text.edit->text();
    m_multistage = m_multistageBox->isChecked();
    m_clustered = m_clusteredBox->isChecked();
    m_notes = m_notesEdit->toPlainText();
}

bool CRocketEdit2Dlg::onKillActive()
{
    CPropertyPage::onKillActive();
    CRecordStore &store = m_context.store;
    if (!openRocketRow(store, m_rocketQuery))
        return true;
    saveValues();
    const auto value = [this](int field) {
        for (const TextField &text : std::as_const(m_texts)) {
            if (text.field == field)
                return text.value;
        }
        return QString();
    };
    CStoreTransaction transaction(store);
    bool written = store.SetFieldText(value(kRocketRecovery), kRocketRecovery)
        && store.SetFieldText(value(kRocketLauncher), kRocketLauncher)
        && store.SetFieldText(m_multistage ? QStringLiteral("1") : QStringLiteral("0"), kRocketStages)
        && store.SetFieldText(m_clustered ? QStringLiteral("1") : QStringLiteral("0"), kRocketClustered)
        && store.SetFieldText(m_notes, kRocketNotes);
    for (int field : {kRocketWeight, kRocketLength, kRocketDiameter, kRocketCp, kRocketMmt})
        written = written && store.SetFieldText(value(field), field);
    // A refused write keeps the page, and what was typed, in front of the flyer.
    if (!written || !transaction.commit()) {
        m_context.ui.prompter.error(this, QStringLiteral("The rocket could not be saved: ") + store.lastError());
        return false;
    }
    return true;
}
