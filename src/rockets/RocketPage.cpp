#include "rockets/RocketPage.h"

#include "checklists/ChecklistPage.h"
#include "db/RecordStore.h"
#include "rockets/MotorGuideDlg.h"
#include "rockets/RecMotorPrediction.h"
#include "rockets/RocketCatalogue.h"
#include "rockets/RocketEditSheet.h"
#include "rockets/RocketImage.h"
#include "rockets/RocketQueries.h"
#include "ui/CommandBar.h"
#include "ui/DropDownSizing.h"
#include "ui/Prompter.h"
#include "ui/PropertySheet.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBlock>
#include <QToolButton>

namespace {

QComboBox *makeCombo(QWidget *parent, const QString &name)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setAccessibleName(name);
    return combo;
}

QLineEdit *makeEdit(QWidget *parent, const QString &name)
{
    auto *edit = new QLineEdit(parent);
    edit->setAccessibleName(name);
    return edit;
}

// The question before a rocket's flights are deleted with it, with their number.
QString launchesQuestion(int launches)
{
    if (launches == 1)
        return QStringLiteral("There is 1 Launch record associated with this rocket\n"
                              "it will also be removed.\nContinue?");
    return QStringLiteral("There are %1 Launch records associated with this rocket\n"
                          "these will also be removed.\nContinue?")
        .arg(launches);
}

} // namespace

CRocketPage::CRocketPage(const Context &context, QWidget *parent)
    : CPropertyPage(QStringLiteral("Rocket"), parent)
    , m_context(context)
    , m_browser(context.store, context.mode)
    , m_sheetRunner([](CPropertySheet &sheet) { sheet.exec(); })
{
    buildControls();
    if (m_context.mode == CRocketBrowser::Mode::Browse) {
        CCommandBar *bar = createCommandBar();
        connect(bar->addCommand(QStringLiteral("EDIT")), &QAction::triggered, this, &CRocketPage::OnEdit);
        connect(bar->addCommand(QStringLiteral("ADD")), &QAction::triggered, this, &CRocketPage::OnAdd);
        connect(bar->addCommand(QStringLiteral("DELETE")), &QAction::triggered, this, &CRocketPage::OnDelete);
        connect(bar->addCommand(QStringLiteral("FLIGHTS")), &QAction::triggered, this,
                [this] { emit showFlights(m_browser.view().rocketId); });
    }
}

CRocketPage::~CRocketPage() = default;

