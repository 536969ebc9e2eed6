#include "rockets/RecMotorsDlg.h"

#include "db/RecordStore.h"
#include "db/SqlText.h"
#include "db/StoreTransaction.h"
#include "rockets/RocketQueries.h"
#include "ui/CommandBar.h"
#include "ui/DropDownSizing.h"
#include "ui/Prompter.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr char kMotorsQuery[] = "Select * FROM Motors ORDER BY Type";
// The least a drop-down of the motor row gets: the five fields of a staged,
// clustered rocket share the handheld's 240 pixels.
constexpr int kNarrowestDropDown = 44;

QComboBox *makeCombo(QWidget *parent, const QString &name)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setAccessibleName(name);
    // As wide as its longest entry where there is room, and as narrow as the
    // handheld needs; the drop-down shows entries whole either way.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setMinimumWidth(kNarrowestDropDown);
    return combo;
}

QLineEdit *makeEdit(QWidget *parent, const QString &name)
{
    auto *edit = new QLineEdit(parent);
    edit->setAccessibleName(name);
    return edit;
}

} // namespace

CRecMotorsDlg::CRecMotorsDlg(const CRocketEditContext &context, const QString &rocketQuery, QWidget *parent)
    : CPropertyPage(QStringLiteral("Motors"), parent)
    , m_context(context)
    , m_rocketQuery(rocketQuery)
{
    // Top to bottom: one row of motor fields under their labels, the pending
    // cluster, the altitude, then the rocket's recommendations, which take
    // whatever room is left.
    m_stageLabel = new QLabel(QStringLiteral("Stage"), this);
    m_stageButton = new QPushButton(QStringLiteral("1"), this);
    m_stageButton->setAccessibleName(QStringLiteral("Stage"));
    // A one-digit button as wide as its label, not a text button's usual width.
    m_stageButton->setMinimumWidth(24);
    m_stageButton->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto *mfgLabel = new QLabel(QStringLiteral("MFG"), this);
    m_mfgCombo = makeCombo(this, QStringLiteral("MFG"));
    mfgLabel->setBuddy(m_mfgCombo);
    auto *typeLabel = new QLabel(QStringLiteral("Motor"), this);
    m_typeCombo = makeCombo(this, QStringLiteral("Motor"));
    typeLabel->setBuddy(m_typeCombo);
    auto *delayLabel = new QLabel(QStringLiteral("Delay"), this);
    m_delayEdit = makeEdit(this, QStringLiteral("Delay"));
    delayLabel->setBuddy(m_delayEdit);
    m_qtyLabel = new QLabel(QStringLiteral("Qty"), this);
    m_qtyEdit = makeEdit(this, QStringLiteral("Qty"));
    m_qtyLabel->setBuddy(m_qtyEdit);
    const int shortField = m_delayEdit->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12;
    m_delayEdit->setMinimumWidth(shortField);
    m_qtyEdit->setMinimumWidth(shortField);

    // The class and total impulse of the motor named, under the motor fields.
    m_thrust = new QLabel(this);
    m_thrust->setObjectName(QStringLiteral("motorThrust"));
    // Its few words never widen the motor row, which the handheld fills already.
    m_thrust->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    // The motor's predicted flight in this rocket, in words, warnings included.
    // A box that scrolls, as the warnings may run longer than the handheld has room for.
    m_prediction = new QPlainTextEdit(this);
    m_prediction->setObjectName(QStringLiteral("motorPrediction"));
    m_prediction->setAccessibleName(QStringLiteral("Prediction"));
    m_prediction->setReadOnly(true);
    m_prediction->setFrameShape(QFrame::NoFrame);
    m_prediction->setBackgroundRole(QPalette::Window);
    m_prediction->viewport()->setBackgroundRole(QPalette::Window);
    m_prediction->setMinimumHeight(3 * m_prediction->fontMetrics().lineSpacing() + 4);
    m_prediction->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);

    m_clusterLabel = new QLabel(QStringLiteral("Motor Cluster"), this);
    m_addToCluster = new QPushButton(QStringLiteral("Add to cluster"), this);
    m_pendingList = new QListWidget(this);
    m_pendingList->setAccessibleName(QStringLiteral("Motor Cluster"));
    m_pendingList->setMinimumHeight(32);
    m_clusterLabel->setBuddy(m_pendingList);

    m_altLabel = new QLabel(QStringLiteral("Expected Altitude"), this);
    m_altLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_altEdit = makeEdit(this, QStringLiteral("Expected Altitude"));
    m_altLabel->setBuddy(m_altEdit);
    m_predict = new QPushButton(QStringLiteral("Predict"), this);

    m_listFrame = new QGroupBox(QStringLiteral("Recommended Motors List"), this);
    m_recommendations = new QListWidget(m_listFrame);
    m_recommendations->setAccessibleName(QStringLiteral("Recommended Motors List"));
    auto *frameLayout = new QVBoxLayout(m_listFrame);
    frameLayout->setContentsMargins(4, 2, 4, 4);
    frameLayout->addWidget(m_recommendations);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(2);
    fields->setVerticalSpacing(1);
    const std::pair<QLabel *, QWidget *> columns[] = {{m_stageLabel, m_stageButton},
                                                      {mfgLabel, m_mfgCombo},
                                                      {typeLabel, m_typeCombo},
                                                      {delayLabel, m_delayEdit},
                                                      {m_qtyLabel, m_qtyEdit}};
    for (int column = 0; column < 5; ++column) {
        fields->addWidget(columns[column].first, 0, column);
        fields->addWidget(columns[column].second, 1, column);
    }
    // The two drop-downs share what the short fields leave.
    fields->setColumnStretch(1, 2);
    fields->setColumnStretch(2, 2);
    fields->setColumnStretch(3, 1);
    fields->setColumnStretch(4, 1);

    auto *clusterHead = new QHBoxLayout;
    clusterHead->addWidget(m_clusterLabel, 1);
    clusterHead->addWidget(m_addToCluster);
    auto *altRow = new QHBoxLayout;
    altRow->addWidget(m_altLabel, 3);
    altRow->addWidget(m_altEdit, 2);
    altRow->addWidget(m_predict);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);
    layout->addLayout(fields);
    layout->addWidget(m_thrust);
    layout->addWidget(m_prediction, 1);
    layout->addLayout(clusterHead);
    layout->addWidget(m_pendingList, 1);
    layout->addLayout(altRow);
    layout->addWidget(m_listFrame, 3);

    connect(m_typeCombo, &QComboBox::activated, this, &CRecMotorsDlg::onMotorChosen);
    // A motor typed rather than chosen gets its figures too.
    for (QLineEdit *edit : {m_typeCombo->lineEdit(), m_mfgCombo->lineEdit(), m_delayEdit})
        connect(edit, &QLineEdit::textEdited, this, &CRecMotorsDlg::showThrust);
    // So does a maker, or the blank entry, picked from a drop-down.
    for (QComboBox *combo : {m_typeCombo, m_mfgCombo})
        connect(combo, &QComboBox::activated, this, &CRecMotorsDlg::showThrust);
    connect(m_qtyEdit, &QLineEdit::textEdited, this, &CRecMotorsDlg::showThrust);
    connect(m_predict, &QPushButton::clicked, this, &CRecMotorsDlg::OnPredict);
    // A value the flyer writes is theirs, not the prediction's.
    connect(m_altEdit, &QLineEdit::textEdited, this, [this] { m_predictedAlt.clear(); });
    connect(m_stageButton, &QPushButton::clicked, this, &CRecMotorsDlg::onStageButton);
    connect(m_addToCluster, &QPushButton::clicked, this, &CRecMotorsDlg::onAddToCluster);
    connect(m_pendingList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { onPendingChosen(m_pendingList->row(item)); });
    // The highlighted line is the one REMOVE and UPDATE act on, however it was
    // reached: a tap or the arrow keys.
    connect(m_recommendations, &QListWidget::currentRowChanged, this, &CRecMotorsDlg::onRecommendationChosen);
}

