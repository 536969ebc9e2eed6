#include "motors/DefaultMotorsDlg.h"

#include "charts/ThrustCurvePlot.h"
#include "db/RecordStore.h"
#include "motors/MotorCurveStore.h"
#include "motors/MotorFilterDlg.h"
#include "motors/MotorImport.h"
#include "motors/MotorLineModel.h"
#include "motors/MotorListView.h"
#include "motors/MotorTable.h"
#include "ui/CommandBar.h"
#include "ui/FileChooser.h"
#include "ui/FormFactor.h"
#include "ui/HelpBrowser.h"
#include "ui/Prompter.h"
#include "ui/StatusWindow.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <optional>

namespace {
// The motor files among dropped URLs: local files with a thrust-curve or CSV ending.
QStringList droppedMotorFiles(const QMimeData *data)
{
    QStringList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        const QString path = url.toLocalFile();
        if (path.endsWith(QLatin1String(".eng"), Qt::CaseInsensitive)
            || path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            paths.append(path);
    }
    return paths;
}

// One line of a several-file summary: the file's name and what became of it.
QString summaryLine(const CMotorImportResult &result)
{
    const QString outcome = result.outcome == CMotorImportResult::Outcome::Unreadable
        ? QStringLiteral("could not be read: ") + result.readError
        : QString(result.message()).replace(QLatin1Char('\n'), QLatin1String("; "));
    return QFileInfo(result.file).fileName() + QStringLiteral(": ") + outcome;
}

// The least widths of the MFG, Type, Delay and Size columns: the handheld's.
constexpr std::array<int, 4> kColumnWidths = {62, 44, 58, 56};
} // namespace

