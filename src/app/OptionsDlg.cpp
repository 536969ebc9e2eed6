#include "app/OptionsDlg.h"

#include "platform/SettingsStore.h"
#include "ui/FormFactor.h"
#include "ui/TouchSize.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr char kDefaultCategory[] = "Launch Site";

QPushButton *defaultButton(const QString &accessibleName, QWidget *parent)
{
    auto *button = new QPushButton(QStringLiteral("DEFAULT"), parent);
    button->setAutoDefault(false);
    button->setAccessibleDescription(accessibleName);
    return button;
}
} // namespace

COptionsDlg::COptionsDlg(const QString &defaultDirectory, QWidget *parent)
    : QDialog(parent)
    , m_defaultDirectory(defaultDirectory)
{
    setWindowTitle(QStringLiteral("Options"));
    setObjectName(QStringLiteral("optionsDialog"));

    auto *directoryLabel = new QLabel(QStringLiteral("Storage Directory"), this);
    m_directory = new QLineEdit(this);
    m_directory->setObjectName(QStringLiteral("storageDirectory"));
    directoryLabel->setBuddy(m_directory);
    m_directory->setAccessibleName(directoryLabel->text());
    auto *directoryDefault = defaultButton(QStringLiteral("Default storage directory"), this);
    directoryDefault->setObjectName(QStringLiteral("directoryDefault"));

    auto *categoryLabel = new QLabel(QStringLiteral("Launch Site-Contacts Category"), this);
    m_category = new QLineEdit(this);
    m_category->setObjectName(QStringLiteral("sitesCategory"));
    m_category->setMaxLength(CSettingsStore::kMaxValueLength);
    categoryLabel->setBuddy(m_category);
    m_category->setAccessibleName(categoryLabel->text());
    auto *categoryDefault = defaultButton(QStringLiteral("Default contacts category"), this);
    categoryDefault->setObjectName(QStringLiteral("categoryDefault"));

    auto *unitLabel = new QLabel(QStringLiteral("Heights in"), this);
    m_heightUnit = new QComboBox(this);
    m_heightUnit->setObjectName(QStringLiteral("heightUnit"));
    m_heightUnit->addItem(QStringLiteral("feet"), QVariant::fromValue(int(EHeightUnit::Feet)));
    m_heightUnit->addItem(QStringLiteral("metres"), QVariant::fromValue(int(EHeightUnit::Metres)));
    m_heightUnit->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    unitLabel->setBuddy(m_heightUnit);
    m_heightUnit->setAccessibleName(unitLabel->text());

    auto *systemLabel = new QLabel(QStringLiteral("Rocket units"), this);
    m_unitSystem = new QComboBox(this);
    m_unitSystem->setObjectName(QStringLiteral("unitSystem"));
    m_unitSystem->addItem(QStringLiteral("g and mm"), QVariant::fromValue(int(EUnitSystem::Metric)));
    m_unitSystem->addItem(QStringLiteral("oz and in"), QVariant::fromValue(int(EUnitSystem::Imperial)));
    m_unitSystem->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    systemLabel->setBuddy(m_unitSystem);
    m_unitSystem->setAccessibleName(systemLabel->text());

    m_banner = new QCheckBox(QStringLiteral("Display Banner"), this);
    m_banner->setObjectName(QStringLiteral("displayBanner"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(directoryDefault, &QPushButton::clicked, this, &COptionsDlg::onDirectoryDefault);
    connect(categoryDefault, &QPushButton::clicked, this, &COptionsDlg::onCategoryDefault);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->addWidget(directoryLabel, 0, 0, 1, 2);
    grid->addWidget(m_directory, 1, 0);
    grid->addWidget(directoryDefault, 1, 1);
    grid->setRowMinimumHeight(2, 10);
    grid->addWidget(categoryLabel, 3, 0, 1, 2);
    grid->addWidget(m_category, 4, 0);
    grid->addWidget(categoryDefault, 4, 1);
    grid->setColumnStretch(0, 1);

    auto *unitRow = new QHBoxLayout;
    unitRow->addWidget(unitLabel);
    unitRow->addWidget(m_heightUnit);
    unitRow->addStretch(1);
    // A bare number in a rocket's Weight, Diameter or MMT is read in these.
    auto *systemRow = new QHBoxLayout;
    systemRow->addWidget(systemLabel);
    systemRow->addWidget(m_unitSystem);
    systemRow->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(grid);
    layout->addSpacing(10);
    layout->addLayout(unitRow);
    layout->addLayout(systemRow);
    layout->addStretch(1);
    layout->addWidget(m_banner);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    applyFormFactor(this);
    applyTouchSizes(this);
}

void COptionsDlg::showValues()
{
    m_directory->setText(storageDirectory);
    m_category->setText(sitesCategory);
    m_heightUnit->setCurrentIndex(m_heightUnit->findData(int(heightUnit)));
    m_unitSystem->setCurrentIndex(m_unitSystem->findData(int(unitSystem)));
    m_banner->setChecked(displayBanner);
}

void COptionsDlg::readValues()
{
    storageDirectory = m_directory->text();
    sitesCategory = m_category->text();
    heightUnit = EHeightUnit(m_heightUnit->currentData().toInt());
    unitSystem = EUnitSystem(m_unitSystem->currentData().toInt());
    displayBanner = m_banner->isChecked();
}

void COptionsDlg::accept()
{
    readValues();
    QDialog::accept();
}

void COptionsDlg::onDirectoryDefault()
{
    readValues();
    storageDirectory = m_defaultDirectory;
    showValues();
}

void COptionsDlg::onCategoryDefault()
{
    readValues();
    sitesCategory = QLatin1String(kDefaultCategory);
    showValues();
}
