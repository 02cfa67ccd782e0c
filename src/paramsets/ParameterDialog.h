#pragma once

#include "config/ParameterListener.h"
#include "config/RegisterValue.h"

#include <QDialog>

#include <deque>
#include <mutex>

class CConfiguration;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

// The parameter list: every parameter with its register number and current value, in store
// order, and a value box whose "Set" hands a new value for the clicked parameter to the store.
// As a store listener it queues every change (from any thread) and shows the store's current
// value in the row on its next timer tick.
class CParameterDialog final : public QDialog, public IParameterListener {
    Q_OBJECT

public:
    static constexpr int COLUMN_NAME = 0;
    static constexpr int COLUMN_REGISTER = 1;
    static constexpr int COLUMN_VALUE = 2;
    static constexpr int TICK_MS = 50;

    explicit CParameterDialog(CConfiguration& configuration, QWidget* parent = nullptr);
    ~CParameterDialog() override;
    CParameterDialog(const CParameterDialog&) = delete;
    CParameterDialog& operator=(const CParameterDialog&) = delete;

    // Any thread; only queues a copy.
    void OnParameterChanged(CRegisterValue& value) override;

    int GetSelectedRow() const { return m_selectedRow; }

public slots:
    void OnListClicked(QTreeWidgetItem* item);
    void OnSet();
    // Works off the queue: each queued register's row shows the store's value.
    void ShowPendingChanges();

private:
    bool TakePending(CRegisterValue& value);

    CConfiguration& m_configuration;
    QTreeWidget* m_list = nullptr;
    QLineEdit* m_nameBox = nullptr;
    QLineEdit* m_valueBox = nullptr;
    QPushButton* m_setButton = nullptr;
    QTimer* m_timer = nullptr;
    int m_selectedRow = -1;

    // Appended on the thread of the change, drained by the timer; the lock is held for one
    // append or one removal, never while a row is written.
    std::mutex m_pendingMutex;
    std::deque<CRegisterValue> m_pendingChanges;
};