void CRecMotorsDlg::readRocket()
{
    CRecordStore &store = m_context.store;
    if (!openRocketRow(store, m_rocketQuery))
        return;
    m_staged = isRocketFlagSet(store.GetFieldText(kRocketStages));
    m_clustered = isRocketFlagSet(store.GetFieldText(kRocketClustered));
    m_rocketId = store.GetFieldText(kRocketId);
}

void CRecMotorsDlg::onInitDialog()
{
    CCommandBar *bar = createCommandBar();
    connect(bar->addCommand(QStringLiteral("ADD")), &QAction::triggered, this, &CRecMotorsDlg::OnAdd);
    connect(bar->addCommand(QStringLiteral("UPDATE")), &QAction::triggered, this, &CRecMotorsDlg::OnUpdate);
    connect(bar->addCommand(QStringLiteral("REMOVE")), &QAction::triggered, this, &CRecMotorsDlg::OnRemove);

    readRocket();
    CWaitCursor wait;
    CRecordStore &store = m_context.store;
    m_typeCombo->addItem(QString());
    m_mfgCombo->addItem(QString());
    if (store.RunSql(QLatin1String(kMotorsQuery))) {
        QStringList mfgs;
        for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
            m_typeCombo->addItem(store.GetFieldText(1));
            const QString mfg = store.GetFieldText(3);
            if (!mfgs.contains(mfg))
                mfgs.append(mfg);
        }
        mfgs.sort(Qt::CaseInsensitive);
        m_mfgCombo->addItems(mfgs);
    }
    m_typeCombo->setCurrentIndex(-1);
    m_mfgCombo->setCurrentIndex(-1);
    sizeDropDown(m_typeCombo);
    sizeDropDown(m_mfgCombo);
    fillRecommendations();
}

