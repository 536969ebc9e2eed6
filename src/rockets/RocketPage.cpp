#include "rockets/RocketPage.h"

#include "db/RecordStore.h"
#include "rockets/RocketCatalogue.h"
#include "rockets/RocketEditSheet.h"
#include "rockets/RocketImage.h"
#include "rockets/RocketQueries.h"
#include "ui/CommandBar.h"
#include "ui/DropDownSizing.h"
#include "ui/Prompter.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
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
    // Picture (or summary) on the left, the choices on the right, in pixels of
    // the 240-pixel-wide page.
    const QRect pictureRect(10, 24, kPictureAreaWidth, kPictureAreaHeight);
    m_summary = new QPlainTextEdit(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setGeometry(pictureRect);
    m_summary->setReadOnly(true);
    m_summary->setAccessibleName(QStringLiteral("Summary"));
    m_summary->viewport()->installEventFilter(this);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setGeometry(pictureRect);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFrameShape(QFrame::Box);
    // The picture covers the summary that lies beneath it.
    m_picture->setAutoFillBackground(true);
    m_picture->setAccessibleName(QStringLiteral("Picture"));
    m_picture->installEventFilter(this);

    m_previous = new QToolButton(this);
    m_previous->setArrowType(Qt::LeftArrow);
    m_previous->setAccessibleName(QStringLiteral("Previous rocket"));
    m_previous->setGeometry(10, 2, 52, 20);
    m_next = new QToolButton(this);
    m_next->setArrowType(Qt::RightArrow);
    m_next->setAccessibleName(QStringLiteral("Next rocket"));
    m_next->setGeometry(63, 2, 52, 20);
    connect(m_previous, &QToolButton::clicked, this, [this] { stepRocket(-1); });
    connect(m_next, &QToolButton::clicked, this, [this] { stepRocket(1); });

    m_filter = makeCombo(this, QStringLiteral("Filter"));
    m_filter->setGeometry(118, 1, 120, 22);

    auto *nameLabel = new QLabel(QStringLiteral("Rocket Name:"), this);
    nameLabel->setGeometry(119, 26, 119, 16);
    m_names = makeCombo(this, QStringLiteral("Rocket Name:"));
    m_names->setGeometry(118, 42, 120, 22);
    nameLabel->setBuddy(m_names);

    auto *motorsLabel = new QLabel(QStringLiteral("Recomended Motors:"), this);
    motorsLabel->setGeometry(119, 70, 119, 30);
    motorsLabel->setWordWrap(true);
    motorsLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    m_motors = makeCombo(this, QStringLiteral("Recomended Motors:"));
    m_motors->setGeometry(118, 100, 120, 22);
    motorsLabel->setBuddy(m_motors);

    m_mfg = makeEdit(this, QStringLiteral("Manufacturer"));
    m_mfg->setGeometry(118, 125, 90, 22);
    m_delay = makeEdit(this, QStringLiteral("Delay"));
    m_delay->setGeometry(210, 125, 28, 22);

    auto *altLabel = new QLabel(QStringLiteral("Expected Alt"), this);
    altLabel->setGeometry(119, 152, 119, 16);
    m_alt = makeEdit(this, QStringLiteral("Expected Alt"));
    m_alt->setGeometry(118, 168, 120, 22);
    altLabel->setBuddy(m_alt);

    if (m_context.mode == CRocketBrowser::Mode::Launch) {
        m_flyIt = new QPushButton(QStringLiteral("Fly It"), this);
        m_flyIt->setGeometry(124, 205, 99, 34);
        connect(m_flyIt, &QPushButton::clicked, this, [this] {
            saveValues();
            emit flyIt();
        });
    }

    connect(m_names, &QComboBox::activated, this, &CRocketPage::onNameChosen);
    connect(m_filter, &QComboBox::activated, this, &CRocketPage::onFilterChosen);
    connect(m_motors, &QComboBox::activated, this, &CRocketPage::onMotorChosen);
}

void CRocketPage::onInitDialog()
{
    ensureRocketIndexes(m_context.store);
    m_browser.setPosition(-1);
    fillFilterList();
    fillNameList();
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
    sizeDropDown(m_names);
    m_filling = false;
}

void CRocketPage::showCurrentRocket()
{
    const CRocketView &view = m_browser.showCurrent();
    m_filling = true;
    m_names->setCurrentIndex(view.empty ? -1 : m_browser.position());
    m_name = view.name;
    m_picture->setPixmap(QPixmap::fromImage(rocketPicture(m_context.storageDirectory, view.imageName)));
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
}

void CRocketPage::onMotorChosen(int index)
{
    if (m_filling)
        return;
    m_browser.chooseMotorEntry(index);
    if (index >= 0)
        showCurrentRocket();
}

void CRocketPage::toggleImage()
{
    m_imageShown = !m_imageShown;
    m_picture->setVisible(m_imageShown);
}

bool CRocketPage::eventFilter(QObject *watched, QEvent *event)
{
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
    const QString id = m_browser.view().rocketId;
    CRecordStore &store = m_context.store;
    if (!openRocketRow(store, rocketQuery(id)))
        return;
    if (commandBar())
        commandBar()->hide();
    {
        CRocketEditSheet sheet({store, m_context.settings, m_context.ui, m_context.storageDirectory}, id, this);
        m_sheetRunner(sheet);
    }
    fillNameList();
    showCurrentRocket();
    if (commandBar())
        commandBar()->show();
}

void CRocketPage::OnAdd()
{
    CAddedRocket added;
    if (!addRocketRow(m_context.store, added))
        return;
    // The position is taken in name order even when a filter shows another list;
    // the rocket edited is the new one either way.
    m_browser.setCurrentRocket(added.position, added.rocketId);
    OnEdit();
}

void CRocketPage::OnDelete()
{
    CRecordStore &store = m_context.store;
    const QString id = m_browser.view().rocketId;
    if (m_browser.view().empty || !openRocketRow(store, rocketQuery(id)))
        return;
    CPrompter &prompter = m_context.ui.prompter;
    if (!prompter.warningYesNo(this, QStringLiteral("Delete the current Rocket?")))
        return;
    prompter.prompt(this, QStringLiteral("Info"),
                    QStringLiteral("This operation will take time because the database has to be reindexed."),
                    PromptIcon::Exclamation, PromptButtons::Ok);
    if (countRocketLaunches(store, id) > 0
        && !prompter.warningYesNo(this,
                                  QStringLiteral("There are Launch records associated with this rocket\n"
                                                 "these will also be removed.\nContinue?")))
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
