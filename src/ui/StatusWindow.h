#pragma once

#include "ui/ProgressReport.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>

// The small framed text window in which long operations show their progress.
// The main window creates it for the Defaults command and lends it to the
// screens that command opens; each makes it its own child while it runs. It
// floats over its owner, centred across it near the top, at least the
// handheld's 150x50 pixels and as large as its text needs.
class CStatusWindow : public QLabel, public CProgressReport
{
    Q_OBJECT

public:
    // Painting is what makes a long list slow, so a new text is drawn at once
    // only when this long has passed since the last drawing.
    static constexpr int kRepaintIntervalMs = 50;

    explicit CStatusWindow(QWidget *parent);

    // Makes the window a child of the given window, in its place there, on top.
    void moveInto(QWidget *parent);
    // Draws the latest text now, whatever the interval.
    void paintNow();
    // The latest progress text, drawn or not yet.
    QString progressText() const { return m_text; }
    int paintCount() const { return m_paints; }

    void showProgress(const QString &text) override;
    void finishProgress() override;
    void hideProgress() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Keeps the window placed over its owner as the owner changes size.
    void followOwner();
    void place();

    QPointer<QWidget> m_owner;
    QElapsedTimer m_sincePaint;
    QString m_text;
    bool m_pending = false;
    int m_paints = 0;
};
