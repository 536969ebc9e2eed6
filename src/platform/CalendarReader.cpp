#include "platform/CalendarReader.h"

#include <QDateTime>

#include <libical/ical.h>
#include <memory>

namespace {
using CComponentPtr = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

// One start of an event: its date on the wall clock it was written in, the
// local date, and for a timed start the instant, to match exception dates.
struct CMoment
{
    bool valid = false;
    bool allDay = false;
    QDate wallDate;
    QDate localDate;
    qint64 utcSeconds = 0;
};

QString text(const char *utf8)
{
    return utf8 == nullptr ? QString() : QString::fromUtf8(utf8);
}

icalcomponent *calendarOf(icalcomponent *component)
{
    for (icalcomponent *c = component; c != nullptr; c = icalcomponent_get_parent(c)) {
        if (icalcomponent_isa(c) == ICAL_VCALENDAR_COMPONENT)
            return c;
    }
    return nullptr;
}

class CEventMatcher
{
public:
    CEventMatcher(const QString &summary, const QDate &day, const QTimeZone &localZone, CCalendarBudget &budget)
        : m_summary(summary)
        , m_day(day)
        , m_local(localZone)
        , m_budget(budget)
    { }

    // Remembers the occurrences that other events of the file replace.
    void noteOverride(icalcomponent *event)
    {
        icalproperty *property = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
        const CMoment moment = momentOf(event, icalproperty_get_recurrenceid(property), property);
        if (moment.valid)
            m_overrides.append({text(icalcomponent_get_uid(event)), moment});
    }

    bool matches(icalcomponent *event) const
    {
        if (text(icalcomponent_get_summary(event)) != m_summary || !isBusy(event))
            return false;
        icalproperty *start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        if (start == nullptr)
            return false;
        const icaltimetype dtstart = icalproperty_get_dtstart(start);
        const CMoment first = momentOf(event, dtstart, start);
        if (!first.valid)
            return false;
        // A moved or changed occurrence is its own event, judged on its own.
        if (icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY) != nullptr)
            return first.localDate == m_day;

        const QString uid = text(icalcomponent_get_uid(event));
        if (startsToday(event, uid, first))
            return true;
        for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p != nullptr;
             p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
            if (!spend())
                return false;
            const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
            const icaltimetype time = icaltime_is_null_time(rdate.time) ? rdate.period.start : rdate.time;
            if (startsToday(event, uid, momentOf(event, time, p)))
                return true;
        }
        icalproperty *rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
        return rule != nullptr && ruleStartsToday(event, uid, icalproperty_get_rrule(rule), dtstart, start);
    }

