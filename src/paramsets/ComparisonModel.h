#pragma once

#include "SetupComparison.h"

#include <QAbstractTableModel>

#include <vector>

class CConfiguration;

// The rows of a comparison for a table view: one per element of the file, in file order, with a
// check box on each row that loading would change (checked at first), and after sending the
// outcome of each sent row. Cells are made when shown, so a file of many thousand elements
// opens at once.
class CComparisonModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum EColumn {
        COLUMN_NAME,
        COLUMN_REGISTER,
        COLUMN_FILE,
        COLUMN_NOW,
        COLUMN_LOADING,
        COLUMN_RESULT,
        COLUMN_COUNT
    };

    // What became of a sent row.
    enum class EOutcome {
        None,           // not sent
        Applied,        // taken by the panel only (not connected, or not sent to the device)
        Sent,           // sent and acknowledged
        Unacknowledged, // sent, the device did not acknowledge it
        Confirmed,      // the device reported the value sent
        Differs,        // the device reported another value
        NotReported,    // the device reported nothing for it
    };

    explicit CComparisonModel(const CConfiguration& configuration, QObject* parent = nullptr);

    void SetRows(std::vector<SComparedEntry> rows);
    const std::vector<SComparedEntry>& Rows() const { return m_rows; }

    bool IsCheckable(int row) const;
    bool IsChecked(int row) const;
    // Rows can no longer be chosen once their changes were sent.
    void SetChoosable(bool choosable);

    void SetOutcome(int row, EOutcome outcome, std::int32_t reported = 0);
    EOutcome Outcome(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The cell texts as shown, heading first, for exporting.
    std::vector<std::vector<std::string>> Table() const;

private:
    QString Text(int row, int column) const;

    const CConfiguration& m_configuration;
    std::vector<SComparedEntry> m_rows;
    std::vector<char> m_checked;
    std::vector<EOutcome> m_outcomes;
    std::vector<std::int32_t> m_reported;
    bool m_choosable = true;
};
