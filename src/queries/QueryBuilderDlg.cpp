#include "queries/QueryBuilderDlg.h"

#include "db/RecordStore.h"
#include "db/Schema.h"
#include "queries/QueryLineDelegate.h"
#include "queries/QueryText.h"
#include "queries/SavedQueries.h"
#include "ui/CommandBar.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// Queries.Name is declared this wide.
constexpr int kMaxNameLength = 200;
// Where the SQL text starts on a line of the list, in pixels, unless a longer
// name needs more room.
constexpr int kNameTabStop = 92;
} // namespace

CQueryBuilderDlg::CQueryBuilderDlg(CRecordStore &store, CUiServices ui, QWidget *parent)
    : CListScreen(QStringLiteral("QUERY BUILDER"), QStringLiteral("queryBuilderDialog"), parent)
    , m_store(store)
    , m_ui(ui)
{
    auto *nameLabel = new QLabel(QStringLiteral("Name"), this);
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setMaxLength(kMaxNameLength);
    nameLabel->setBuddy(m_nameEdit);

    auto *sqlLabel = new QLabel(QStringLiteral("SQL"), this);
    m_sqlEdit = new QPlainTextEdit(this);
    m_sqlEdit->setTabChangesFocus(true);
    m_sqlEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_sqlEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Three lines at least; beyond that it shares the room with the list.
    m_sqlEdit->setMinimumHeight(m_sqlEdit->fontMetrics().lineSpacing() * 3 + 2 * m_sqlEdit->frameWidth() + 8);
    m_sqlEdit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    m_sqlEdit->setAccessibleName(QStringLiteral("SQL"));
    sqlLabel->setBuddy(m_sqlEdit);
    connect(m_sqlEdit, &QPlainTextEdit::textChanged, this, &CQueryBuilderDlg::limitSqlText);

    auto *listLabel = new QLabel(QStringLiteral("Queries"), this);
    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A long query scrolls sideways rather than being cut.
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_delegate = new CQueryLineDelegate(kNameTabStop, m_list);
    m_list->setItemDelegate(m_delegate);
    m_list->setAccessibleName(QStringLiteral("Queries"));
    listLabel->setBuddy(m_list);
    connect(m_list, &QListWidget::currentRowChanged, this, &CQueryBuilderDlg::onSelectionChanged);

    CCommandBar *commands = addCommandBar();
    connect(commands->addCommand(QStringLiteral("ADD")), &QAction::triggered, this, &CQueryBuilderDlg::onAdd);
    connect(commands->addCommand(QStringLiteral("REMOVE")), &QAction::triggered, this, &CQueryBuilderDlg::onRemove);
    connect(commands->addCommand(QStringLiteral("UPDATE")), &QAction::triggered, this, &CQueryBuilderDlg::onUpdate);
    connect(commands->addCommand(QStringLiteral("DEFAULT")), &QAction::triggered, this, &CQueryBuilderDlg::onDefault);
    // Four commands share the 240-pixel bar: the buttons hug their texts.
    commands->layout()->setSpacing(0);
    for (QAction *action : commands->actions()) {
        if (QWidget *button = commands->widgetForAction(action))
            button->setMaximumWidth(button->fontMetrics().horizontalAdvance(action->text()) + 10);
    }

    // The command bar has no room left: Close sits where the handheld kept its
    // OK, at the top right.
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *top = new QHBoxLayout;
    top->addWidget(nameLabel, 0, Qt::AlignBottom);
    top->addStretch();
    top->addWidget(close);

    auto *fields = new QVBoxLayout;
    fields->setSpacing(2);
    fields->addLayout(top);
    fields->addWidget(m_nameEdit);
    fields->addWidget(sqlLabel);
    fields->addWidget(m_sqlEdit, 1);
    fields->addWidget(listLabel);
    fields->addWidget(m_list, 2);
    setContent(fields);

    loadList();
}

void CQueryBuilderDlg::loadList()
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    int tabStop = kNameTabStop;
    for (const CSavedQuery &query : loadSavedQueries(m_store)) {
        m_list->addItem(queryListLine(query));
        tabStop = std::max(tabStop, CQueryLineDelegate::tabStopFor(m_list->font(), query.name));
    }
    // The names line up in a column as wide as the longest of them.
    m_delegate->setTabStop(tabStop);
    // A refilled list shows no selection, so none is kept: REMOVE must never act
    // on a line the user cannot see chosen.
    m_selected = -1;
}

void CQueryBuilderDlg::onSelectionChanged(int row)
{
    if (row < 0) {
        m_selected = -1;
        return;
    }
    m_selected = row;
    CSavedQuery query;
    if (!savedQueryAt(m_store, row, &query))
        return;
    m_nameEdit->setText(query.name);
    m_sqlEdit->setPlainText(query.sql);
}

void CQueryBuilderDlg::limitSqlText()
{
    if (m_sqlEdit->document()->characterCount() - 1 <= kMaxQueryTextLength)
        return;
    const QSignalBlocker blocker(m_sqlEdit);
    const QString text = m_sqlEdit->toPlainText().left(kMaxQueryTextLength);
    m_sqlEdit->setPlainText(text);
    m_sqlEdit->moveCursor(QTextCursor::End);
}

bool CQueryBuilderDlg::readFields(QString *name, QString *sql)
{
    *name = m_nameEdit->text();
    *sql = m_sqlEdit->toPlainText();
    if (name->isEmpty() || sql->isEmpty()) {
        m_ui.prompter.error(this, QStringLiteral("Please enter more data"));
        return false;
    }
    return true;
}

void CQueryBuilderDlg::clearSelection()
{
    const QSignalBlocker blocker(m_list);
    m_list->setCurrentRow(-1);
    m_list->clearSelection();
    m_selected = -1;
}

void CQueryBuilderDlg::onAdd()
{
    QString name, sql;
    if (!readFields(&name, &sql))
        return;
    if (!addSavedQuery(m_store, {name, sql}))
        m_ui.prompter.error(this, QStringLiteral("The query could not be saved: ") + m_store.lastError());
    loadList();
}

void CQueryBuilderDlg::onRemove()
{
    const int selected = m_selected;
    if (selected >= 0 && selected < countSavedQueries(m_store)) {
        if (removeSavedQueryAt(m_store, selected)) {
            const QSignalBlocker blocker(m_list);
            delete m_list->takeItem(selected);
        } else {
            m_ui.prompter.error(this, QStringLiteral("The query could not be removed: ") + m_store.lastError());
        }
    }
    clearSelection();
}

void CQueryBuilderDlg::onUpdate()
{
    // The fields are checked before anything is removed, so a refused UPDATE
    // leaves the chosen query where it was.
    QString name, sql;
    if (!readFields(&name, &sql))
        return;
    const bool saved = m_selected >= 0 && m_selected < countSavedQueries(m_store)
        ? replaceSavedQueryAt(m_store, m_selected, {name, sql})
        : addSavedQuery(m_store, {name, sql});
    if (!saved)
        m_ui.prompter.error(this, QStringLiteral("The query could not be saved: ") + m_store.lastError());
    loadList();
}

void CQueryBuilderDlg::onDefault()
{
    if (!m_ui.prompter.warningYesNo(this, QStringLiteral("Add Default Queries?")))
        return;
    if (!addDefaultQueries(m_store))
        m_ui.prompter.error(this, QStringLiteral("The default queries could not be added: ") + m_store.lastError());
    loadList();
}
