#include "reflists/DefaultsDlg.h"

#include "platform/SettingsStore.h"
#include "ui/CommandBar.h"
#include "ui/DropDownSizing.h"
#include "ui/FormFactor.h"
#include "ui/Prompter.h"
#include "ui/StatusWindow.h"
#include "ui/TouchSize.h"
#include "ui/WaitCursor.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {
constexpr ReferenceListKind kKinds[] = {ReferenceListKind::Status, ReferenceListKind::Mfgs, ReferenceListKind::Types};
const char *const kLabels[] = {"Default Model Status", "Default Model MFGs", "Default Model Type"};
const char *const kMenuItems[] = {"Status", "MFGs", "Types"};

int indexOf(ReferenceListKind kind)
{
    return int(kind);
}

// Three lists share the handheld's narrow window with their buttons, so a
// button is as wide as its text rather than the style's usual minimum width,
// and the room left goes to the list.
QPushButton *listButton(const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    const QStyle *style = button->style();
    const int padding = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
        + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(text) + 2 * padding);
    return button;
}

// The drop-down list is as wide as its longest entry, within the screen.
void widenDropDown(QComboBox *box)
{
    QAbstractItemView *view = box->view();
    int wanted = view->sizeHintForColumn(0) + 2 * view->frameWidth()
        + box->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view->verticalScrollBar());
    if (const QScreen *screen = box->screen())
        wanted = std::min(wanted, screen->availableGeometry().width());
    view->setMinimumWidth(std::max(wanted, 0));
}
} // namespace

CDefaultsDlg::CDefaultsDlg(CStatusWindow &status, CSettingsStore &settings, CUiServices ui, MotorsScreen motors,
                           QWidget *parent)
    : QDialog(parent)
    , m_status(status)
    , m_settings(settings)
    , m_ui(ui)
    , m_motors(std::move(motors))
{
    setWindowTitle(QStringLiteral("Defaults"));
    setObjectName(QStringLiteral("defaultsDialog"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 8, 6, 0);
    layout->setSpacing(4);
    for (ReferenceListKind kind : kKinds) {
        const int i = indexOf(kind);
        auto *label = new QLabel(QLatin1String(kLabels[i]), this);
        auto *box = new QComboBox(this);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        label->setBuddy(box);
        box->setAccessibleName(label->text());
        m_boxes[i] = box;
        QPushButton *add = listButton(QStringLiteral("ADD"), this);
        QPushButton *remove = listButton(QStringLiteral("Remove"), this);
        add->setAccessibleDescription(QStringLiteral("Add to ") + QLatin1String(kLabels[i]));
        remove->setAccessibleDescription(QStringLiteral("Remove from ") + QLatin1String(kLabels[i]));
        connect(add, &QPushButton::clicked, this, [this, kind] { onAdd(kind); });
        connect(remove, &QPushButton::clicked, this, [this, kind] { onRemove(kind); });

        auto *row = new QHBoxLayout;
        row->setSpacing(3);
        row->addWidget(box, 1);
        row->addWidget(add);
        row->addWidget(remove);
        layout->addWidget(label);
        layout->addLayout(row);
        layout->addSpacing(10);
    }
    layout->addStretch(1);

    m_commandBar = new CCommandBar(this);
    connect(m_commandBar->addCommand(QStringLiteral("MOTORS")), &QAction::triggered, this, &CDefaultsDlg::onMotors);
    QMenu *defaults = m_commandBar->addMenu(QStringLiteral("DEFAULT"));
    for (ReferenceListKind kind : kKinds) {
        connect(defaults->addAction(QLatin1String(kMenuItems[indexOf(kind)])), &QAction::triggered, this,
                [this, kind] { onLoadDefault(kind); });
    }
    m_commandBar->addStretch();
    // Closing keeps the lists, however the screen is closed.
    connect(m_commandBar->addCommand(QStringLiteral("Close")), &QAction::triggered, this, &QDialog::accept);
    layout->addWidget(m_commandBar);
    rememberWindowState(this, m_ui.windowSettings);
    applyTouchSizes(this);
}

CDefaultsDlg::~CDefaultsDlg()
{
    // However the dialog ends, its lists are kept; a dialog never shown read nothing to keep.
    if (m_loaded)
        saveLists();
}

void CDefaultsDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_loaded)
        loadLists();
    // Now on its screen: the drop-downs are capped at that screen's width.
    for (QComboBox *box : m_boxes)
        widenDropDown(box);
}