bool CRecMotorsDlg::onSetActive()
{
    CPropertyPage::onSetActive();
    // The Misc page may just have changed the flags, and with them what a
    // line of the list stands for: a row, or a group.
    const bool staged = m_staged;
    const bool clustered = m_clustered;
    readRocket();
    applyLayout();
    if (staged != m_staged || clustered != m_clustered)
        fillRecommendations();
    m_stage = 1;
    m_stageButton->setText(QStringLiteral("1"));
    return true;
}

void CRecMotorsDlg::applyLayout()
{
    for (QWidget *widget : std::initializer_list<QWidget *> {m_stageLabel, m_stageButton, m_qtyLabel, m_qtyEdit,
                                                             m_clusterLabel, m_addToCluster, m_pendingList})
        widget->show();
    m_clusterLabel->setText(QStringLiteral("Motor Cluster"));
    if (!m_clustered) {
        m_qtyLabel->hide();
        m_qtyEdit->hide();
        m_clusterLabel->setText(QStringLiteral("Stage Motors"));
    }
    if (!m_staged) {
        m_stageLabel->hide();
        m_stageButton->hide();
    }
    if (!m_staged && !m_clustered) {
        m_addToCluster->hide();
        m_clusterLabel->hide();
        m_pendingList->hide();
    }
}

void CRecMotorsDlg::fillRecommendations()
{
    m_stage = 1;
    m_stageButton->setText(QStringLiteral("1"));
    const QSignalBlocker blocker(m_recommendations);
    m_recommendations->clear();
    m_selected = -1;
    const CRecMotorEntries lines = readRecMotorListLines(m_context.store, m_rocketId, m_staged, m_clustered);
    m_groups = lines.groups;
    m_recommendations->addItems(lines.entries);
    m_recommendations->setCurrentRow(-1);
}

QStringList CRecMotorsDlg::recommendationLines() const
{
    QStringList lines;
    for (int i = 0; i < m_recommendations->count(); ++i)
        lines.append(m_recommendations->item(i)->text());
    return lines;
}

