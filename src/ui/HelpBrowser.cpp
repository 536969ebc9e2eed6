#include "ui/HelpBrowser.h"

#include "ui/FormFactor.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

QString helpDirectory()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tarvel/help");
    if (QFileInfo(beside).isDir())
        return QDir::cleanPath(beside);
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("tarvel/help"),
                                  QStandardPaths::LocateDirectory);
}

CHelpBrowser::CHelpBrowser(const QString &page, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("helpBrowser"));
    m_browser = new QTextBrowser(this);
    m_browser->setAccessibleName(QStringLiteral("Help"));
    m_browser->setOpenExternalLinks(true);

    const QString file = QDir(helpDirectory()).filePath(page + QStringLiteral(".html"));
    if (!helpDirectory().isEmpty() && QFileInfo::exists(file)) {
        m_browser->setSearchPaths({helpDirectory()});
        m_browser->setSource(QUrl::fromLocalFile(file));
    } else {
        m_browser->setPlainText(QStringLiteral("The help page \"%1\" is not installed.").arg(page));
    }
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : QStringLiteral("Help: ") + title);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_browser, 1);
    layout->addWidget(buttons);
    applyFormFactor(this);
}

QSize CHelpBrowser::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return QDialog::sizeHint().expandedTo(QSize(60 * metrics.averageCharWidth(), 30 * metrics.lineSpacing()));
}

void showHelp(QWidget *screen, const QString &page)
{
    CHelpBrowser help(page, screen);
    help.exec();
}

void installHelp(QWidget *screen, const QString &page)
{
    auto *key = new QAction(screen);
    key->setShortcut(QKeySequence(Qt::Key_F1));
    screen->addAction(key);
    QObject::connect(key, &QAction::triggered, screen, [screen, page] { showHelp(screen, page); });
}
