#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The Options dialog: storage directory, launch-site contacts category and the
// banner switch, each filled by the caller and read back after OK.
class COptionsDlg : public QDialog
{
    Q_OBJECT

public:
    // defaultDirectory is what the DEFAULT button next to the directory puts.
    explicit COptionsDlg(const QString &defaultDirectory, QWidget *parent = nullptr);

    QString storageDirectory;
    QString sitesCategory;
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
    QCheckBox *m_banner = nullptr;
};
