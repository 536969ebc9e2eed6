#include "app/AboutDlg.h"
#include "app/HomeView.h"
#include "app/OptionsDlg.h"
#include "app/PromptStoreReporter.h"
#include "app/TarvelDlg.h"
#include "flights/FlightListPane.h"
#include "shots/ShotContext.h"
#include "ui/HelpBrowser.h"

void shootApplicationScreens(CShotContext &context)
{
    CPromptStoreReporter reporter(context.prompter(), nullptr, {});
    {
        CTarvelDlg main(context.settings(), context.ui(), reporter);
        context.save(main, QStringLiteral("main-window"));
    }
    {
        // The desktop home on the sample logbook, the README's picture, at
        // the size it opens at on 1280x800, once every flight is listed.
        CTarvelDlg main(context.settings(), context.ui(), reporter);
        if (showOnReferenceScreen(&main, ReferenceScreen::Desktop) && main.home()) {
            main.home()->flightList()->completeList();
            context.save(main, QStringLiteral("home"), ReferenceScreen::Desktop);
        }
    }
    {
        context.writeSetting(QLatin1String(kSettingDisplayBanner), QStringLiteral("NO"));
        CTarvelDlg main(context.settings(), context.ui(), reporter);
        context.save(main, QStringLiteral("main-window-no-banner"));
        context.writeSetting(QLatin1String(kSettingDisplayBanner), QStringLiteral("YES"));
    }
    {
        CAboutDlg about;
        context.save(about, QStringLiteral("about"));
    }
    {
        CHelpBrowser help(QStringLiteral("main"), nullptr);
        context.save(help, QStringLiteral("help"));
    }
    {
        COptionsDlg options(context.settings().defaultStorageDirectory());
        options.storageDirectory = context.storageDirectory();
        options.sitesCategory = QStringLiteral("Launch Sites");
        options.displayBanner = true;
        options.showValues();
        context.save(options, QStringLiteral("options"));
    }
}
