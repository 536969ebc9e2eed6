#pragma once

#include "rockets/RecMotorPrediction.h"
#include "rockets/RecMotorRules.h"
#include "rockets/RocketEditContext.h"
#include "ui/PropertyPage.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The "Motors" page of the rocket edit sheet: the rocket's recommended motors.
// Clustered and staged rockets collect a group in the pending "Motor Cluster"
// list and store it in one go.
class CRecMotorsDlg : public CPropertyPage
{
    Q_OBJECT

public:
    CRecMotorsDlg(const CRocketEditContext &context, const QString &rocketQuery, QWidget *parent = nullptr);

    void onInitDialog() override;
    bool onSetActive() override;
    void loadValues() override;
    void saveValues() override;

    bool isStaged() const { return m_staged; }
    bool isClustered() const { return m_clustered; }
    int currentStage() const { return m_stage; }
    const QList<CPendingMotor> &pending() const { return m_pending; }
    QStringList recommendationLines() const;
    QStringList pendingLines() const;

    // Handlers of the page's controls and commands.
    void onMotorChosen(int index);
    void onStageButton();
    void onAddToCluster();
    void onPendingChosen(int index);
    void onRecommendationChosen(int index);
    void OnAdd();
    void OnRemove();
    void OnUpdate();
    // Fills the expected altitude with the predicted apogee; a value the flyer
    // wrote is replaced only when the flyer says so.
    void OnPredict();

private:
    void readRocket();
    void fillRecommendations();
    void applyLayout();
    void clearPending();
    // Shows the class and total impulse of the motor the fields name.
    void showThrust();
    // The predicted flight of the motor the fields name, in this rocket.
    CRecMotorPrediction predictShown() const;
    // Checks what ADD or UPDATE would store, telling the flyer what is missing.
    bool readyToStore();
    [[nodiscard]] bool storeNew(const QString &rocketId);
    // Deletes the highlighted recommendation; true when there is none.
    [[nodiscard]] bool removeSelected();
    // ADD, or UPDATE with removeFirst: one transaction, after the checks.
    void replaceSelected(bool removeFirst);

    CRocketEditContext m_context;
    QString m_rocketQuery;
    QString m_rocketId;
    bool m_staged = false;
    bool m_clustered = false;
    int m_stage = 1;
    int m_selected = -1;
    QStringList m_groups;
    QList<CPendingMotor> m_pending;

    // Texts bound to the controls.
    QString m_type;
    QString m_mfg;
    QString m_delay;
    QString m_qty;
    QString m_alt;
    // What Predict last wrote into the altitude field, which it may replace unasked.
    QString m_predictedAlt;

    QLabel *m_stageLabel = nullptr;
    QPushButton *m_stageButton = nullptr;
    QComboBox *m_mfgCombo = nullptr;
    QComboBox *m_typeCombo = nullptr;
    QLineEdit *m_delayEdit = nullptr;
    QLabel *m_qtyLabel = nullptr;
    QLineEdit *m_qtyEdit = nullptr;
    QLabel *m_thrust = nullptr;
    QLabel *m_clusterLabel = nullptr;
    QPushButton *m_addToCluster = nullptr;
    QListWidget *m_pendingList = nullptr;
    QLabel *m_altLabel = nullptr;
    QLineEdit *m_altEdit = nullptr;
    QPushButton *m_predict = nullptr;
    QPlainTextEdit *m_prediction = nullptr;
    QGroupBox *m_listFrame = nullptr;
    QListWidget *m_recommendations = nullptr;
};
