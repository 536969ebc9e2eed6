#include "queries/QueryDlg.h"

#include "db/RecordStore.h"
#include "queries/QueryBuilderDlg.h"
#include "queries/QueryExport.h"
#include "queries/QueryText.h"
#include "queries/SavedQueries.h"
#include "queries/SortListCtrl.h"
#include "ui/CommandBar.h"
#include "ui/DropDownSizing.h"
#include "ui/FileChooser.h"
#include "ui/FormFactor.h"
#include "ui/Prompter.h"
#include "ui/WaitCursor.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// The drop-down list is as wide as its longest name, within the screen.
void widenDropDown(QComboBox *box)
{
    QAbstractItemView *view = box->view();
    int wanted = view->sizeHintForColumn(0) + 2 * view->frameWidth()
        + box->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view->verticalScrollBar());
    if (const QScreen *screen = box->screen()) {
        // The list sits in a framed popup window, and that window in the screen.
        const auto *popup = qobject_cast<const QFrame *>(view->parentWidget());
        wanted = std::min(wanted, screen->availableGeometry().width() - (popup ? 2 * popup->frameWidth() : 0));
    }
    view->setMinimumWidth(std::max(wanted, 0));
}
} // namespace

CQueryDlg::CQueryDlg(CRecordStore &store, CUiServices ui, QWidget *parent)
    : CListScreen(QStringLiteral("QUERY"), QStringLiteral("queryDialog"), parent)
    , m_store(store)
    , m_ui(ui)
{
    m_queryBox = new QComboBox(this);
    m_queryBox->setPlaceholderText(QStringLiteral("Queries"));
    m_queryBox->setAccessibleName(QStringLiteral("Queries"));
    m_queryBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_queryBox->setMinimumContentsLength(10);
    connect(m_queryBox, &QComboBox::activated, this, &CQueryDlg::selectQuery);

    m_queryLabel = new QLabel(this);
    m_queryLabel->setWordWrap(true);
    m_queryLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Two lines at least, more when a long query needs them.
    m_queryLabel->setMinimumHeight(m_queryLabel->fontMetrics().lineSpacing() * 2 + 2);

    m_list = new CSortListCtrl(this);
    m_list->setAccessibleName(QStringLiteral("Result"));
    // On a desktop the window opens wide enough for every column.
    m_list->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContentsOnFirstShow);

    m_errorLine = new QLabel(this);
    m_errorLine->setObjectName(QStringLiteral("queryError"));
    m_errorLine->setWordWrap(true);
    m_errorLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_errorLine->hide();

    CCommandBar *commands = addCommandBar();
    connect(commands->addCommand(QStringLiteral("QUERIES")), &QAction::triggered, this, &CQueryDlg::onQueries);
    connect(commands->addCommand(QStringLiteral("EXPORT")), &QAction::triggered, this, &CQueryDlg::onExport);
    commands->addStretch();
    connect(commands->addCommand(QStringLiteral("Close")), &QAction::triggered, this, &QDialog::accept);

    auto *content = new QVBoxLayout;
    content->setSpacing(3);
    content->addWidget(m_queryBox);
    content->addWidget(m_queryLabel);
    content->addWidget(m_list, 1);
    content->addWidget(m_errorLine);
    setContent(content);
    // Only the size: each query has columns of its own.
    rememberWindowState(this, m_ui.windowSettings);

    refresh();
}

void CQueryDlg::selectQuery(int index)
{
    m_selected = index < 0 ? -1 : index;
    if (m_selected >= 0)
        refresh();
}

void CQueryDlg::refresh()
{
    const QList<CSavedQuery> queries = loadSavedQueries(m_store);
    m_queryBox->clear();
    for (const CSavedQuery &query : queries)
        m_queryBox->addItem(query.name);
    sizeDropDown(m_queryBox);
    widenDropDown(m_queryBox);
    m_queryBox->setCurrentIndex(-1);
    m_queryLabel->clear();

    if (m_selected < 0 || m_selected >= queries.size())
        return;
    const CSavedQuery &query = queries.at(m_selected);
    m_queryLabel->setText(query.sql);
    showResult(query.name, query.sql);
}

void CQueryDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // The layout has placed the box by now; the drop-down ends at the window's
    // edge, and a window on another screen has another width to keep within.
    sizeDropDown(m_queryBox);
    widenDropDown(m_queryBox);
}

void CQueryDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Shown on another screen at the same size, the window gets no resize.
    sizeDropDown(m_queryBox);
    widenDropDown(m_queryBox);
}

void CQueryDlg::showError(const QString &text)
{
    m_errorLine->setText(text);
    m_errorLine->setVisible(!text.isEmpty());
}

void CQueryDlg::showResult(const QString &name, const QString &sql)
{
    m_list->beginFill();
    m_list->deleteAllItems();
    while (m_list->deleteColumn(0)) { }
    showError(QString());

    bool run = !sql.isEmpty();
    if (run && m_store.statementAccess(sql) == CRecordStore::StatementAccess::Writes) {
        m_list->endFill();
        m_ui.prompter.error(this, queryWritesMessage(name));
        return;
    }
    // A query without rows leaves the list empty; one SQLite refuses also says why.
    const CWaitCursor wait;
    if (run && !m_store.RunSql(sql)) {
        const QString reason = m_store.lastError();
        showError(reason.isEmpty() ? queryFailedMessage(name, reason) : reason);
        run = false;
    }
    run = run && m_store.FieldCount() >= 1;
    if (run) {
        m_store.MoveFirst();
        const int fields = m_store.FieldCount();
        for (int c = 0; c < fields; ++c)
            m_list->insertColumn(-1, m_store.GetFieldName(c), Qt::AlignLeft, -1);
        for (; !m_store.IsEOF(); m_store.MoveNext()) {
            const int row = m_list->insertItem(-1, m_store.GetFieldText(0));
            for (int c = 1; c < fields; ++c)
                m_list->setItemText(row, c, m_store.GetFieldText(c));
        }
    }
    m_list->endFill();
    // A desktop window that opened empty grows to show the columns chosen.
    growToContent(this);
}

void CQueryDlg::onQueries()
{
    {
        CQueryBuilderDlg builder(m_store, m_ui, this);
        builder.exec();
    }
    refresh();
}

void CQueryDlg::onExport()
{
    if (m_selected < 0 || m_selected >= countSavedQueries(m_store))
        return;
    QString path = m_ui.files.saveFile(this, QStringLiteral("Export"), QDir::homePath() + QStringLiteral("/*.csv"),
                                       QStringLiteral("CSV Files (*.csv);;WEB Files (*.htm)"));
    if (path.isEmpty())
        return;
    // A name typed without an ending gets the default one; the dialog only
    // asked about replacing the name as typed.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".csv");
        if (QFileInfo::exists(path)
            && !m_ui.prompter.warningYesNo(
                this,
                QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(path))))
            return;
    }
    QString message;
    ExportStatus status = ExportStatus::NothingToWrite;
    {
        const CWaitCursor wait;
        status = exportSavedQuery(m_store, m_selected, path, &message);
    }
    if (status != ExportStatus::Written && status != ExportStatus::NothingToWrite)
        m_ui.prompter.error(this, message);
}