void CRocketPage::buildControls()
{
    // The picture (or the summary beneath it) on the left under the arrows that
    // step through the rockets; the choices on the right, top to bottom. The
    // handheld's 105 x 217 picture area is the least the left column gets.
    m_summary = new QPlainTextEdit(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setReadOnly(true);
    m_summary->setAccessibleName(QStringLiteral("Summary"));
    m_summary->viewport()->installEventFilter(this);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFrameShape(QFrame::Box);
    m_picture->setAccessibleName(QStringLiteral("Picture"));
    // The picture follows the room it is given, never the other way round.
    m_picture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_picture->installEventFilter(this);

    m_pictureStack = new QStackedWidget(this);
    m_pictureStack->setMinimumSize(kPictureAreaWidth, kPictureAreaHeight);
    m_pictureStack->addWidget(m_picture);
    m_pictureStack->addWidget(m_summary);

    m_previous = new QToolButton(this);
    m_previous->setArrowType(Qt::LeftArrow);
    m_previous->setAccessibleName(QStringLiteral("Previous rocket"));
    m_next = new QToolButton(this);
    m_next->setArrowType(Qt::RightArrow);
    m_next->setAccessibleName(QStringLiteral("Next rocket"));
    for (QToolButton *arrow : {m_previous, m_next})
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_previous, &QToolButton::clicked, this, [this] { stepRocket(-1); });
    connect(m_next, &QToolButton::clicked, this, [this] { stepRocket(1); });

    m_filter = makeCombo(this, QStringLiteral("Filter"));
    auto *nameLabel = new QLabel(QStringLiteral("Rocket Name:"), this);
    m_names = makeCombo(this, QStringLiteral("Rocket Name:"));
    nameLabel->setBuddy(m_names);
    auto *motorsLabel = new QLabel(QStringLiteral("Recomended Motors:"), this);
    motorsLabel->setWordWrap(true);
    m_motors = makeCombo(this, QStringLiteral("Recomended Motors:"));
    // A motor designation is read whole, in the box where there is room and
    // always in its drop-down; the handheld's narrow box is the least it gets.
    m_motors->setMinimumWidth(m_motors->minimumSizeHint().width());
    m_motors->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    motorsLabel->setBuddy(m_motors);
    m_mfg = makeEdit(this, QStringLiteral("Manufacturer"));
    m_delay = makeEdit(this, QStringLiteral("Delay"));
    m_delay->setMinimumWidth(m_delay->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 12);
    auto *altLabel = new QLabel(QStringLiteral("Expected Alt"), this);
    m_alt = makeEdit(this, QStringLiteral("Expected Alt"));
    altLabel->setBuddy(m_alt);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 2, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    auto *arrows = new QHBoxLayout;
    arrows->setSpacing(1);
    arrows->addWidget(m_previous);
    arrows->addWidget(m_next);
    grid->addLayout(arrows, 0, 0);
    grid->addWidget(m_filter, 0, 1);
    grid->addWidget(m_pictureStack, 1, 0, 10, 1);
    grid->addWidget(nameLabel, 1, 1);
    grid->addWidget(m_names, 2, 1);
    grid->addWidget(motorsLabel, 3, 1);
    grid->addWidget(m_motors, 4, 1);
    auto *motorDetails = new QHBoxLayout;
    motorDetails->setSpacing(2);
    motorDetails->addWidget(m_mfg, 3);
    motorDetails->addWidget(m_delay, 1);
    grid->addLayout(motorDetails, 5, 1);
    grid->addWidget(altLabel, 6, 1);
    grid->addWidget(m_alt, 7, 1);
    if (m_context.mode == CRocketBrowser::Mode::Browse) {
        // Every catalogue motor flown in this rocket, to add to the recommended ones.
        m_guide = new QPushButton(QStringLiteral("Motor Guide"), this);
        grid->addWidget(m_guide, 8, 1, Qt::AlignTop);
        connect(m_guide, &QPushButton::clicked, this, &CRocketPage::OnMotorGuide);
    }
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    if (m_context.mode == CRocketBrowser::Mode::Launch) {
        m_prediction = new QLabel(this);
        m_prediction->setObjectName(QStringLiteral("predictedApogee"));
        m_prediction->setWordWrap(true);
        m_prediction->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        grid->addWidget(m_prediction, 8, 1, Qt::AlignTop);
        m_flyIt = new QPushButton(QStringLiteral("Fly It"), this);
        m_flyIt->setMinimumHeight(34);
        grid->addWidget(m_flyIt, 9, 1);
        connect(m_flyIt, &QPushButton::clicked, this, [this] {
            saveValues();
            forgetOtherRocketsTicks();
            emit flyIt();
        });
    }

    connect(m_names, &QComboBox::activated, this, &CRocketPage::onNameChosen);
    connect(m_filter, &QComboBox::activated, this, &CRocketPage::onFilterChosen);
    connect(m_motors, &QComboBox::activated, this, &CRocketPage::onMotorChosen);
}

void CRocketPage::showPicture()
{
    // A placeholder keeps its own size; a picture is fitted to the room there is.
    const QSize area = m_picture->size();
    m_picture->setPixmap(QPixmap::fromImage(rocketPicture(m_context.storageDirectory, m_imageName, area)));
    m_pictureShownFor = area;
}

void CRocketPage::onInitDialog()
{
    ensureRocketIndexes(m_context.store);
    m_browser.setPosition(-1);
    fillFilterList();
    fillNameList();
    // Browsing starts on the first rocket so that EDIT and DELETE have one to
    // act on; the launch wizard starts with none chosen.
    if (m_context.mode == CRocketBrowser::Mode::Browse && m_names->count() > 0)
        m_browser.setPosition(0);
    showCurrentRocket();
}

void CRocketPage::loadValues()
{
    m_names->setEditText(m_name);
    m_motors->setEditText(m_motorText);
    m_alt->setText(m_motorAlt);
    m_mfg->setText(m_motorMfg);
    m_delay->setText(m_motorDelay);
}

