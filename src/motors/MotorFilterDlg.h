#pragma once

#include "motors/MotorFilter.h"
#include "ui/ListScreen.h"
#include "ui/UiServices.h"

class CMotorLineModel;
class CRecordStore;
class QCheckBox;
class QLineEdit;
class QTreeView;

// Removes every motor that matches a filter on the four motor texts and the
// class of its thrust curve, each of which may be negated. "Test Query" lists the matches first; removing an
// untested filter asks before it goes ahead.
class CMotorFilterDlg : public CListScreen
{
    Q_OBJECT

public:
    CMotorFilterDlg(CRecordStore &store, CUiServices ui, QWidget *parent = nullptr);

    CMotorFilter filter() const;
    bool isTested() const { return m_tested; }
    const CMotorLineModel &model() const { return *m_model; }

public slots:
    void onTestQuery();
    void onRemove();

private:
    void buildLayout();
    void fitColumns();

    CRecordStore &m_store;
    CUiServices m_ui;
    bool m_tested = false;

    QLineEdit *m_mfgEdit = nullptr;
    QLineEdit *m_typeEdit = nullptr;
    QLineEdit *m_delayEdit = nullptr;
    QLineEdit *m_sizeEdit = nullptr;
    QLineEdit *m_classEdit = nullptr;
    QCheckBox *m_notMfg = nullptr;
    QCheckBox *m_notType = nullptr;
    QCheckBox *m_notDelay = nullptr;
    QCheckBox *m_notSize = nullptr;
    QCheckBox *m_notClass = nullptr;
    QTreeView *m_list = nullptr;
    CMotorLineModel *m_model = nullptr;
};
