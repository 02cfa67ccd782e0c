#include "ComparisonModel.h"

#include "config/Configuration.h"

#include <QBrush>
#include <QColor>

namespace {

const char* const HEADINGS[] = {"Parameter", "Nr", "File", "Now", "Loading", "Result"};

} // namespace

CComparisonModel::CComparisonModel(const CConfiguration& configuration, QObject* parent)
    : QAbstractTableModel(parent), m_configuration(configuration) {}

void CComparisonModel::SetRows(std::vector<SComparedEntry> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_checked.assign(m_rows.size(), 0);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        m_checked[i] = m_rows[i].m_effect == ELoadEffect::Change ? 1 : 0;
    }
    m_outcomes.assign(m_rows.size(), EOutcome::None);
    m_reported.assign(m_rows.size(), 0);
    m_choosable = true;
    endResetModel();
}

bool CComparisonModel::IsCheckable(int row) const {
    return row >= 0 && row < rowCount() &&
           m_rows[static_cast<std::size_t>(row)].m_effect == ELoadEffect::Change;
}

bool CComparisonModel::IsChecked(int row) const {
    return IsCheckable(row) && m_checked[static_cast<std::size_t>(row)] != 0;
}

void CComparisonModel::SetChoosable(bool choosable) {
    m_choosable = choosable;
    if (rowCount() > 0) {
        emit dataChanged(index(0, COLUMN_NAME), index(rowCount() - 1, COLUMN_NAME));
    }
}

void CComparisonModel::SetOutcome(int row, EOutcome outcome, std::int32_t reported) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    m_outcomes[static_cast<std::size_t>(row)] = outcome;
    m_reported[static_cast<std::size_t>(row)] = reported;
    emit dataChanged(index(row, 0), index(row, COLUMN_COUNT - 1));
}

CComparisonModel::EOutcome CComparisonModel::Outcome(int row) const {
    return row >= 0 && row < rowCount() ? m_outcomes[static_cast<std::size_t>(row)]
                                        : EOutcome::None;
}

int CComparisonModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CComparisonModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : COLUMN_COUNT;
}

QString CComparisonModel::Text(int row, int column) const {
    const SComparedEntry& entry = m_rows[static_cast<std::size_t>(row)];
    const bool declared = entry.m_parameter != nullptr;
    switch (column) {
    case COLUMN_NAME:
        return QString::fromStdString(ParameterName(m_configuration, entry));
    case COLUMN_REGISTER:
        return QString::number(entry.m_entry.m_register);
    case COLUMN_FILE:
        return QString::number(entry.m_entry.m_value);
    case COLUMN_NOW:
        return declared ? QString::number(entry.m_now) : QString();
    case COLUMN_LOADING:
        return QString::fromStdString(EffectText(entry));
    default:
        break;
    }
    const std::int32_t reported = m_reported[static_cast<std::size_t>(row)];
    switch (m_outcomes[static_cast<std::size_t>(row)]) {
    case EOutcome::None:
        return QString();
    case EOutcome::Applied:
        return QStringLiteral("applied");
    case EOutcome::Sent:
        return QStringLiteral("sent");
    case EOutcome::Unacknowledged:
        return QStringLiteral("not acknowledged");
    case EOutcome::Confirmed:
        return QStringLiteral("confirmed");
    case EOutcome::Differs:
        return QStringLiteral("differs: device holds %1").arg(reported);
    case EOutcome::NotReported:
        return QStringLiteral("sent, not reported back");
    }
    return QString();
}

QVariant CComparisonModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const EOutcome outcome = m_outcomes[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return Text(index.row(), index.column());
    case Qt::CheckStateRole:
        if (index.column() == COLUMN_NAME && IsCheckable(index.row())) {
            return IsChecked(index.row()) ? Qt::Checked : Qt::Unchecked;
        }
        return {};
    case Qt::ForegroundRole:
        // What went wrong stands out.
        if (outcome == EOutcome::Differs || outcome == EOutcome::Unacknowledged) {
            return QBrush(QColor(Qt::red));
        }
        return {};
    default:
        return {};
    }
}

bool CComparisonModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || index.column() != COLUMN_NAME || !m_choosable ||
        !IsCheckable(index.row())) {
        return false;
    }
    m_checked[static_cast<std::size_t>(index.row())] =
        value.value<Qt::CheckState>() == Qt::Checked ? 1 : 0;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags CComparisonModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == COLUMN_NAME && IsCheckable(index.row()) && m_choosable) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

QVariant CComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= COLUMN_COUNT) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromLatin1(HEADINGS[section]);
}

std::vector<std::vector<std::string>> CComparisonModel::Table() const {
    std::vector<std::vector<std::string>> table(1);
    for (const char* heading : HEADINGS) {
        table[0].emplace_back(heading);
    }
    for (int row = 0; row < rowCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            cells.push_back(Text(row, column).toStdString());
        }
        table.push_back(std::move(cells));
    }
    return table;
}