void CRocketPage::saveValues()
{
    m_name = m_names->currentText();
    m_motorText = m_motors->currentText();
    m_motorAlt = m_alt->text();
    m_motorMfg = m_mfg->text();
    m_motorDelay = m_delay->text();
}

void CRocketPage::fillFilterList()
{
    m_filling = true;
    m_filter->clear();
    m_filter->addItems(m_browser.fillFilterList());
    m_filter->setCurrentIndex(-1);
    m_filter->setEditText(QStringLiteral("Filter"));
    sizeDropDown(m_filter);
    m_filling = false;
}

void CRocketPage::fillNameList()
{
    m_filling = true;
    m_names->clear();
    m_names->addItems(m_browser.fillNameList());
    // Filling selects the first name; the box names nothing until the rocket is shown.
    m_names->setCurrentIndex(-1);
    sizeDropDown(m_names);
    m_filling = false;
}

void CRocketPage::showCurrentRocket()
{
    const CRocketView &view = m_browser.showCurrent();
    m_filling = true;
    m_names->setCurrentIndex(view.empty ? -1 : m_browser.position());
    m_name = view.name;
    m_imageName = view.imageName;
    showPicture();
    m_summary->setPlainText(view.summary);
    m_motors->clear();
    m_motors->addItems(view.motorEntries);
    m_motors->setCurrentIndex(view.motorEntryIndex);
    sizeDropDown(m_motors);
    m_motorText = view.motorText;
    m_motorMfg = view.motorMfg;
    m_motorDelay = view.motorDelay;
    m_motorAlt = view.motorAlt;
    loadValues();
    m_filling = false;
    if (m_context.mode == CRocketBrowser::Mode::Browse && m_context.checklistTarget)
        *m_context.checklistTarget = view.checklist;
    showPrediction();
}

void CRocketPage::setLaunchTemperature(std::function<double()> temperatureC)
{
    m_launchTemperatureC = std::move(temperatureC);
    showPrediction();
}

bool CRocketPage::onSetActive()
{
    // The weather may have changed since the page was last shown.
    showPrediction();
    return CPropertyPage::onSetActive();
}

void CRocketPage::showPrediction()
{
    if (!m_prediction)
        return;
    const CRocketView &view = m_browser.view();
    if (view.empty || view.motorType.trimmed().isEmpty()) {
        m_prediction->clear();
        return;
    }
    CLaunchSite site;
    if (m_launchTemperatureC)
        site.temperatureC = m_launchTemperatureC();
    const CRecMotorPrediction predicted =
        predictRecMotor(m_context.store, m_context.settings, view.rocketId, view.motorType, view.motorMfg, 1, site);
    const EHeightUnit unit = settingsHeightUnit(m_context.settings);
    if (!predicted.ok() || !predicted.prediction.flown) {
        // The reason may be a sentence: in the tip, where the narrow column does not cut it.
        m_prediction->setText(QStringLiteral("No prediction"));
        m_prediction->setToolTip(predicted.text(unit));
        m_prediction->setAccessibleDescription(predicted.text(unit));
        return;
    }
    m_prediction->setToolTip(QString());
    m_prediction->setAccessibleDescription(QString());
    m_prediction->setText(QStringLiteral("Predicted %1 at %2 °C")
                              .arg(formatHeight(predicted.prediction.apogeeM, unit))
                              .arg(site.temperatureC, 0, 'f', 0));
}

void CRocketPage::stepRocket(int delta)
{
    m_browser.step(delta, m_names->count());
    showCurrentRocket();
}

void CRocketPage::onNameChosen(int index)
{
    if (m_filling)
        return;
    m_browser.chooseName(index);
    if (index >= 0)
        showCurrentRocket();
}

void CRocketPage::onFilterChosen(int index)
{
    if (m_filling || index < 0)
        return;
    const QStringList names = m_browser.chooseFilter(index);
    m_filling = true;
    m_names->clear();
    m_names->addItems(names);
    sizeDropDown(m_names);
    m_filling = false;
    // The rocket shown stays if the filter keeps it; otherwise none is named.
    showCurrentRocket();
}

void CRocketPage::onMotorChosen(int index)
{
    if (m_filling)
        return;
    m_browser.chooseMotorEntry(index);
    if (index >= 0)
        showCurrentRocket();
}

