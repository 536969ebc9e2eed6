#pragma once

#include <QDialog>

class QTextBrowser;

// The short help page of a screen, shown in a text browser with a Close button.
//
// The pages are HTML files installed with the program in share/tarvel/help
// (one per group of screens: "main", "rockets", "launch", "motors", "queries",
// "defaults", "flights", "statistics"). A screen gives itself help with one call in its constructor:
//
//     installHelp(this, QStringLiteral("motors"));
//
// after which F1 on that screen opens the page; a "?" command calls showHelp().
class CHelpBrowser : public QDialog
{
    Q_OBJECT

public:
    CHelpBrowser(const QString &page, QWidget *parent);

    QTextBrowser *browser() const { return m_browser; }
    // A page of text's worth on a desktop; a small screen is filled anyway.
    QSize sizeHint() const override;

private:
    QTextBrowser *m_browser = nullptr;
};

// Where the pages are: share/tarvel/help beside the program's bin folder (the
// build tree has the same shape), else the first "tarvel/help" of the data folders.
QString helpDirectory();

// Opens the page over the screen and returns when the flyer closes it.
void showHelp(QWidget *screen, const QString &page);

// F1 on the screen opens the page.
void installHelp(QWidget *screen, const QString &page);
