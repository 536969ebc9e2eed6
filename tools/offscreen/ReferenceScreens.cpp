#include "offscreen/ReferenceScreens.h"

#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace {
const QString kScreenPrefix = QStringLiteral("tarvel-");
}

const std::array<CReferenceScreenInfo, 3> &referenceScreens()
{
    static const std::array<CReferenceScreenInfo, 3> screens = {{
        {ReferenceScreen::Desktop, "desktop", QRect(0, 0, 1280, 800), 1},
        {ReferenceScreen::Compact, "compact", QRect(1280, 0, 240, 320), 1},
        {ReferenceScreen::Phone, "phone", QRect(1520, 0, 360, 720), 2},
    }};
    return screens;
}

const CReferenceScreenInfo &referenceScreenInfo(ReferenceScreen screen)
{
    for (const CReferenceScreenInfo &info : referenceScreens()) {
        if (info.screen == screen)
            return info;
    }
    return referenceScreens().front();
}

bool selectOffscreenReferenceScreens(const QString &directory)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return false;
    QJsonArray screens;
    for (const CReferenceScreenInfo &info : referenceScreens()) {
        // The platform counts in device pixels; a scale of 2 is a logical DPI twice the base.
        screens.append(QJsonObject {
            {QStringLiteral("name"), kScreenPrefix + QLatin1String(info.suffix)},
            {QStringLiteral("x"), info.geometry.x()},
            {QStringLiteral("y"), info.geometry.y()},
            {QStringLiteral("width"), info.geometry.width() * info.scale},
            {QStringLiteral("height"), info.geometry.height() * info.scale},
            {QStringLiteral("logicalDpi"), 96 * info.scale},
            {QStringLiteral("logicalBaseDpi"), 96},
            {QStringLiteral("dpr"), 1.0},
        });
    }
    const QString path = directory + QStringLiteral("/offscreen-screens.json");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(QJsonDocument(QJsonObject {{QStringLiteral("screens"), screens}}).toJson());
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).toLocal8Bit());
    return true;
}

QScreen *referenceScreen(ReferenceScreen screen)
{
    const QString name = kScreenPrefix + QLatin1String(referenceScreenInfo(screen).suffix);
    for (QScreen *candidate : QGuiApplication::screens()) {
        if (candidate->name() == name)
            return candidate;
    }
    return nullptr;
}

bool showOnReferenceScreen(QWidget *window, ReferenceScreen which)
{
    QScreen *screen = referenceScreen(which);
    if (!screen)
        return false;
    window->hide();
    window->setScreen(screen);
    // Moved onto the screen first, so that a dialog does not centre itself on another one.
    window->move(screen->geometry().topLeft());
    window->show();
    // The platform exposes the window and reports its final geometry (a full
    // screen, say) through events that arrive a little later.
    // The children are laid out for the new size by later events still, so the
    // window counts as settled once neither it nor any child has moved for a
    // few rounds.
    const auto geometries = [window] {
        QList<QRect> all {window->geometry()};
        for (const QWidget *child : window->findChildren<QWidget *>())
            all.append(child->isVisible() ? child->geometry() : QRect());
        return all;
    };
    QList<QRect> last;
    for (int settled = 0, round = 0; settled < 3 && round < 400; ++round) {
        QCoreApplication::processEvents();
        const bool exposed = window->windowHandle() && window->windowHandle()->isExposed();
        const QList<QRect> now = geometries();
        settled = exposed && now == last ? settled + 1 : 0;
        last = now;
        QThread::msleep(2);
    }
    return window->screen() == screen && window->isVisible();
}
