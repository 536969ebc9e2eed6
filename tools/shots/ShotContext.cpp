#include "shots/ShotContext.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

CShotContext::CShotContext(const QString &outputDirectory, const QString &storageDirectory)
    : m_outputDirectory(outputDirectory)
    , m_storageDirectory(storageDirectory)
{ }

bool CShotContext::save(QWidget &widget, const QString &name)
{
    bool saved = true;
    for (const CReferenceScreenInfo &info : referenceScreens())
        saved = save(widget, name, info.screen) && saved;
    return saved;
}

bool CShotContext::save(QWidget &widget, const QString &name, ReferenceScreen screen)
{
    const QString file = QDir(m_outputDirectory)
                             .filePath(name + QLatin1Char('-') + QLatin1String(referenceScreenInfo(screen).suffix)
                                       + QStringLiteral(".png"));
    const bool saved = showOnReferenceScreen(&widget, screen) && widget.grab().save(file);
    widget.hide();
    if (saved) {
        std::printf("%s\n", qPrintable(file));
    } else {
        std::fprintf(stderr, "tarvel-shots: cannot write %s\n", qPrintable(file));
        ++m_failures;
    }
    return saved;
}

void CShotContext::writeSetting(const QString &name, const QString &text)
{
    if (m_settings.WriteSetting(name, text))
        return;
    std::fprintf(stderr, "tarvel-shots: cannot write the setting %s in %s\n", qPrintable(name),
                 qPrintable(m_settings.fileName()));
    ++m_failures;
}