QComboBox *CDefaultsDlg::listBox(ReferenceListKind kind) const
{
    return m_boxes[indexOf(kind)];
}

QStringList CDefaultsDlg::entries(ReferenceListKind kind) const
{
    QStringList items;
    QComboBox *box = listBox(kind);
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

void CDefaultsDlg::loadLists()
{
    CWaitCursor wait;
    for (ReferenceListKind kind : kKinds) {
        const CReferenceListInfo &info = referenceListInfo(kind);
        m_status.showProgress(QLatin1String(info.loadingText));
        m_status.paintNow();
        fillList(kind, m_settings.ReadSetting(QLatin1String(info.settingName)));
        m_loadedEntries[indexOf(kind)] = entries(kind);
    }
    m_loaded = true;
}

void CDefaultsDlg::fillList(ReferenceListKind kind, const QString &text)
{
    QComboBox *box = listBox(kind);
    box->clear();
    box->addItem(QString());
    for (const QString &item : splitReferenceList(text))
        insertSorted(box, item);
    sizeDropDown(box);
    widenDropDown(box);
    clearEdit(box);
}

void CDefaultsDlg::saveLists()
{
    // A list the flyer left alone is not written back: its text may be typed
    // by hand in a form this screen would not write.
    for (ReferenceListKind kind : kKinds) {
        const QStringList items = entries(kind);
        if (items == m_loadedEntries[indexOf(kind)])
            continue;
        const QLatin1String name(referenceListInfo(kind).settingName);
        if (!m_settings.WriteSetting(name, joinReferenceList(items, CSettingsStore::kMaxValueLength)))
            m_ui.prompter.error(
                parentWidget(),
                QStringLiteral("The setting %1 could not be saved in %2").arg(name, m_settings.fileName()));
    }
}

void CDefaultsDlg::insertSorted(QComboBox *box, const QString &text)
{
    // A sorted box: after every entry that does not come later, without regard to case.
    int at = box->count();
    for (int i = 0; i < box->count(); ++i) {
        if (QString::compare(box->itemText(i), text, Qt::CaseInsensitive) > 0) {
            at = i;
            break;
        }
    }
    box->insertItem(at, text);
}

void CDefaultsDlg::clearEdit(QComboBox *box)
{
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

void CDefaultsDlg::onAdd(ReferenceListKind kind)
{
    QComboBox *box = listBox(kind);
    const QString text = box->currentText();
    if (text.isEmpty()) {
        m_ui.prompter.error(this, QLatin1String(referenceListInfo(kind).emptyAddText));
        return;
    }
    // The stored text holds no more, so what does not fit is refused now
    // rather than left off unseen when the screen closes.
    const int length = int(joinReferenceList(entries(kind), std::numeric_limits<int>::max()).size());
    if (length + text.size() + 1 > CSettingsStore::kMaxValueLength) {
        m_ui.prompter.error(this,
                            text
                                + QStringLiteral(" does not fit: a list holds at most %1 characters, "
                                                 "each entry counting one more for its comma")
                                      .arg(CSettingsStore::kMaxValueLength));
        return;
    }
    insertSorted(box, text);
    sizeDropDown(box);
    widenDropDown(box);
    clearEdit(box);
}

void CDefaultsDlg::onRemove(ReferenceListKind kind)
{
    QComboBox *box = listBox(kind);
    const int selected = box->currentIndex();
    // The selected entry is the one the box shows; typing over it unselects it.
    if (selected >= 0 && box->itemText(selected) == box->currentText()) {
        box->removeItem(selected);
        sizeDropDown(box);
    }
    clearEdit(box);
}

void CDefaultsDlg::onLoadDefault(ReferenceListKind kind)
{
    const CReferenceListInfo &info = referenceListInfo(kind);
    if (!m_ui.prompter.warningYesNo(this, QLatin1String(info.defaultQuestion)))
        return;
    fillList(kind, QLatin1String(info.builtInDefault));
}

void CDefaultsDlg::onMotors()
{
    m_status.moveInto(this);
    m_status.showProgress(QStringLiteral("Initializing"));
    m_status.paintNow();
    if (m_motors)
        m_motors(this);
    m_status.hideProgress();
    m_status.moveInto(parentWidget());
}
