#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class CSettingsStore;
class QHeaderView;
class QScreen;
class QSplitter;
class QWidget;

// How big a screen is shown, decided in one place for every screen.
//
// Every screen is laid out for the handheld's 240x320 portrait window first:
// that compact form is the least a screen shrinks to. On a small screen (a
// phone or the handheld) each screen fills the whole screen; on a desktop it is
// a normal resizable window sized to its content and centred over the window
// that opened it.
//
// A screen builds its widgets in layouts (no fixed positions or sizes) and then
// makes one call, in its constructor, where it used to fix its size:
//
//     buildLayout();
//     applyFormFactor(this);
//
// A window that shows a list, a table or a plot remembers, per form, the size
// the flyer gave it, the widths of its lists' columns and the positions of its
// splitters: it makes this call instead, naming them (see ui/WindowMemory.h):
//
//     rememberWindowState(this, m_ui.windowSettings, {m_list->horizontalHeader()});
//
// Nothing else is needed: the window is placed each time it is shown on a
// screen it was not yet placed on, so exec() and show() both do the right thing.
// The screen then needs a layout that fits 240x320 and grows: lists and notes
// take the stretch, labels sit beside or above their fields (no setGeometry,
// no setFixedSize of the window). installHelp() (ui/HelpBrowser.h) gives it F1.
//
// To check a screen, tests call auditOnReferenceScreens() (tests/support/
// LayoutAudit.h), which shows it at 240x320, 1280x800 and on a 720x1440 phone
// at scale 2 and lists what lies outside, overlaps or is cut; tarvel-shots'
// CShotContext::save() photographs it at the same three sizes.

// The handheld's window, in logical pixels: the compact form and the minimum.
inline constexpr int kCompactWidth = 240;
inline constexpr int kCompactHeight = 320;
// Screens narrower than this (logical pixels) are phones and handhelds.
inline constexpr int kDesktopMinimumWidth = 800;

enum class FormFactor {
    Compact, // each screen fills the screen
    Desktop, // each screen is a window sized to its content
};

// The rule: below kDesktopMinimumWidth logical pixels the compact form.
FormFactor formFactorForWidth(int logicalWidth);
// The form of the screen the window is (or will be) shown on.
FormFactor formFactorOf(const QWidget *window);

// The size that shows a desktop window's content whole: its size hint, grown
// by what each list or scroll area that asks to be sized to its content
// (QAbstractScrollArea::sizeAdjustPolicy) needs for every column and up to 30
// rows beyond what it asks for.
QSize desktopContentSize(QWidget *window);

// On a desktop, grows a shown window to show content that has appeared since
// it opened (a plot for a chosen file), within the screen; it never shrinks,
// and a window that fills a small screen is left alone.
void growToContent(QWidget *window);

// Where a desktop window goes: the content's size, at least the compact size
// and at most the available area, centred over `over` (the opener's frame;
// the available area itself when `over` is null), moved back inside the
// available area where it would stick out.
QRect desktopPlacement(QSize content, const QRect &available, const QRect &over);

// The one call a screen makes once its layout is built. `remembered` is a
// geometry the window had before (the main window keeps its own); it is used
// on a desktop when it still lies on a screen.
void applyFormFactor(QWidget *window, const QRect &remembered = {});

// applyFormFactor, and the window's state kept in `settings` under its object
// name: its size on a desktop (clamped to the screen), the sections of the
// headers and the splitters, each per form. Null settings: the opener's, if
// it remembers its own state.
void rememberWindowState(QWidget *window, CSettingsStore *settings, const QList<QHeaderView *> &headers = {},
                         const QList<QSplitter *> &splitters = {});

// The geometry of a window as a settings value, "x,y,width,height", and back;
// anything else reads as a null rectangle.
QString windowGeometryText(const QRect &geometry);
QRect windowGeometryFromText(const QString &text);
