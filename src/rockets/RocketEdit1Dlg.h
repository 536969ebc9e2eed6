#pragma once

#include "rockets/RocketEditContext.h"
#include "ui/PropertyPage.h"

#include <QStringList>

class QComboBox;
class QLineEdit;

// The "Main" page of the rocket edit sheet: name, type, manufacturer, status
// and picture file.
class CRocketEdit1Dlg : public CPropertyPage
{
    Q_OBJECT

public:
    CRocketEdit1Dlg(const CRocketEditContext &context, const QString &rocketQuery, QWidget *parent = nullptr);

    void onInitDialog() override;
    bool onKillActive() override;
    void loadValues() override;
    void saveValues() override;

    // Button "...": choose a picture and copy it into the storage directory.
    void chooseImage();

protected:
    // A picture file dropped on the page is taken as if chosen with "...".
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void takeImage(const QString &name);

    CRocketEditContext m_context;
    QString m_rocketQuery;
    QString m_name;
    QString m_type;
    QString m_mfg;
    QString m_status;
    QString m_image;
    // The picture names this rocket stored or was given here: the only files
    // in the storage directory a new picture may replace.
    QStringList m_ownPictures;

    QLineEdit *m_nameEdit = nullptr;
    QComboBox *m_typeCombo = nullptr;
    QComboBox *m_mfgCombo = nullptr;
    QComboBox *m_statusCombo = nullptr;
    QLineEdit *m_imageEdit = nullptr;
};
