#include "shots/ShotContext.h"

#include <QApplication>
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
    widget.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    const QString file = QDir(m_outputDirectory).filePath(name + QStringLiteral(".png"));
    const bool saved = widget.grab().save(file);
    widget.hide();
    if (saved) {
        std::printf("%s\n", qPrintable(file));
    } else {
        std::fprintf(stderr, "tarvel-shots: cannot write %s\n", qPrintable(file));
        ++m_failures;
    }
    return saved;
}