QStringList CRecMotorsDlg::pendingLines() const
{
    QStringList lines;
    for (int i = 0; i < m_pendingList->count(); ++i)
        lines.append(m_pendingList->item(i)->text());
    return lines;
}

void CRecMotorsDlg::loadValues()
{
    m_typeCombo->setEditText(m_type);
    m_mfgCombo->setEditText(m_mfg);
    m_delayEdit->setText(m_delay);
    m_qtyEdit->setText(m_qty);
    m_altEdit->setText(m_alt);
    showThrust();
}

void CRecMotorsDlg::showThrust()
{
    m_thrust->setText(catalogueThrustText(
        catalogueThrust(m_context.store, m_typeCombo->currentText(), m_mfgCombo->currentText(), m_delayEdit->text())));
    if (m_typeCombo->currentText().trimmed().isEmpty()) {
        m_prediction->clear();
        return;
    }
    m_prediction->setPlainText(predictShown().text(settingsHeightUnit(m_context.settings)));
}

CRecMotorPrediction CRecMotorsDlg::predictShown() const
{
    const int count = m_clustered ? std::max(1, leadingInteger(m_qtyEdit->text())) : 1;
    return predictRecMotor(m_context.store, m_context.settings, m_rocketId, m_typeCombo->currentText(),
                           m_mfgCombo->currentText(), count);
}

void CRecMotorsDlg::OnPredict()
{
    CPrompter &prompter = m_context.ui.prompter;
    const EHeightUnit unit = settingsHeightUnit(m_context.settings);
    const CRecMotorPrediction predicted = predictShown();
    if (!predicted.ok() || !predicted.prediction.flown) {
        prompter.error(this, QStringLiteral("No altitude can be predicted: ") + predicted.text(unit));
        return;
    }
    const QString altitude = expectedAltitudeText(predicted.prediction.apogeeM, unit);
    const QString written = m_altEdit->text().trimmed();
    if (!written.isEmpty() && written != altitude && written != m_predictedAlt
        && !prompter.warningYesNoDefaultNo(this,
                                           QStringLiteral("Replace the expected altitude %1 with the "
                                                          "predicted %2?")
                                               .arg(written, altitude)))
        return;
    m_altEdit->setText(altitude);
    m_predictedAlt = altitude;
}

void CRecMotorsDlg::saveValues()
{
    m_type = m_typeCombo->currentText();
    m_mfg = m_mfgCombo->currentText();
    m_delay = m_delayEdit->text();
    m_qty = m_qtyEdit->text();
    m_alt = m_altEdit->text();
}

void CRecMotorsDlg::onMotorChosen(int index)
{
    CRecordStore &store = m_context.store;
    const int row = index - 1;
    if (row < 0 || !store.RunSql(QLatin1String(kMotorsQuery)) || row >= store.CountRecords())
        return;
    store.MoveTo(row);
    saveValues();
    m_type = store.GetFieldText(1);
    m_mfg = store.GetFieldText(3);
    m_delay = store.GetFieldText(2);
    loadValues();
}

void CRecMotorsDlg::onStageButton()
{
    m_stage = m_stage >= 3 ? 1 : m_stage + 1;
    m_stageButton->setText(QString::number(m_stage));
}

void CRecMotorsDlg::onAddToCluster()
{
    saveValues();
    if (m_qty.isEmpty())
        m_qty = QStringLiteral("1");
    const CPendingMotor motor {m_type, m_delay, m_mfg, QString::number(m_stage), m_qty};
    m_pending.append(motor);
    m_pendingList->addItem(pendingMotorLine(motor, m_staged, m_clustered));
    loadValues();
}

void CRecMotorsDlg::onPendingChosen(int index)
{
    if (!m_context.ui.prompter.warningYesNo(this, QStringLiteral("Remove this motor?")))
        return;
    if (index < 0 || index >= m_pending.size())
        return;
    delete m_pendingList->takeItem(index);
    m_pending.removeAt(index);
}

void CRecMotorsDlg::clearPending()
{
    m_pending.clear();
    m_pendingList->clear();
}

