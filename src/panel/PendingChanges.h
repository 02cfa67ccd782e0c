#pragma once

#include "config/RegisterValue.h"

#include <deque>
#include <mutex>
#include <optional>

// Copies of the changes the store announced, oldest first. The store announces on whichever
// thread updates (the serial reader among them) and the panel works them off on its timer, so
// the lock is held for one append or one removal and never while anything else runs.
class CPendingChanges {
public:
    void Append(const CRegisterValue& value);
    std::optional<CRegisterValue> TakeOldest();
    bool IsEmpty() const;

private:
    mutable std::mutex m_mutex;
    std::deque<CRegisterValue> m_records;
};
