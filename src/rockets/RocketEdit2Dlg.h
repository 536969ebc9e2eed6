#pragma once

#include "rockets/RocketEditContext.h"
#include "ui/PropertyPage.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

// The "Misc" page of the rocket edit sheet: dimensions, recovery, launcher, the
// multistage and clustered flags, and notes.
class CRocketEdit2Dlg : public CPropertyPage
{
    Q_OBJECT

public:
    CRocketEdit2Dlg(const CRocketEditContext &context, const QString &rocketQuery, QWidget *parent = nullptr);

    void onInitDialog() override;
    bool onKillActive() override;
    void loadValues() override;
    void saveValues() override;

private:
    struct TextField
    {
        int field;
        QLineEdit *edit;
        QString value;
    };

    CRocketEditContext m_context;
    QString m_rocketQuery;
    QList<TextField> m_texts;
    bool m_multistage = false;
    bool m_clustered = false;
    QString m_notes;

    QCheckBox *m_multistageBox = nullptr;
    QCheckBox *m_clusteredBox = nullptr;
    QPlainTextEdit *m_notesEdit = nullptr;
};
