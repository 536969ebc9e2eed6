#include "rockets/RocketEdit1Dlg.h"

#include "db/RecordStore.h"
#include "db/StoreTransaction.h"
#include "platform/SettingsStore.h"
#include "rockets/RocketImageChoice.h"
#include "rockets/RocketQueries.h"
#include "ui/DropDownSizing.h"
#include "ui/Prompter.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QToolButton>

namespace {

// A reference list setting: every piece before a comma is one entry.
QStringList listEntries(const QString &text)
{
    QStringList entries = text.split(QLatin1Char(','));
    entries.removeLast();
    return entries;
}

// The one local file a drop carries; empty for anything else.
QString droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return QString();
    return data->urls().first().toLocalFile();
}

QComboBox *makeCombo(QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

} // namespace

CRocketEdit1Dlg::CRocketEdit1Dlg(const CRocketEditContext &context, const QString &rocketQuery, QWidget *parent)
    : CPropertyPage(QStringLiteral("Main"), parent)
    , m_context(context)
    , m_rocketQuery(rocketQuery)
{
    m_nameEdit = new QLineEdit(this);
    m_typeCombo = makeCombo(this);
    m_mfgCombo = makeCombo(this);
    m_statusCombo = makeCombo(this);
    m_imageEdit = new QLineEdit(this);
    // A tool button is as narrow as its three dots, and square where fingers tap.
    auto *browse = new QToolButton(this);
    browse->setText(QStringLiteral("..."));
    browse->setAccessibleName(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, &CRocketEdit1Dlg::chooseImage);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 10, 8, 8);
    grid->setVerticalSpacing(8);
    const auto addRow = [&](int row, const QString &text, QWidget *field) {
        auto *label = new QLabel(text, this);
        label->setBuddy(field);
        field->setAccessibleName(text);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    };
    addRow(0, QStringLiteral("Name"), m_nameEdit);
    addRow(1, QStringLiteral("Model Type"), m_typeCombo);
    addRow(2, QStringLiteral("Model MFG"), m_mfgCombo);
    addRow(3, QStringLiteral("Status"), m_statusCombo);
    auto *imageRow = new QHBoxLayout;
    imageRow->setSpacing(2);
    imageRow->addWidget(m_imageEdit, 1);
    imageRow->addWidget(browse);
    auto *imageLabel = new QLabel(QStringLiteral("Image file"), this);
    imageLabel->setBuddy(m_imageEdit);
    m_imageEdit->setAccessibleName(QStringLiteral("Image file"));
    grid->addWidget(imageLabel, 4, 0);
    grid->addLayout(imageRow, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("(Size 103 x 215)"), this), 5, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);
    setAcceptDrops(true);
}

void CRocketEdit1Dlg::onInitDialog()
{
    const std::pair<QComboBox *, const char *> lists[] = {{m_statusCombo, kSettingDefaultStatus},
                                                          {m_mfgCombo, kSettingDefaultModelMfgs},
                                                          {m_typeCombo, kSettingDefaultModelTypes}};
    for (const auto &[combo, setting] : lists) {
        combo->addItems(listEntries(m_context.settings.ReadSetting(QLatin1String(setting))));
        sizeDropDown(combo);
    }
    CRecordStore &store = m_context.store;
    if (openRocketRow(store, m_rocketQuery)) {
        m_name = store.GetFieldText(kRocketName);
        m_mfg = store.GetFieldText(kRocketMfg);
        m_type = store.GetFieldText(kRocketType);
        m_image = store.GetFieldText(kRocketImage);
        m_status = store.GetFieldText(kRocketStatus);
        if (!m_image.isEmpty())
            m_ownPictures.append(m_image);
    }
    loadValues();
}

void CRocketEdit1Dlg::loadValues()
{
    m_nameEdit->setText(m_name);
    m_typeCombo->setCurrentIndex(-1);
    m_typeCombo->setEditText(m_type);
    m_mfgCombo->setCurrentIndex(-1);
    m_mfgCombo->setEditText(m_mfg);
    m_statusCombo->setCurrentIndex(-1);
    m_statusCombo->setEditText(m_status);
    m_imageEdit->setText(m_image);
}

void CRocketEdit1Dlg::saveValues()
{
    m_name = m_nameEdit->text();
    m_type = m_typeCombo->currentText();
    m_mfg = m_mfgCombo->currentText();
    m_status = m_statusCombo->currentText();
    m_image = m_imageEdit->text();
}

bool CRocketEdit1Dlg::onKillActive()
{
    CPropertyPage::onKillActive();
    CRecordStore &store = m_context.store;
    if (!openRocketRow(store, m_rocketQuery))
        return true;
    saveValues();
    const QString name = m_name.isEmpty() || m_name == QLatin1String("TempNew") ? QStringLiteral("NoName") : m_name;
    CStoreTransaction transaction(store);
    const bool written = store.SetFieldText(name, kRocketName) && store.SetFieldText(m_mfg, kRocketMfg)
        && store.SetFieldText(m_type, kRocketType) && store.SetFieldText(m_status, kRocketStatus)
        && store.SetFieldText(m_image, kRocketImage);
    // A refused write keeps the page, and what was typed, in front of the flyer.
    if (!written || !transaction.commit()) {
        m_context.ui.prompter.error(this, QStringLiteral("The rocket could not be saved: ") + store.lastError());
        return false;
    }
    return true;
}

void CRocketEdit1Dlg::chooseImage()
{
    saveValues();
    takeImage(chooseRocketImage(m_context.ui, this, m_context.storageDirectory, m_ownPictures));
}

void CRocketEdit1Dlg::takeImage(const QString &name)
{
    if (name.isNull())
        return;
    m_image = name;
    m_ownPictures.append(name);
    loadValues();
}

void CRocketEdit1Dlg::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CRocketEdit1Dlg::dropEvent(QDropEvent *event)
{
    const QString source = droppedFile(event->mimeData());
    if (source.isEmpty())
        return;
    event->acceptProposedAction();
    saveValues();
    takeImage(takeRocketImage(m_context.ui, this, source, m_context.storageDirectory, m_ownPictures));
}