void CRocketPage::forgetOtherRocketsTicks()
{
    // Steps ticked for one rocket were not done for another, even when both
    // carry the same checklist.
    const QString rocketId = m_browser.view().rocketId;
    if (rocketId != m_flownRocketId && sheet()) {
        for (int i = 0; i < sheet()->pageCount(); ++i) {
            if (auto *checklist = qobject_cast<CChecklistPage *>(sheet()->page(i)))
                checklist->clearTicks();
        }
    }
    m_flownRocketId = rocketId;
}

void CRocketPage::toggleImage()
{
    m_imageShown = !m_imageShown;
    m_pictureStack->setCurrentWidget(m_imageShown ? static_cast<QWidget *>(m_picture) : m_summary);
}

bool CRocketPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picture && event->type() == QEvent::Resize && m_picture->size() != m_pictureShownFor)
        showPicture();
    if ((watched == m_picture || watched == m_summary->viewport()) && event->type() == QEvent::MouseButtonRelease) {
        // The summary's flight count leads to the flights it counts.
        if (watched == m_summary->viewport() && m_context.mode == CRocketBrowser::Mode::Browse
            && !m_browser.view().empty) {
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            if (m_summary->cursorForPosition(at).block().text().startsWith(QLatin1String("Launched"))) {
                emit showFlights(m_browser.view().rocketId);
                return true;
            }
        }
        toggleImage();
        return true;
    }
    return CPropertyPage::eventFilter(watched, event);
}

void CRocketPage::OnEdit()
{
    if (!m_browser.view().empty)
        editRocket(m_browser.view().rocketId);
}

void CRocketPage::editRocket(const QString &id)
{
    CRecordStore &store = m_context.store;
    if (!openRocketRow(store, rocketQuery(id)))
        return;
    if (commandBar())
        commandBar()->hide();
    {
        CRocketEditSheet sheet({store, m_context.settings, m_context.ui, m_context.storageDirectory}, id, this);
        m_sheetRunner(sheet);
    }
    // The edited rocket may have moved in the name order, or out of the
    // filtered list: it is found again, in the whole catalogue if need be.
    m_browser.chooseName(-1);
    if (!m_browser.followRocket(id)) {
        fillFilterList();
        m_browser.followRocket(id);
    }
    fillNameList();
    showCurrentRocket();
    if (commandBar())
        commandBar()->show();
}

void CRocketPage::OnMotorGuide()
{
    const QString id = m_browser.view().rocketId;
    if (m_browser.view().empty) {
        m_context.ui.prompter.error(this, QStringLiteral("Choose a rocket first"));
        return;
    }
    CMotorGuideDlg guide({m_context.store, m_context.settings, m_context.ui, m_context.storageDirectory}, id, this);
    guide.exec();
    if (guide.added() == 0)
        return;
    // The added motors are among the rocket's recommended motors now.
    m_browser.followRocket(id);
    showCurrentRocket();
}

void CRocketPage::OnAdd()
{
    const QString added = addRocketRow(m_context.store);
    if (!added.isNull())
        editRocket(added);
}

void CRocketPage::OnDelete()
{
    CRecordStore &store = m_context.store;
    const QString id = m_browser.view().rocketId;
    if (m_browser.view().empty || !openRocketRow(store, rocketQuery(id)))
        return;
    CPrompter &prompter = m_context.ui.prompter;
    if (!prompter.warningYesNo(this, QStringLiteral("Delete the rocket %1?").arg(m_browser.view().name)))
        return;
    prompter.prompt(this, QStringLiteral("Info"),
                    QStringLiteral("This operation will take time because the database has to be reindexed."),
                    PromptIcon::Exclamation, PromptButtons::Ok);
    const int launches = countRocketLaunches(store, id);
    if (launches > 0 && !prompter.warningYesNo(this, launchesQuestion(launches)))
        return;
    {
        CWaitCursor wait;
        if (!deleteRocketRows(store, rocketQuery(id)))
            prompter.error(this, QStringLiteral("The rocket could not be deleted: ") + store.lastError());
        m_browser.setPosition(-1);
        fillFilterList();
        fillNameList();
        showCurrentRocket();
    }
}