CDefaultMotorsDlg::CDefaultMotorsDlg(CRecordStore &store, CStatusWindow &status, CUiServices ui,
                                     const QString &fileDirectory, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_status(status)
    , m_statusHome(status.parentWidget())
    , m_ui(ui)
    , m_fileDirectory(fileDirectory)
{
    setWindowTitle(QStringLiteral("Default Motors"));
    setObjectName(QStringLiteral("defaultMotorsDialog"));
    setAcceptDrops(true);
    buildLayout();
    rememberWindowState(this, m_ui.windowSettings, {m_list->header()});
    installHelp(this, QStringLiteral("motors"));

    m_status.moveInto(this);
    loadList();
}

CDefaultMotorsDlg::~CDefaultMotorsDlg()
{
    // The status window outlives this dialog: hand it back before the children go.
    m_status.hideProgress();
    m_status.moveInto(m_statusHome);
}

void CDefaultMotorsDlg::buildLayout()
{
    auto *title = new QLabel(QStringLiteral("Default Motors"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    m_mfgBox = new QComboBox(this);
    m_mfgBox->setEditable(true);
    m_mfgBox->setInsertPolicy(QComboBox::NoInsert);
    m_typeEdit = new QLineEdit(this);
    m_delayEdit = new QLineEdit(this);
    m_sizeEdit = new QLineEdit(this);

    auto *inputs = new QGridLayout;
    inputs->setHorizontalSpacing(2);
    inputs->setVerticalSpacing(0);
    const char *labels[] = {"MFG", "Type", "Delay", "Size"};
    QWidget *fields[] = {m_mfgBox, m_typeEdit, m_delayEdit, m_sizeEdit};
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(QLatin1String(labels[i]), this);
        label->setBuddy(fields[i]);
        // Narrow enough for four in a row on the handheld, growing alike with the window.
        fields[i]->setMinimumWidth(kColumnWidths[i] - 2);
        fields[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        inputs->addWidget(label, 0, i);
        inputs->addWidget(fields[i], 1, i);
        inputs->setColumnStretch(i, kColumnWidths[i]);
    }

    auto *add = new QPushButton(QStringLiteral("ADD"), this);
    auto *remove = new QPushButton(QStringLiteral("REMOVE"), this);
    connect(add, &QPushButton::clicked, this, &CDefaultMotorsDlg::onAdd);
    connect(remove, &QPushButton::clicked, this, &CDefaultMotorsDlg::onRemove);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addStretch();
    buttons->addWidget(remove);

    m_model = new CMotorLineModel(this);
    m_list = createMotorListView(m_model, kColumnWidths, this);
    m_list->setAccessibleName(QStringLiteral("Motors"));
    m_list->viewport()->installEventFilter(this);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CDefaultMotorsDlg::onSelectionChanged);

    m_plot = new CThrustCurvePlot(this);
    m_plot->hide();
    m_figures = new QLabel(this);
    m_figures->setWordWrap(true);
    m_figures->hide();

    auto *note = new QLabel(QStringLiteral("NOTE: Keep this list to a minimum to optimize speed of operation."), this);
    note->setWordWrap(true);

    m_commandBar = new CCommandBar(this);
    QMenu *functions = m_commandBar->addMenu(QStringLiteral("&Functions"));
    connect(functions->addAction(QStringLiteral("Remove All")), &QAction::triggered, this,
            &CDefaultMotorsDlg::onRemoveAll);
    connect(functions->addAction(QStringLiteral("Load From File")), &QAction::triggered, this,
            &CDefaultMotorsDlg::onLoadFromFile);
    connect(functions->addAction(QStringLiteral("Filter")), &QAction::triggered, this, &CDefaultMotorsDlg::onFilter);
    m_commandBar->addStretch();
    // Every change is stored at once, so closing only closes.
    connect(m_commandBar->addCommand(QStringLiteral("OK")), &QAction::triggered, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(3);
    layout->addWidget(title);
    layout->addLayout(inputs);
    layout->addLayout(buttons);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_plot, 1);
    layout->addWidget(m_figures);
    layout->addWidget(note);
    layout->addWidget(m_commandBar);
}

void CDefaultMotorsDlg::readFields()
{
    m_fields.mfg = m_mfgBox->currentText();
    m_fields.type = m_typeEdit->text();
    m_fields.delay = m_delayEdit->text();
    m_fields.size = m_sizeEdit->text();
}

void CDefaultMotorsDlg::writeFields()
{
    m_mfgBox->setEditText(m_fields.mfg);
    m_typeEdit->setText(m_fields.type);
    m_delayEdit->setText(m_fields.delay);
    m_sizeEdit->setText(m_fields.size);
}

void CDefaultMotorsDlg::loadList()
{
    CWaitCursor wait;
    m_model->setLines({}, {});
    m_motors.clear();
    // One query for the lines and their figures, in the list's order.
    m_status.showProgress(QStringLiteral("Loading Motors list box"));
    std::optional<std::vector<CCatalogueMotor>> motors = loadMotorCatalogue(m_store);
    if (!motors) {
        m_status.hideProgress();
        m_ui.prompter.error(this, QStringLiteral("The motor catalogue cannot be read: %1.").arg(m_store.lastError()));
        motors.emplace();
    }
    QStringList lines;
    lines.reserve(qsizetype(motors->size()));
    std::vector<std::optional<CMotorFigures>> figures;
    figures.reserve(motors->size());
    const QChar tab = QLatin1Char('\t');
    const QString total = QString::number(motors->size());
    for (CCatalogueMotor &motor : *motors) {
        lines.append(motor.mfg + tab + motor.type + tab + motor.delay + tab + motor.size);
        // The status window paints only now and then, so each line may say so.
        m_status.showProgress(QStringLiteral("Loading Motor\n") + QString::number(lines.size()) + QStringLiteral(" of ")
                              + total);
        figures.push_back(motor.hasCurve ? std::optional(motor.figures) : std::nullopt);
    }
    m_motors = std::move(*motors);
    m_model->setLines(std::move(lines), std::move(figures));
    m_status.finishProgress();
    m_selected = -1;
    showCurve();
    // Before the first show every column counts toward the window's size.
    if (isVisible())
        fitFigureColumns();

    m_fields.type.clear();
    m_fields.delay.clear();
    m_fields.size.clear();
    writeFields();
    m_mfgBox->setCurrentIndex(-1);
    m_mfgBox->setEditText(QString());
    m_fields.mfg.clear();

    m_status.hideProgress();
}

void CDefaultMotorsDlg::onSelectionChanged()
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    m_selected = rows.isEmpty() ? -1 : rows.first().row();
    if (m_selected >= 0)
        writeFields();
    showCurve();
}

void CDefaultMotorsDlg::showCurve()
{
    std::optional<CMotorCurveRow> curve;
    // A curve that cannot be read is not shown as a motor without one.
    const bool read = m_selected < 0 || size_t(m_selected) >= m_motors.size()
        || loadMotorCurve(m_store, m_motors[size_t(m_selected)], curve);
    if (curve)
        m_plot->setCurve(curve->points, curve->figures, curve->masses);
    else
        m_plot->clearCurve();
    m_hasCurve = bool(curve);
    m_figures->setText(read ? m_plot->figuresText()
                            : QStringLiteral("The thrust curve cannot be read: %1.").arg(m_store.lastError()));
    m_figures->setVisible(m_hasCurve || !read);
    placeCurve();
}

void CDefaultMotorsDlg::placeCurve()
{
    m_plot->setVisible(m_hasCurve && roomForCurve());
    // A desktop window that opened without a curve makes room for it.
    if (m_plot->isVisible())
        growToContent(this);
}

// A desktop window grows to hold the plot. A screen-filling one gives it room
// only while the list keeps a few lines in sight beside it; where it cannot,
// the figures under the list stand for the curve.
bool CDefaultMotorsDlg::roomForCurve() const
{
    constexpr int kLinesBesideCurve = 4;
    if (!isVisible() || formFactorOf(this) == FormFactor::Desktop)
        return true;
    const int spacing = layout()->spacing();
    // The height the list and the plot share, whichever shows now.
    const int shared = m_list->height() + (m_plot->isVisible() ? m_plot->height() + spacing : 0);
    const int line = qMax(m_list->sizeHintForRow(0), m_list->fontMetrics().height());
    const int listNeeds = m_list->header()->sizeHint().height() + kLinesBesideCurve * line + 2 * m_list->frameWidth();
    return shared - m_plot->minimumHeight() - spacing >= listNeeds;
}

void CDefaultMotorsDlg::placeCurveLater()
{
    if (m_placePending)
        return;
    m_placePending = true;
    QTimer::singleShot(0, this, [this] {
        m_placePending = false;
        placeCurve();
    });
}

bool CDefaultMotorsDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::Resize) {
        fitFigureColumns();
        placeCurveLater();
    }
    return QDialog::eventFilter(watched, event);
}

void CDefaultMotorsDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window moved to another screen may keep its size but not its form.
    if (QWindow *window = windowHandle())
        connect(window, &QWindow::screenChanged, this, &CDefaultMotorsDlg::placeCurveLater, Qt::UniqueConnection);
    placeCurveLater();
}

void CDefaultMotorsDlg::fitFigureColumns()
{
    // The figures show only where every column fits beside the motor's own values.
    const int columns = m_model->columnCount();
    const bool fits = m_list->sizeHint().width() <= m_list->width();
    for (int column = 4; column < columns; ++column)
        m_list->setColumnHidden(column, !fits);
}

void CDefaultMotorsDlg::onAdd()
{
    readFields();
    if (!hasRequiredMotorValues(m_fields)) {
        m_ui.prompter.error(this, QStringLiteral("Please enter more motor data"));
        return;
    }
    // What was typed stays to be added again once the logbook takes it.
    if (!addMotor(m_store, m_fields)) {
        m_ui.prompter.error(this, QStringLiteral("The motor was not added: %1.").arg(m_store.lastError()));
        return;
    }
    loadList();
}

void CDefaultMotorsDlg::onRemove()
{
    const int selected = m_selected;
    if (selected < 0 || size_t(selected) >= m_motors.size())
        return;
    const CCatalogueMotor &motor = m_motors[size_t(selected)];
    // A motor typed or imported without a maker is named by its type alone.
    QString described = (motor.mfg + QLatin1Char(' ') + motor.type).trimmed();
    if (!motor.delay.isEmpty())
        described += QStringLiteral(", delay ") + motor.delay;
    if (!motor.size.isEmpty())
        described += QStringLiteral(", size ") + motor.size;
    if (!m_ui.prompter.warningYesNoDefaultNo(this, QStringLiteral("Remove this motor?\n") + described))
        return;
    MotorRemoval removal = MotorRemoval::Failed;
    {
        CWaitCursor wait;
        removal = removeMotor(m_store, motor.id, motor.values());
    }
    switch (removal) {
    case MotorRemoval::Removed:
        m_model->removeLine(selected);
        m_motors.erase(m_motors.begin() + selected);
        // The removed line took the selection with it; a second REMOVE must not take its neighbour.
        m_list->selectionModel()->clearSelection();
        m_selected = -1;
        showCurve();
        return;
    case MotorRemoval::Gone:
        m_ui.prompter.error(this,
                            QStringLiteral("%1 is no longer in the logbook: another program has removed it. "
                                           "The list is read again.")
                                .arg(described));
        break;
    case MotorRemoval::Changed:
        m_ui.prompter.error(this,
                            QStringLiteral("%1 was changed in the logbook by another program since the list was "
                                           "read, so nothing was removed. The list is read again.")
                                .arg(described));
        break;
    case MotorRemoval::Failed:
        m_ui.prompter.error(this, QStringLiteral("The motor was not removed: %1.").arg(m_store.lastError()));
        return;
    }
    loadList();
}

