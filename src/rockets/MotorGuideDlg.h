#pragma once

#include "prediction/RocketFlightInputs.h"
#include "rockets/RocketEditContext.h"

#include <QDialog>

class CMotorGuideModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

// Every catalogue motor with a thrust curve flown in one rocket, in a table
// sorted by apogee that fills from the event loop while the flyer reads it,
// filtered by impulse class and by fit in the motor mount. "Add to Rocket"
// stores the chosen motor among the rocket's recommended motors with its
// predicted altitude and nearest delay.
class CMotorGuideDlg : public QDialog
{
    Q_OBJECT

public:
    CMotorGuideDlg(const CRocketEditContext &context, const QString &rocketId, QWidget *parent = nullptr);

    QTableView *table() const { return m_table; }
    // Null when the rocket cannot be flown: the screen then says why.
    const CMotorGuideModel *model() const { return m_model; }
    // How many motors were added to the rocket while the guide was open.
    int added() const { return m_added; }

    void onAddToRocket();
    // On a desktop, wide enough for every column and tall enough for a page of motors.
    QSize sizeHint() const override;

private:
    void buildLayout();
    // Reads the rocket and the catalogue and starts the guide; false, with
    // the reason shown, when there is nothing to fly.
    [[nodiscard]] bool startGuide();
    void fillClasses(const QStringList &classes);
    void applyFilter();
    void showProgress();
    // Whether the rocket recommends that motor with that delay already.
    bool isRecommended(const QString &type, const QString &mfg, const QString &delay);

    CRocketEditContext m_context;
    QString m_rocketId;
    CRocketFlightInputs m_rocket;
    bool m_groupedMotors = false; // staged or clustered: its motors go in as a group
    int m_added = 0;

    CMotorGuideModel *m_model = nullptr;
    QSortFilterProxyModel *m_sorted = nullptr;
    QLabel *m_rocketLine = nullptr;
    QComboBox *m_class = nullptr;
    QCheckBox *m_fits = nullptr;
    QLabel *m_progress = nullptr;
    QTableView *m_table = nullptr;
    QPushButton *m_add = nullptr;
};
