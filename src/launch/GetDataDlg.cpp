#include "launch/GetDataDlg.h"

#include "ui/FileChooser.h"
#include "ui/ScreenSize.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CGetDataDlg::CGetDataDlg(CFileChooser &files, QWidget *parent)
    : QDialog(parent)
    , m_files(files)
{
    setWindowTitle(QStringLiteral("Get Data"));
    setFixedSize(kScreenWidth, kScreenHeight);

    auto *label = new QLabel(QStringLiteral("Altimeter data file"), this);
    label->setGeometry(8, 10, 224, 20);
    m_nameField = new QLineEdit(this);
    m_nameField->setGeometry(8, 32, 224, 26);
    m_nameField->setAccessibleName(QStringLiteral("Altimeter data file"));
    label->setBuddy(m_nameField);

    auto *select = new QPushButton(QStringLiteral("Select file"), this);
    select->setGeometry(8, 68, 108, 30);
    m_download = new QPushButton(QStringLiteral("Download"), this);
    m_download->setGeometry(124, 68, 108, 30);
    m_download->setEnabled(false);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(8, 278, 108, 32);
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setGeometry(124, 278, 108, 32);

    connect(select, &QPushButton::clicked, this, &CGetDataDlg::OnSelectFile);
    connect(ok, &QPushButton::clicked, this, &CGetDataDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString CGetDataDlg::fileFilter()
{
    return QStringLiteral("Image Files (*.flt);;All Files (*.*)");
}

void CGetDataDlg::setFileName(const QString &name)
{
    m_fileName = name;
    m_nameField->setText(name);
}

void CGetDataDlg::OnSelectFile()
{
    // The file chooser only offers files that exist and returns full paths.
    const QString chosen = m_files.openFile(nullptr, QStringLiteral("Open"), QString(), fileFilter());
    if (chosen.isEmpty())
        return;
    setFileName(chosen);
}

void CGetDataDlg::OnOk()
{
    m_fileName = m_nameField->text();
    accept();
}
