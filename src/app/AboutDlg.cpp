#include "app/AboutDlg.h"

#include "app/BannerText.h"
#include "ui/FormFactor.h"
#include "ui/HelpBrowser.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About"));
    setObjectName(QStringLiteral("aboutDialog"));

    auto *text = new QLabel(aboutText(), this);
    text->setObjectName(QStringLiteral("aboutText"));
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    text->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(text, 1);
    layout->addWidget(buttons);
    applyFormFactor(this);
    installHelp(this, QStringLiteral("main"));
}
