#include "app/LaunchRocketStep.h"

#include "rockets/RocketPage.h"

namespace {
CRocketChoice choiceOf(const CRocketPage &page)
{
    const CRocketView &view = page.browser().view();
    CRocketChoice choice;
    choice.rocketShown = !view.empty;
    choice.rocketId = view.rocketId;
    choice.name = view.name;
    choice.checklist = view.checklist;
    choice.expectedAltitude = view.motorAlt;
    choice.motor = page.motorText();
    choice.motorDelay = page.motorDelay();
    // The maker box shows a placeholder while no motor is chosen; it is no maker.
    const bool noMotorChosen = view.motorEntryIndex <= 0;
    choice.motorMfg = noMotorChosen && page.motorMfg() == QLatin1String("Manufacturer") ? QString() : page.motorMfg();
    return choice;
}
} // namespace

CRocketStepMaker launchRocketStep(CSettingsStore &settings, CUiServices ui, const QString &storageDirectory)
{
    return [&settings, ui, storageDirectory](CRecordStore &store, std::function<void()> flyIt,
                                             std::function<double()> temperatureC) {
        auto *page = new CRocketPage({store, settings, ui, storageDirectory, CRocketBrowser::Mode::Launch, nullptr});
        page->setLaunchTemperature(std::move(temperatureC));
        QObject::connect(page, &CRocketPage::flyIt, page, std::move(flyIt));
        return CRocketStep {page, [page] { return choiceOf(*page); }};
    };
}
