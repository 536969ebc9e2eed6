#pragma once

#include "rockets/RocketBrowser.h"
#include "ui/PropertyPage.h"
#include "ui/UiServices.h"

#include <QSize>

#include <functional>

class CPropertySheet;
class CRecordStore;
class CSettingsStore;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;

// The "Rocket" page: steps through the catalogue, shows the current rocket's
// picture or summary and its recommended motors. In browse mode its command bar
// carries EDIT, ADD and DELETE; in launch mode "Fly It" hands the rocket on.
class CRocketPage : public CPropertyPage
{
    Q_OBJECT

public:
    struct Context
    {
        CRecordStore &store;
        CSettingsStore &settings;
        CUiServices ui;
        QString storageDirectory;
        CRocketBrowser::Mode mode = CRocketBrowser::Mode::Browse;
        // Browse mode: the owner's current checklist text, kept up to date.
        QString *checklistTarget = nullptr;
    };

    explicit CRocketPage(const Context &context, QWidget *parent = nullptr);
    ~CRocketPage() override;

    const CRocketBrowser &browser() const { return m_browser; }
    bool isImageShown() const { return m_imageShown; }
    // Launch mode: what the launch screen takes for its row, as the controls last showed it.
    QString motorText() const { return m_motorText; }
    QString motorMfg() const { return m_motorMfg; }
    QString motorDelay() const { return m_motorDelay; }
    // How the edit sheet is run; tests replace it to drive the sheet's pages.
    void setSheetRunner(std::function<void(CPropertySheet &)> runner) { m_sheetRunner = std::move(runner); }
    // Launch mode: the temperature at the pad in °C as the weather holds it
    // now, which the chosen motor's apogee is predicted in (15 °C without).
    void setLaunchTemperature(std::function<double()> temperatureC);

    void onInitDialog() override;
    bool onSetActive() override;
    void loadValues() override;
    void saveValues() override;

    // The three page refreshes the commands use.
    void fillFilterList();
    void fillNameList();
    void showCurrentRocket();

    void stepRocket(int delta);
    void toggleImage();

    void OnEdit();
    void OnAdd();
    void OnDelete();
    // The motor guide for the rocket shown; its additions join the recommended motors.
    void OnMotorGuide();

signals:
    // Launch mode: the flyer chose this rocket.
    void flyIt();
    // Browse mode: FLIGHTS, or a tap on the summary's "Launched" line, asks for the rocket's flights.
    void showFlights(const QString &rocketId);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void showPicture();
    // Launch mode: the chosen motor's predicted apogee in the weather's air.
    void showPrediction();
    void onNameChosen(int index);
    void onFilterChosen(int index);
    void onMotorChosen(int index);
    void editRocket(const QString &rocketId);
    // Launch mode: clears the wizard's checklist ticks when another rocket is flown.
    void forgetOtherRocketsTicks();

    Context m_context;
    CRocketBrowser m_browser;
    std::function<void(CPropertySheet &)> m_sheetRunner;
    std::function<double()> m_launchTemperatureC;
    bool m_imageShown = true;
    bool m_filling = false;
    QString m_flownRocketId;
    QString m_imageName;
    QSize m_pictureShownFor;

    // Texts bound to the controls.
    QString m_name;
    QString m_motorText;
    QString m_motorAlt;
    QString m_motorMfg;
    QString m_motorDelay;

    QStackedWidget *m_pictureStack = nullptr;
    QLabel *m_picture = nullptr;
    QPlainTextEdit *m_summary = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QComboBox *m_names = nullptr;
    QComboBox *m_motors = nullptr;
    QComboBox *m_filter = nullptr;
    QLineEdit *m_alt = nullptr;
    QLineEdit *m_mfg = nullptr;
    QLineEdit *m_delay = nullptr;
    QPushButton *m_flyIt = nullptr;
    QLabel *m_prediction = nullptr;
    QPushButton *m_guide = nullptr;
};