void CDefaultMotorsDlg::onRemoveAll()
{
    if (!m_ui.prompter.warningYesNo(this, QStringLiteral("Remove All Motors?")))
        return;
    bool removed = false;
    {
        CWaitCursor wait;
        removed = removeAllMotors(m_store);
    }
    // Refused, nothing changed: the list and what was typed stay.
    if (!removed) {
        m_ui.prompter.error(this, QStringLiteral("The motors were not removed: %1.").arg(m_store.lastError()));
        return;
    }
    loadList();
}

void CDefaultMotorsDlg::onLoadFromFile()
{
    importFiles(m_ui.files.openFiles(this, QStringLiteral("Open"), m_fileDirectory,
                                     QStringLiteral("Motor Files (*.eng);;CSV Files (*.csv)")));
}

void CDefaultMotorsDlg::importFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    QList<CMotorImportResult> results;
    {
        CWaitCursor wait;
        // Each file is its own transaction: one the logbook refuses leaves the others stored.
        for (const QString &path : paths)
            results.append(importMotorFile(m_store, path, m_status));
    }
    const bool anyStored = std::any_of(results.cbegin(), results.cend(),
                                       [](const CMotorImportResult &result) { return result.succeeded(); });
    if (results.size() == 1) {
        const CMotorImportResult &result = results.first();
        // An unreadable file says nothing; the status text stays until the next list load.
        if (result.outcome == CMotorImportResult::Outcome::Unreadable)
            return;
        m_ui.prompter.prompt(this, result.caption(), result.message(), PromptIcon::None, PromptButtons::Ok);
    } else {
        const bool allStored = std::all_of(results.cbegin(), results.cend(),
                                           [](const CMotorImportResult &result) { return result.succeeded(); });
        QStringList lines;
        for (const CMotorImportResult &result : results)
            lines.append(summaryLine(result));
        m_ui.prompter.prompt(this, allStored ? QStringLiteral("Success") : QStringLiteral("Error"),
                             lines.join(QLatin1Char('\n')), PromptIcon::None, PromptButtons::Ok);
    }
    if (!anyStored)
        return;
    m_status.hideProgress();
    loadList();
}

void CDefaultMotorsDlg::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedMotorFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CDefaultMotorsDlg::dragMoveEvent(QDragMoveEvent *event)
{
    if (!droppedMotorFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CDefaultMotorsDlg::dropEvent(QDropEvent *event)
{
    const QStringList paths = droppedMotorFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // The drag source waits for the drop to end: import and answer after it has.
    QTimer::singleShot(0, this, [this, paths] { importFiles(paths); });
}

void CDefaultMotorsDlg::onFilter()
{
    readFields();
    CMotorFilterDlg filter(m_store, m_ui, this);
    filter.exec();
    loadList();
}