private:
    static bool isBusy(icalcomponent *event)
    {
        const icalproperty_status status = icalcomponent_get_status(event);
        if (status == ICAL_STATUS_CANCELLED)
            return false;
        for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p != nullptr;
             p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
            if (text(icalproperty_get_x_name(p))
                    .compare(QLatin1String("X-MICROSOFT-CDO-BUSYSTATUS"), Qt::CaseInsensitive)
                != 0)
                continue;
            const QString busy = text(icalproperty_get_x(p)).trimmed().toUpper();
            if (busy == QLatin1String("FREE") || busy == QLatin1String("OOF"))
                return false;
        }
        if (status == ICAL_STATUS_TENTATIVE)
            return true;
        icalproperty *transp = icalcomponent_get_first_property(event, ICAL_TRANSP_PROPERTY);
        if (transp == nullptr)
            return true; // opaque is the default
        const icalproperty_transp value = icalproperty_get_transp(transp);
        return value != ICAL_TRANSP_TRANSPARENT && value != ICAL_TRANSP_TRANSPARENTNOCONFLICT;
    }

    bool ruleStartsToday(icalcomponent *event, const QString &uid, const icalrecurrencetype &rule,
                         const icaltimetype &dtstart, icalproperty *startProperty) const
    {
        if (rule.freq == ICAL_NO_RECURRENCE)
            return false;
        std::unique_ptr<icalrecur_iterator, decltype(&icalrecur_iterator_free)> iterator(
            icalrecur_iterator_new(rule, dtstart), &icalrecur_iterator_free);
        if (!iterator)
            return false;
        // Wall clocks differ from the local one by at most a day; two days of
        // margin either side cover every zone.
        const QDate from = m_day.addDays(-2);
        const QDate until = m_day.addDays(2);
        icaltimetype jump = dtstart;
        jump.year = from.year();
        jump.month = from.month();
        jump.day = from.day();
        jump.hour = jump.minute = jump.second = 0;
        if (icaltime_compare(jump, dtstart) > 0)
            icalrecur_iterator_set_start(iterator.get(), jump); // refused for COUNT rules: then walk from the start
        while (spend()) {
            icaltimetype next = icalrecur_iterator_next(iterator.get());
            if (icaltime_is_null_time(next))
                return false;
            const QDate wall(next.year, next.month, next.day);
            if (!wall.isValid() || wall > until)
                return false;
            if (wall < from)
                continue;
            next.zone = dtstart.zone;
            next.is_date = dtstart.is_date;
            if (startsToday(event, uid, momentOf(event, next, startProperty)))
                return true;
        }
        return false;
    }

    bool startsToday(icalcomponent *event, const QString &uid, const CMoment &moment) const
    {
        if (!moment.valid || moment.localDate != m_day)
            return false;
        for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p != nullptr;
             p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
            if (!spend())
                return false;
            if (sameOccurrence(moment, momentOf(event, icalproperty_get_exdate(p), p)))
                return false;
        }
        for (const auto &replaced : m_overrides) {
            if (!spend())
                return false;
            if (replaced.first == uid && sameOccurrence(moment, replaced.second))
                return false;
        }
        return true;
    }

    static bool sameOccurrence(const CMoment &occurrence, const CMoment &other)
    {
        if (!other.valid)
            return false;
        if (occurrence.allDay || other.allDay)
            return occurrence.wallDate == other.wallDate;
        return occurrence.utcSeconds == other.utcSeconds;
    }

    // Converts a start as written (UTC, in a named zone, floating or a date)
    // to the local calendar. A zone the file defines wins; otherwise the name
    // is looked up as an IANA or Windows zone; failing both, the time floats.
    CMoment momentOf(icalcomponent *event, icaltimetype time, icalproperty *property) const
    {
        CMoment moment;
        if (icaltime_is_null_time(time))
            return moment;
        moment.wallDate = QDate(time.year, time.month, time.day);
        if (!moment.wallDate.isValid())
            return moment;
        if (time.is_date) {
            moment.valid = true;
            moment.allDay = true;
            moment.localDate = moment.wallDate;
            return moment;
        }
        const QTime clock(time.hour, time.minute, qMin(time.second, 59));
        if (!clock.isValid())
            return moment;

        QDateTime instant;
        icalparameter *tzid =
            property == nullptr ? nullptr : icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
        const char *zoneName = tzid == nullptr ? nullptr : icalparameter_get_tzid(tzid);
        icalcomponent *calendar = calendarOf(event);
        icaltimezone *fileZone =
            (zoneName != nullptr && calendar != nullptr) ? icalcomponent_get_timezone(calendar, zoneName) : nullptr;
        if (icaltime_is_utc(time)) {
            instant = QDateTime(moment.wallDate, clock, QTimeZone::utc());
        } else if (fileZone != nullptr) {
            time.zone = nullptr;
            instant = QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(time, fileZone), QTimeZone::utc());
        } else {
            QTimeZone zone = namedZone(text(zoneName));
            instant = QDateTime(moment.wallDate, clock, zone.isValid() ? zone : m_local);
        }
        if (!instant.isValid())
            return moment;
        moment.valid = true;
        moment.utcSeconds = instant.toSecsSinceEpoch();
        moment.localDate = instant.toTimeZone(m_local).date();
        return moment;
    }

    static QTimeZone namedZone(const QString &name)
    {
        if (name.isEmpty())
            return {};
        QTimeZone zone(name.toUtf8());
        if (!zone.isValid())
            zone = QTimeZone(QTimeZone::windowsIdToDefaultIanaId(name.toUtf8()));
        return zone;
    }

    // One unit of work; false once the budget is spent.
    bool spend() const
    {
        if (m_budget.steps <= 0) {
            m_budget.exhausted = true;
            return false;
        }
        --m_budget.steps;
        return true;
    }

    QString m_summary;
    QDate m_day;
    QTimeZone m_local;
    CCalendarBudget &m_budget;
    QList<QPair<QString, CMoment>> m_overrides;
};

// The events of the tree in document order, walked without recursion.
void collectEvents(icalcomponent *root, QList<icalcomponent *> &events)
{
    QList<icalcomponent *> pending {root};
    while (!pending.isEmpty()) {
        icalcomponent *component = pending.takeLast();
        if (icalcomponent_isa(component) == ICAL_VEVENT_COMPONENT) {
            events.append(component);
            continue;
        }
        QList<icalcomponent *> children;
        for (icalcomponent *child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); child != nullptr;
             child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
            const icalcomponent_kind kind = icalcomponent_isa(child);
            if (kind == ICAL_VEVENT_COMPONENT || kind == ICAL_VCALENDAR_COMPONENT || kind == ICAL_XROOT_COMPONENT)
                children.append(child);
        }
        // Last child first onto the stack, so the first is walked next.
        for (auto it = children.crbegin(); it != children.crend(); ++it)
            pending.append(*it);
    }
}

// Whether a content line is the named property ("NAME:" or "NAME;...").
bool isProperty(QByteArrayView line, QByteArrayView name)
{
    return line.size() > name.size() && qstrnicmp(line.data(), name.size(), name.data(), name.size()) == 0
        && (line.at(name.size()) == ':' || line.at(name.size()) == ';');
}

