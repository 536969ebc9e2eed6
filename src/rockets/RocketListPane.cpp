#include "rockets/RocketListPane.h"

#include "db/RecordStore.h"
#include "rockets/RocketBrowser.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CRocketListPane::CRocketListPane(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("rocketList"));
    m_list = new QListWidget(this);
    m_list->setAccessibleName(QStringLiteral("Rockets"));
    m_summary = new QPlainTextEdit(this);
    m_summary->setReadOnly(true);
    m_summary->setAccessibleName(QStringLiteral("Rocket summary"));
    m_edit = new QPushButton(QStringLiteral("&Edit Rockets..."), this);
    m_edit->setAccessibleName(QStringLiteral("Edit Rockets..."));

    auto *side = new QVBoxLayout;
    side->addWidget(m_summary, 1);
    side->addWidget(m_edit, 0, Qt::AlignRight);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addLayout(side, 2);

    connect(m_list, &QListWidget::currentRowChanged, this, &CRocketListPane::showSummary);
    connect(m_edit, &QPushButton::clicked, this, &CRocketListPane::editRequested);
}

void CRocketListPane::fill(CRecordStore &store)
{
    m_store = &store;
    const QString chosen = m_list->currentItem() ? m_list->currentItem()->text() : QString();
    QStringList names;
    if (store.isOpen())
        names = CRocketBrowser(store, CRocketBrowser::Mode::Browse).fillNameList();
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    m_list->addItems(names);
    const int row = std::max(0, int(names.indexOf(chosen)));
    m_list->setCurrentRow(names.isEmpty() ? -1 : row);
    showSummary(m_list->currentRow());
}

QString CRocketListPane::currentRocketId() const
{
    const int row = m_list->currentRow();
    if (!m_store || !m_store->isOpen() || row < 0)
        return {};
    CRocketBrowser browser(*m_store, CRocketBrowser::Mode::Browse);
    browser.chooseName(row);
    const CRocketView &view = browser.showCurrent();
    return view.empty ? QString() : view.rocketId;
}

void CRocketListPane::showSummary(int row)
{
    if (!m_store || !m_store->isOpen() || row < 0) {
        m_summary->setPlainText(row < 0 && m_list->count() == 0 ? QStringLiteral("No rockets yet.") : QString());
        return;
    }
    // The browser's own reading, so the home says what the Rockets screen says.
    CRocketBrowser browser(*m_store, CRocketBrowser::Mode::Browse);
    browser.chooseName(row);
    m_summary->setPlainText(browser.showCurrent().summary);
}
