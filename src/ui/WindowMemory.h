#pragma once

#include "ui/FormFactor.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

#include <vector>

class CSettingsStore;
class QHeaderView;
class QSplitter;
class QWidget;

// What a window keeps of itself between openings on one form (desktop or
// phone): its size, on a desktop, and the sizes of the sections of each list
// header and splitter it names, in the order it names them. What the flyer
// never changed is not kept (a null size, an empty part): the window's
// content decides it at the next opening.
struct CWindowState
{
    QSize size;
    QList<QList<int>> parts;

    bool operator==(const CWindowState &) const = default;
};

// One settings value, "width,height;part;part...", each part its sizes
// separated by commas: "960,600;120,80,0,210;;300,420". Parts that would take
// the value past the settings store's 199 characters are left out, the last
// first, so the size always fits.
QString windowStateText(const CWindowState &state);
// Anything malformed reads as not kept: the size unless it is two positive
// whole numbers, a part unless every size in it is a whole number of 0 or more.
CWindowState windowStateFromText(const QString &text);
// The settings name of a window's state on one form: "Window flightsDialog Desktop".
QString windowStateKey(const QString &windowName, FormFactor form);

// Keeps a window's state in the settings store under the window's object
// name, one value per form. The form-factor placer asks it for the state as it
// places the window and hands it the size it was placed at; when the window is
// hidden it writes what the flyer changed since. A window without a settings
// store of its own keeps its state in its opener's, when the opener remembers
// its own; with neither it remembers nothing and always opens at its content's size.
class CWindowMemory : public QObject
{
    Q_OBJECT

public:
    CWindowMemory(QWidget *window, CSettingsStore *settings, const QList<QHeaderView *> &headers,
                  const QList<QSplitter *> &splitters);

    // The window's memory, made by rememberWindowState; null when it has none.
    static CWindowMemory *of(const QWidget *window);

    // Puts back the column widths and splitter positions kept for the form and
    // returns the size kept (null when none is, and always on a phone).
    QSize restore(FormFactor form);
    // The size the window was placed at, after restore().
    void placedAt(QSize size) { m_placedSize = size; }
    // Writes the state when it differs from the one stored; nothing before restore().
    void save();

    // The state the window is in now, in the terms it would be kept.
    CWindowState currentState() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CSettingsStore *store() const;

    QWidget *m_window;
    CSettingsStore *m_settings;
    QList<QPointer<QHeaderView>> m_headers;
    QList<QPointer<QSplitter>> m_splitters;
    // Per header then splitter: changed by the flyer, in this opening or an earlier one.
    std::vector<bool> m_touched;
    // The header a mouse button went down on, while its gesture lasts.
    QHeaderView *m_pressed = nullptr;
    bool m_restored = false;
    FormFactor m_form = FormFactor::Desktop;
    QSize m_placedSize;
    QSize m_keptSize;
    QString m_storedText;
};
