#pragma once

#include "flightdata/AltitudeComparison.h"
#include "flightmodel/RocketMeasures.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

// The Options dialog: storage directory, launch-site contacts category, the
// unit heights are shown in, the units a rocket's bare weight and sizes are
// read in, and the banner switch, each filled by the caller and read back
// after OK.
class COptionsDlg : public QDialog
{
    Q_OBJECT

public:
    // defaultDirectory is what the DEFAULT button next to the directory puts.
    explicit COptionsDlg(const QString &defaultDirectory, QWidget *parent = nullptr);

    QString storageDirectory;
    QString sitesCategory;
    EHeightUnit heightUnit = EHeightUnit::Feet;
    EUnitSystem unitSystem = EUnitSystem::Metric;
    bool displayBanner = false;

    // Shows the members in the controls, and reads the controls into the members.
    void showValues();
    void readValues();

    void accept() override;

private:
    void onDirectoryDefault();
    void onCategoryDefault();

    QString m_defaultDirectory;
    QLineEdit *m_directory = nullptr;
    QLineEdit *m_category = nullptr;
    QComboBox *m_heightUnit = nullptr;
    QComboBox *m_unitSystem = nullptr;
    QCheckBox *m_banner = nullptr;
};
