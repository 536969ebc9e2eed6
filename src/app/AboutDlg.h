#pragma once

#include <QDialog>

// The about box: the credits text with OK and Cancel, both of which just close it.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};
