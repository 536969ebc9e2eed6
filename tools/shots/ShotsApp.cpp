#include "app/AboutDlg.h"
#include "app/PromptStoreReporter.h"
#include "app/TarvelDlg.h"
#include "shots/ShotContext.h"

void shootApplicationScreens(CShotContext &context)
{
    CPromptStoreReporter reporter(context.prompter(), nullptr, {});
    {
        CTarvelDlg main(context.settings(), context.ui(), reporter);
        context.save(main, QStringLiteral("main-window"));
    }
    {
        context.settings().WriteSetting(QLatin1String(kSettingDisplayBanner), QStringLiteral("NO"));
        CTarvelDlg main(context.settings(), context.ui(), reporter);
        context.save(main, QStringLiteral("main-window-no-banner"));
        context.settings().WriteSetting(QLatin1String(kSettingDisplayBanner), QStringLiteral("YES"));
    }
    {
        CAboutDlg about;
        context.save(about, QStringLiteral("about"));
    }
}