// A property's value as text: unfolded, after the first colon outside quotes,
// with the text escapes undone.
QByteArray propertyValue(QByteArrayView line)
{
    QByteArray unfolded;
    unfolded.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        if (c == '\r')
            continue;
        if (c == '\n') {
            ++i; // the blank or TAB that continues the line
            continue;
        }
        unfolded += c;
    }
    bool quoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < unfolded.size() && colon < 0; ++i) {
        if (unfolded.at(i) == '"')
            quoted = !quoted;
        else if (unfolded.at(i) == ':' && !quoted)
            colon = i;
    }
    QByteArray value;
    for (qsizetype i = colon + 1; colon >= 0 && i < unfolded.size(); ++i) {
        char c = unfolded.at(i);
        if (c == '\\' && i + 1 < unfolded.size()) {
            c = unfolded.at(++i);
            if (c == 'n' || c == 'N')
                c = '\n';
        }
        value += c;
    }
    return value;
}

// The part of a calendar worth parsing. libical's cost grows with the square
// of a line's length and its stack with the nesting depth, and a large
// calendar takes seconds to parse whole: so over-long content lines are left
// out, a file nested too deeply is not read at all, and only the events that
// can matter are kept (those titled `summary`, and the moved occurrences that
// may replace theirs). Lines are read as the parser reads them: one starting
// with a blank or a TAB continues the line before.
std::optional<QByteArray> calendarToParse(const QByteArray &data, const QByteArray &summary, CCalendarSkips &skips)
{
    QByteArray kept;
    kept.reserve(qMin<qsizetype>(data.size(), 64 * 1024));
    int depth = 0;
    int eventDepth = 0; // the depth of the event being read; 0 outside events
    qsizetype eventStart = 0; // where it begins in `kept`
    bool eventMatters = false;
    qsizetype at = 0;
    while (at < data.size()) {
        // One content line: a physical line and every continuation after it.
        const qsizetype start = at;
        do {
            const qsizetype lineEnd = data.indexOf('\n', at);
            at = lineEnd < 0 ? data.size() : lineEnd + 1;
        } while (at < data.size() && (data.at(at) == ' ' || data.at(at) == '\t'));
        const QByteArrayView line = QByteArrayView(data).sliced(start, at - start);
        if (line.size() > kMaxCalendarLineBytes) {
            ++skips.longLines;
            continue;
        }
        const bool begins = isProperty(line, "BEGIN");
        if (begins && ++depth > kMaxCalendarDepth) {
            skips.tooDeep = true;
            return std::nullopt;
        }
        if (begins && eventDepth == 0 && propertyValue(line).trimmed().toUpper() == "VEVENT") {
            eventDepth = depth;
            eventStart = kept.size();
            eventMatters = false;
        } else if (eventDepth > 0 && depth == eventDepth && !eventMatters) {
            eventMatters =
                isProperty(line, "RECURRENCE-ID") || (isProperty(line, "SUMMARY") && propertyValue(line) == summary);
        }
        kept += line;
        if (isProperty(line, "END")) {
            if (eventDepth > 0 && depth == eventDepth) {
                if (!eventMatters)
                    kept.truncate(eventStart);
                eventDepth = 0;
            }
            depth = qMax(0, depth - 1);
        }
    }
    return kept;
}
} // namespace

std::optional<QString> findAppointmentLocation(const QByteArray &icsData, const QString &summary, const QDate &day,
                                               const QTimeZone &localZone, CCalendarBudget *budget,
                                               CCalendarSkips *skips)
{
    if (!day.isValid() || !localZone.isValid())
        return std::nullopt;
    CCalendarBudget ownBudget;
    CCalendarSkips ownSkips;
    // The parser reads a C string and does not expect a byte-order mark.
    const std::optional<QByteArray> bounded = calendarToParse(
        icsData.startsWith("\xEF\xBB\xBF") ? icsData.mid(3) : icsData, summary.toUtf8(), skips ? *skips : ownSkips);
    if (!bounded)
        return std::nullopt;
    const QByteArray &data = *bounded;
    // libical can be built to abort on errors; a bad file must only be skipped.
    icalerror_set_errors_are_fatal(0);
    CComponentPtr root(icalparser_parse_string(data.constData()), &icalcomponent_free);
    if (!root)
        return std::nullopt;

    QList<icalcomponent *> events;
    collectEvents(root.get(), events);
    CEventMatcher matcher(summary, day, localZone, budget ? *budget : ownBudget);
    for (icalcomponent *event : std::as_const(events)) {
        if (icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY) != nullptr)
            matcher.noteOverride(event);
    }
    for (icalcomponent *event : std::as_const(events)) {
        if (matcher.matches(event)) {
            QString location = text(icalcomponent_get_location(event));
            // The site box holds one line.
            location.replace(QLatin1String("\r\n"), QLatin1String(" "));
            location.replace(QLatin1Char('\n'), QLatin1Char(' '));
            return location;
        }
    }
    return std::nullopt;
}
