#include "platform/Platform.h"

#include <gtest/gtest.h>

namespace {

QProcessEnvironment environment(std::initializer_list<std::pair<const char *, const char *>> values)
{
    QProcessEnvironment result;
    for (const auto &[name, value] : values)
        result.insert(QLatin1String(name), QLatin1String(value));
    return result;
}

TEST(Platform, DisplayCheckSaysWhatToDoWithoutADesktop)
{
    const QString message = missingDisplayMessage(environment({}));
    EXPECT_FALSE(message.isEmpty());
    EXPECT_FALSE(message.contains(QLatin1Char('\n')));
    EXPECT_TRUE(message.contains(QStringLiteral("QT_QPA_PLATFORM=offscreen")));
    EXPECT_FALSE(missingDisplayMessage(environment({{"QT_QPA_PLATFORM", "xcb"}})).isEmpty());

    EXPECT_TRUE(missingDisplayMessage(environment({{"DISPLAY", ":0"}})).isEmpty());
    EXPECT_TRUE(missingDisplayMessage(environment({{"WAYLAND_DISPLAY", "wayland-0"}})).isEmpty());
    EXPECT_TRUE(missingDisplayMessage(environment({{"QT_QPA_PLATFORM", "offscreen"}})).isEmpty());
}

} // namespace
