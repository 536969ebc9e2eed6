#include "prediction/MotorGuideModel.h"

namespace {
QString oneDecimal(double value)
{
    return QString::number(value, 'f', 1);
}
} // namespace

QString guideResultText(const CFlightPrediction &prediction)
{
    const QStringList texts = prediction.texts();
    return texts.isEmpty() ? QStringLiteral("OK") : texts.join(QStringLiteral("; "));
}

CMotorGuideModel::CMotorGuideModel(CMotorGuide guide, EHeightUnit unit, QObject *parent)
    : QAbstractTableModel(parent)
    , m_guide(std::move(guide))
    , m_unit(unit)
{
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &CMotorGuideModel::predictSlice);
}

void CMotorGuideModel::start()
{
    if (!m_guide.finished())
        m_slices.start();
    else
        emit finished();
}

void CMotorGuideModel::predictSlice()
{
    const std::size_t first = m_guide.rows().size();
    m_guide.predictFor(std::chrono::milliseconds(kSliceMilliseconds));
    std::vector<int> accepted;
    for (std::size_t i = first; i < m_guide.rows().size(); ++i) {
        if (m_filter.accepts(m_guide.rows()[i]))
            accepted.push_back(int(i));
    }
    if (!accepted.empty()) {
        beginInsertRows(QModelIndex(), int(m_shown.size()), int(m_shown.size() + accepted.size()) - 1);
        m_shown.insert(m_shown.end(), accepted.begin(), accepted.end());
        endInsertRows();
    }
    emit progressed(predicted(), total());
    if (m_guide.finished()) {
        m_slices.stop();
        emit finished();
    }
}

void CMotorGuideModel::setFilter(const CMotorGuideFilter &filter)
{
    beginResetModel();
    m_filter = filter;
    m_shown.clear();
    for (std::size_t i = 0; i < m_guide.rows().size(); ++i) {
        if (m_filter.accepts(m_guide.rows()[i]))
            m_shown.push_back(int(i));
    }
    endResetModel();
}

const CMotorGuideRow &CMotorGuideModel::rowAt(int row) const
{
    return m_guide.rows()[std::size_t(m_shown.at(std::size_t(row)))];
}

int CMotorGuideModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int CMotorGuideModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CMotorGuideModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const CMotorGuideRow &row = rowAt(index.row());
    if (role == Qt::DisplayRole)
        return display(row, index.column());
    if (role == SortRole)
        return sortValue(row, index.column());
    if (role == Qt::TextAlignmentRole && index.column() >= ThrustToWeight && index.column() <= NearestDelay)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

QVariant CMotorGuideModel::display(const CMotorGuideRow &row, int column) const
{
    const CFlightPrediction &p = row.prediction;
    switch (column) {
    case Motor:
        return row.type;
    case Maker:
        return row.mfg;
    case Class:
        return row.impulseClass;
    case Result:
        return guideResultText(p);
    default:
        break;
    }
    // A motor that did not fly has no figures to show, rather than zeros.
    if (!p.ok() || (!p.flown && column != ThrustToWeight))
        return QString();
    switch (column) {
    case ThrustToWeight:
        return p.ok() && p.liftoffKg > 0 ? oneDecimal(p.thrustToWeight) : QString();
    case GuideSpeed:
        return oneDecimal(p.guideSpeedMps) + QStringLiteral(" m/s");
    case MaxSpeed:
        return QString::number(std::lround(p.maxSpeedMps)) + QStringLiteral(" m/s");
    case Apogee:
        return formatHeight(p.apogeeM, m_unit);
    case OptimalDelay:
        return oneDecimal(p.optimalDelayS) + QStringLiteral(" s");
    case NearestDelay:
        return p.delayS ? QString::number(*p.delayS) + QStringLiteral(" s") : QStringLiteral("none");
    default:
        return {};
    }
}

QVariant CMotorGuideModel::sortValue(const CMotorGuideRow &row, int column) const
{
    const CFlightPrediction &p = row.prediction;
    // A motor that did not fly sorts below every one that did.
    const double none = -1;
    switch (column) {
    case Motor:
    case Maker:
    case Class:
    case Result:
        return display(row, column);
    case ThrustToWeight:
        return p.ok() ? p.thrustToWeight : none;
    case GuideSpeed:
        return p.flown ? p.guideSpeedMps : none;
    case MaxSpeed:
        return p.flown ? p.maxSpeedMps : none;
    case Apogee:
        return p.flown ? p.apogeeM : none;
    case OptimalDelay:
        return p.flown ? p.optimalDelayS : none;
    case NearestDelay:
        return p.flown && p.delayS ? *p.delayS : none;
    default:
        return {};
    }
}

QVariant CMotorGuideModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const kHeaders[] = {"Motor",     "Maker",  "Class",         "Thrust/weight", "Off guide",
                                           "Max speed", "Apogee", "Optimal delay", "Delay",         "Result"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kHeaders[section]) : QVariant();
}
