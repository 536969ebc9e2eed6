#include "ui/WindowMemory.h"

#include "platform/SettingsStore.h"

#include <QEvent>
#include <QHeaderView>
#include <QSplitter>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace {

QString sizesText(const QList<int> &sizes)
{
    QStringList numbers;
    numbers.reserve(sizes.size());
    for (const int size : sizes)
        numbers.append(QString::number(size));
    return numbers.join(QLatin1Char(','));
}

// Null unless every entry is a whole number of at least `least`.
std::optional<QList<int>> sizesFromText(const QString &text, int least)
{
    QList<int> sizes;
    if (text.isEmpty())
        return sizes;
    for (const QString &entry : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int value = entry.trimmed().toInt(&ok);
        if (!ok || value < least)
            return std::nullopt;
        sizes.append(value);
    }
    return sizes;
}

} // namespace

QString windowStateText(const CWindowState &state)
{
    QString text = state.size.isValid() && !state.size.isEmpty()
        ? QStringLiteral("%1,%2").arg(state.size.width()).arg(state.size.height())
        : QString();
    QStringList parts;
    for (const QList<int> &part : state.parts)
        parts.append(sizesText(part));
    // The parts that fit, in order; the first that does not ends them.
    for (const QString &part : std::as_const(parts)) {
        if (text.size() + 1 + part.size() > CSettingsStore::kMaxValueLength)
            break;
        text += QLatin1Char(';') + part;
    }
    return text;
}

CWindowState windowStateFromText(const QString &text)
{
    CWindowState state;
    const QStringList groups = text.split(QLatin1Char(';'));
    if (const std::optional<QList<int>> size = sizesFromText(groups.first(), 1); size && size->size() == 2)
        state.size = QSize(size->at(0), size->at(1));
    for (qsizetype i = 1; i < groups.size(); ++i)
        state.parts.append(sizesFromText(groups.at(i), 0).value_or(QList<int>()));
    return state;
}

QString windowStateKey(const QString &windowName, FormFactor form)
{
    return QStringLiteral("Window %1 %2")
        .arg(windowName, form == FormFactor::Desktop ? QStringLiteral("Desktop") : QStringLiteral("Phone"));
}

CWindowMemory::CWindowMemory(QWidget *window, CSettingsStore *settings, const QList<QHeaderView *> &headers,
                             const QList<QSplitter *> &splitters)
    : QObject(window)
    , m_window(window)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("windowMemory"));
    for (QHeaderView *header : headers) {
        const auto index = std::size_t(m_headers.size());
        m_headers.append(header);
        header->viewport()->installEventFilter(this);
        connect(header, &QHeaderView::sectionResized, this, [this, header, index] {
            if (m_pressed == header)
                m_touched[index] = true;
        });
    }
    for (QSplitter *splitter : splitters) {
        const auto index = std::size_t(m_headers.size() + m_splitters.size());
        m_splitters.append(splitter);
        // Only a handle dragged by the flyer moves a splitter with this signal.
        connect(splitter, &QSplitter::splitterMoved, this, [this, index] { m_touched[index] = true; });
    }
    m_touched.assign(std::size_t(m_headers.size() + m_splitters.size()), false);
}

CWindowMemory *CWindowMemory::of(const QWidget *window)
{
    return window ? window->findChild<CWindowMemory *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

CSettingsStore *CWindowMemory::store() const
{
    if (m_settings)
        return m_settings;
    for (QWidget *opener = m_window->parentWidget(); opener; opener = opener->window()->parentWidget()) {
        if (const CWindowMemory *memory = of(opener->window()))
            return memory->store();
    }
    return nullptr;
}

bool CWindowMemory::eventFilter(QObject *watched, QEvent *event)
{
    // A column's width changes under the flyer's hand between a press on the
    // header (a drag, or a double click that fits it) and the release.
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        for (const QPointer<QHeaderView> &header : std::as_const(m_headers)) {
            if (header && header->viewport() == watched)
                m_pressed = header;
        }
    } else if (type == QEvent::MouseButtonRelease && m_pressed) {
        // The header handles the release after this filter; the gesture ends with it.
        QTimer::singleShot(0, this, [this] { m_pressed = nullptr; });
    }
    return false;
}

QSize CWindowMemory::restore(FormFactor form)
{
    m_form = form;
    m_restored = true;
    CSettingsStore *settings = store();
    m_storedText = settings && !m_window->objectName().isEmpty()
        ? settings->ReadSetting(windowStateKey(m_window->objectName(), form))
        : QString();
    const CWindowState kept = windowStateFromText(m_storedText);
    m_keptSize = form == FormFactor::Desktop ? kept.size : QSize();
    std::fill(m_touched.begin(), m_touched.end(), false);
    for (qsizetype i = 0; i < kept.parts.size() && std::size_t(i) < m_touched.size(); ++i) {
        const QList<int> &sizes = kept.parts.at(i);
        if (sizes.isEmpty())
            continue;
        if (i < m_headers.size()) {
            QHeaderView *header = m_headers.at(i);
            if (!header || header->count() != sizes.size())
                continue; // the list has other columns now
            // A column hidden when the state was kept showed no width to keep.
            for (int section = 0; section < sizes.size(); ++section) {
                if (sizes.at(section) > 0)
                    header->resizeSection(section, sizes.at(section));
            }
        } else {
            QSplitter *splitter = m_splitters.at(i - m_headers.size());
            if (!splitter || splitter->count() != sizes.size())
                continue;
            splitter->setSizes(sizes);
        }
        m_touched[std::size_t(i)] = true;
    }
    return m_keptSize;
}

CWindowState CWindowMemory::currentState() const
{
    CWindowState state;
    // A size is kept once the window was opened at a kept size or resized.
    if (m_form == FormFactor::Desktop && (m_keptSize.isValid() || m_window->size() != m_placedSize))
        state.size = m_window->size();
    for (qsizetype i = 0; i < m_headers.size() + m_splitters.size(); ++i) {
        QList<int> sizes;
        if (m_touched[std::size_t(i)]) {
            if (i < m_headers.size()) {
                if (const QHeaderView *header = m_headers.at(i)) {
                    for (int section = 0; section < header->count(); ++section)
                        sizes.append(header->sectionSize(section));
                }
            } else if (const QSplitter *splitter = m_splitters.at(i - m_headers.size())) {
                sizes = splitter->sizes();
            }
        }
        state.parts.append(sizes);
    }
    // Trailing parts never changed say nothing.
    while (!state.parts.isEmpty() && state.parts.last().isEmpty())
        state.parts.removeLast();
    return state;
}

void CWindowMemory::save()
{
    CSettingsStore *settings = store();
    if (!m_restored || !settings || m_window->objectName().isEmpty())
        return;
    const QString text = windowStateText(currentState());
    if (text == m_storedText)
        return;
    // A size not kept is no reason to trouble the flyer: the window opens at
    // its content's size next time, as it did before.
    if (settings->WriteSetting(windowStateKey(m_window->objectName(), m_form), text))
        m_storedText = text;
}
