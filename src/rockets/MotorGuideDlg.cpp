#include "rockets/MotorGuideDlg.h"

#include "db/RecordStore.h"
#include "prediction/CurveMotors.h"
#include "prediction/MeasureUnits.h"
#include "prediction/MotorGuideModel.h"
#include "rockets/RecMotorPrediction.h"
#include "rockets/RecMotorRules.h"
#include "rockets/RocketQueries.h"
#include "ui/FormFactor.h"
#include "ui/HelpBrowser.h"
#include "ui/Prompter.h"
#include "ui/WaitCursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <map>

namespace {

// The guide sorted by the numbers behind its cells; a cell's whole text as its
// tip, for a result too long for its column.
class CGuideSortModel : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const QVariant tip = QSortFilterProxyModel::data(index, role);
        return role == Qt::ToolTipRole && !tip.isValid() ? QSortFilterProxyModel::data(index, Qt::DisplayRole) : tip;
    }
};

QString millimetres(double metres)
{
    return QLocale().toString(metres * 1000, 'f', 0) + QStringLiteral(" mm");
}

} // namespace

CMotorGuideDlg::CMotorGuideDlg(const CRocketEditContext &context, const QString &rocketId, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_rocketId(rocketId)
{
    setWindowTitle(QStringLiteral("Motor Guide"));
    buildLayout();
    installHelp(this, QStringLiteral("rockets"));
    applyFormFactor(this);
    if (startGuide())
        m_model->start();
}

void CMotorGuideDlg::buildLayout()
{
    // The rocket and the Cd it flies with; the filters; the table, which takes
    // the room; the progress and the commands.
    m_rocketLine = new QLabel(this);
    m_rocketLine->setObjectName(QStringLiteral("guideRocket"));
    m_rocketLine->setWordWrap(true);

    auto *classLabel = new QLabel(QStringLiteral("Class"), this);
    m_class = new QComboBox(this);
    m_class->setAccessibleName(QStringLiteral("Class"));
    classLabel->setBuddy(m_class);
    m_fits = new QCheckBox(QStringLiteral("Fits the mount"), this);
    m_fits->setAccessibleName(QStringLiteral("Fits the mount"));

    m_table = new QTableView(this);
    m_table->setAccessibleName(QStringLiteral("Motors"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setWordWrap(false);

    m_progress = new QLabel(this);
    m_progress->setObjectName(QStringLiteral("guideProgress"));
    m_progress->setWordWrap(true);

    m_add = new QPushButton(QStringLiteral("Add to Rocket"), this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_add, QDialogButtonBox::ActionRole);

    // The mount's filter under the class's: side by side they do not fit the handheld.
    auto *filters = new QHBoxLayout;
    filters->setSpacing(4);
    filters->addWidget(classLabel);
    filters->addWidget(m_class, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    layout->addWidget(m_rocketLine);
    layout->addLayout(filters);
    layout->addWidget(m_fits);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_progress);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_add, &QPushButton::clicked, this, &CMotorGuideDlg::onAddToRocket);
    connect(m_table, &QTableView::doubleClicked, this, &CMotorGuideDlg::onAddToRocket);
    connect(m_class, &QComboBox::activated, this, &CMotorGuideDlg::applyFilter);
    connect(m_fits, &QCheckBox::toggled, this, &CMotorGuideDlg::applyFilter);
}

bool CMotorGuideDlg::startGuide()
{
    CWaitCursor wait;
    CRecordStore &store = m_context.store;
    m_add->setEnabled(false);
    m_fits->setEnabled(false);
    QString error;
    if (!loadRocketFlightInputs(store, m_rocketId, readUnitSystem(m_context.settings), m_rocket, error)) {
        m_rocketLine->setText(error);
        return false;
    }
    if (openRocketRow(store, rocketQuery(m_rocketId)))
        m_groupedMotors =
            isRocketFlagSet(store.GetFieldText(kRocketStages)) || isRocketFlagSet(store.GetFieldText(kRocketClustered));
    if (!m_rocket.ok()) {
        m_rocketLine->setText(QStringLiteral("%1 cannot be flown: %2").arg(m_rocket.name, m_rocket.problemText()));
        return false;
    }
    m_rocketLine->setText(QStringLiteral("%1, %2 without motor, %3 wide; %4")
                              .arg(m_rocket.name,
                                   QLocale().toString(m_rocket.body.massKg * 1000, 'f', 0) + QStringLiteral(" g"),
                                   millimetres(m_rocket.body.diameterM), m_rocket.cd.text()));
    if (m_rocket.mountM) {
        m_fits->setText(QStringLiteral("Fits the %1 mount").arg(millimetres(*m_rocket.mountM)));
        m_fits->setEnabled(true);
    } else {
        m_fits->setToolTip(m_rocket.mountProblem.isEmpty() ? QStringLiteral("The rocket has no MMT")
                                                           : m_rocket.mountProblem);
    }

    std::optional<std::vector<CCurveMotor>> motors = loadCurveMotors(store, error);
    if (!motors) {
        m_progress->setText(QStringLiteral("The catalogue cannot be read: ") + error);
        return false;
    }
    // The classes in impulse order, each by the least impulse of its motors.
    std::map<QString, double> classes;
    for (const CCurveMotor &motor : *motors) {
        auto [at, added] = classes.try_emplace(motor.figures.impulseClass, motor.figures.totalImpulse);
        if (!added)
            at->second = std::min(at->second, motor.figures.totalImpulse);
    }
    std::vector<std::pair<double, QString>> ordered;
    ordered.reserve(classes.size());
    for (const auto &[name, impulse] : classes)
        ordered.emplace_back(impulse, name);
    std::sort(ordered.begin(), ordered.end());
    QStringList classNames;
    for (const auto &[impulse, name] : ordered)
        classNames.append(name);
    fillClasses(classNames);

    m_model = new CMotorGuideModel(CMotorGuide(m_rocket.body, CLaunchSite(), std::move(*motors)),
                                   settingsHeightUnit(m_context.settings), this);
    m_sorted = new CGuideSortModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(CMotorGuideModel::SortRole);
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(CMotorGuideModel::Apogee, Qt::DescendingOrder);
    // Until the rows are in, each column as wide as its heading.
    m_table->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
    connect(m_model, &CMotorGuideModel::progressed, this, &CMotorGuideDlg::showProgress);
    connect(m_model, &CMotorGuideModel::finished, this, [this] {
        showProgress();
        m_table->resizeColumnsToContents();
        // A long warning is read whole in its tooltip: the result column
        // takes the room the window has, never less than a short sentence.
        QHeaderView *header = m_table->horizontalHeader();
        const int result = header->sectionSize(CMotorGuideModel::Result);
        const int room = m_table->viewport()->width() - (header->length() - result);
        const int shortest =
            fontMetrics().horizontalAdvance(QStringLiteral("Leaves the guide at 12.3 m/s, under 15 m/s"));
        header->resizeSection(CMotorGuideModel::Result, std::min(result, std::max(room, shortest)));
    });
    m_add->setEnabled(true);
    showProgress();
    return true;
}

QSize CMotorGuideDlg::sizeHint() const
{
    const QSize laidOut = QDialog::sizeHint();
    // The result column's warnings are a sentence long: room for a short one.
    const int result = fontMetrics().horizontalAdvance(QStringLiteral("Leaves the guide at 12.3 m/s, under 15 m/s"));
    const QHeaderView *header = m_table->horizontalHeader();
    const int columns = header->length() - header->sectionSize(CMotorGuideModel::Result) + result;
    const int width = columns + m_table->verticalScrollBar()->sizeHint().width() + 2 * m_table->frameWidth()
        + layout()->contentsMargins().left() + layout()->contentsMargins().right();
    return {std::max(laidOut.width(), width), std::max(laidOut.height(), 32 * fontMetrics().height())};
}

void CMotorGuideDlg::fillClasses(const QStringList &classes)
{
    m_class->addItem(QStringLiteral("All"));
    m_class->addItems(classes);
}

void CMotorGuideDlg::applyFilter()
{
    if (!m_model)
        return;
    CMotorGuideFilter filter;
    if (m_class->currentIndex() > 0)
        filter.impulseClass = m_class->currentText();
    if (m_fits->isChecked())
        filter.mountM = m_rocket.mountM;
    m_model->setFilter(filter);
    showProgress();
}

void CMotorGuideDlg::showProgress()
{
    if (!m_model)
        return;
    const QLocale locale;
    const QString shown = QStringLiteral("%1 shown").arg(locale.toString(m_model->rowCount()));
    if (m_model->isFinished())
        m_progress->setText(QStringLiteral("%1 motors flown, %2").arg(locale.toString(m_model->total()), shown));
    else
        m_progress->setText(QStringLiteral("Flying %1 of %2 motors, %3")
                                .arg(locale.toString(m_model->predicted()), locale.toString(m_model->total()), shown));
}

bool CMotorGuideDlg::isRecommended(const QString &type, const QString &mfg, const QString &delay)
{
    CRecordStore &store = m_context.store;
    if (!store.RunSql(recMotorsQuery(m_rocketId)))
        return false;
    for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
        if (store.GetFieldText(kRecMotorType).trimmed().compare(type, Qt::CaseInsensitive) == 0
            && store.GetFieldText(kRecMotorMfg).trimmed().compare(mfg, Qt::CaseInsensitive) == 0
            && store.GetFieldText(kRecMotorDelay).trimmed() == delay)
            return true;
    }
    return false;
}

void CMotorGuideDlg::onAddToRocket()
{
    CPrompter &prompter = m_context.ui.prompter;
    const QModelIndex current = m_table->currentIndex();
    if (!m_model || !current.isValid()) {
        prompter.error(this, QStringLiteral("Choose a motor of the table first"));
        return;
    }
    if (m_groupedMotors) {
        prompter.error(this,
                       QStringLiteral("%1 is staged or clustered: add its motors as a group on the Motors "
                                      "page of EDIT")
                           .arg(m_rocket.name));
        return;
    }
    const CMotorGuideRow &row = m_model->rowAt(m_sorted->mapToSource(current).row());
    const CFlightPrediction &flight = row.prediction;
    const QString name = row.mfg + QLatin1Char(' ') + row.type;
    if (!flight.ok() || !flight.flown) {
        prompter.error(this, QStringLiteral("The %1 does not fly this rocket: %2").arg(name, guideResultText(flight)));
        return;
    }
    // The nearest delay it is sold with; a plugged motor keeps its own text.
    const QString delay = flight.delayS ? QString::number(*flight.delayS) : row.delays;
    if (isRecommended(row.type, row.mfg, delay)) {
        prompter.error(
            this,
            QStringLiteral("%1-%2 is already among the recommended motors of %3").arg(name, delay, m_rocket.name));
        return;
    }
    const EHeightUnit unit = settingsHeightUnit(m_context.settings);
    const CPendingMotor motor {row.type, delay, row.mfg, QString(), QString()};
    if (!insertSimpleRecMotor(m_context.store, m_rocketId, motor, expectedAltitudeText(flight.apogeeM, unit))) {
        prompter.error(this, QStringLiteral("The motor could not be added: ") + m_context.store.lastError());
        return;
    }
    ++m_added;
    m_progress->setText(
        QStringLiteral("Added %1-%2, expected %3").arg(name, delay, formatHeight(flight.apogeeM, unit)));
}
