#pragma once

#include <QDialog>

class CFileChooser;
class QLineEdit;
class QPushButton;

// "Get Data": names the altimeter data file of a flight. Only the name is kept;
// the file is never read. "Download" is there but never enabled.
class CGetDataDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CGetDataDlg(CFileChooser &files, QWidget *parent = nullptr);

    QString fileName() const { return m_fileName; }
    void setFileName(const QString &name);

    void OnSelectFile();
    void OnOk();

    QLineEdit *nameField() const { return m_nameField; }
    QPushButton *downloadButton() const { return m_download; }

    // The open-file dialog's filters: the altimeter files, then every file.
    static QString fileFilter();

private:
    CFileChooser &m_files;
    QString m_fileName;
    QLineEdit *m_nameField = nullptr;
    QPushButton *m_download = nullptr;
};