void CRecMotorsDlg::onRecommendationChosen(int index)
{
    m_selected = -1;
    if (index < 0)
        return;
    m_selected = index;
    CRecordStore &store = m_context.store;
    if (!store.RunSql(recMotorsQuery(m_rocketId)) || index >= store.CountRecords())
        return;
    saveValues();
    if (!m_staged && !m_clustered) {
        store.MoveTo(index);
        m_type = store.GetFieldText(kRecMotorType);
        m_mfg = store.GetFieldText(kRecMotorMfg);
        m_delay = store.GetFieldText(kRecMotorDelay);
        m_alt = store.GetFieldText(kRecMotorAlt);
        loadValues();
        return;
    }
    clearPending();
    if (index >= m_groups.size())
        return;
    // The group is loaded into the pending list, to be stored again with UPDATE.
    m_pending = readRecMotorGroup(store, m_rocketId, m_groups.at(index), &m_alt);
    for (const CPendingMotor &motor : std::as_const(m_pending))
        m_pendingList->addItem(pendingMotorLine(motor, m_staged, m_clustered));
    loadValues();
}

bool CRecMotorsDlg::readyToStore()
{
    saveValues();
    CPrompter &prompter = m_context.ui.prompter;
    if (!m_staged && !m_clustered) {
        if (m_type.isEmpty() || m_mfg.isEmpty() || m_delay.isEmpty()) {
            prompter.error(this, QStringLiteral("Please enter more motor data"));
            return false;
        }
        return true;
    }
    // A motor typed but not yet added to the cluster is the one the flyer means.
    if (m_pending.isEmpty() && !m_type.isEmpty())
        onAddToCluster();
    if (m_pending.isEmpty())
        return false;
    if (m_clustered && m_pending.size() == 1 && leadingInteger(m_pending.first().qty) <= 1) {
        prompter.error(this, QStringLiteral("This is a clustered model\nPlease enter more than one motor"));
        return false;
    }
    if (m_staged && m_pending.size() < 2) {
        prompter.error(this, QStringLiteral("This is a staged model\nPlease enter more than one stage"));
        return false;
    }
    return true;
}

bool CRecMotorsDlg::storeNew(const QString &rocketId)
{
    CRecordStore &store = m_context.store;
    if (!m_staged && !m_clustered)
        return insertSimpleRecMotor(store, rocketId, {m_type, m_delay, m_mfg, QString(), QString()}, m_alt);
    return insertRecMotorGroup(store, rocketId, m_pending, m_alt);
}

bool CRecMotorsDlg::removeSelected()
{
    if (m_selected < 0)
        return true;
    CRecordStore &store = m_context.store;
    if (!m_staged && !m_clustered)
        return deleteSimpleRecMotor(store, m_rocketId, m_selected);
    return m_selected < m_groups.size() && deleteRecMotorGroup(store, m_rocketId, m_groups.at(m_selected));
}

void CRecMotorsDlg::replaceSelected(bool removeFirst)
{
    if (!readyToStore())
        return;
    CRecordStore &store = m_context.store;
    if (!openRocketRow(store, m_rocketQuery))
        return;
    const QString id = store.GetFieldText(kRocketId);
    bool stored = false;
    {
        // Either the old recommendation is replaced or nothing changes.
        CStoreTransaction transaction(store);
        stored = transaction.isActive() && (!removeFirst || removeSelected()) && storeNew(id) && transaction.commit();
    }
    if (!stored) {
        m_context.ui.prompter.error(this, QStringLiteral("The motors could not be stored: ") + store.lastError());
        return;
    }
    clearPending();
    fillRecommendations();
}

void CRecMotorsDlg::OnAdd()
{
    replaceSelected(false);
}

void CRecMotorsDlg::OnRemove()
{
    if (removeSelected())
        fillRecommendations();
    m_selected = -1;
}

void CRecMotorsDlg::OnUpdate()
{
    replaceSelected(true);
}
