#include "ListenerTable.h"

#include "ParameterListener.h"

void CListenerTable::Add(IParameterListener* listener) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& slot : m_slots) {
        if (slot == nullptr) {
            slot = listener;
            return;
        }
    }
}

void CListenerTable::Remove(IParameterListener* listener) {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (auto& slot : m_slots) {
        if (slot == listener) {
            slot = nullptr;
            break;
        }
    }
    // A listener still registered in another slot may legitimately keep being called.
    for (const auto* slot : m_slots) {
        if (slot == listener) {
            return;
        }
    }
    m_callEnded.wait(lock, [&] { return !IsActiveElsewhere(listener); });
}

bool CListenerTable::IsActiveElsewhere(IParameterListener* listener) const {
    const std::thread::id self = std::this_thread::get_id();
    for (const auto& call : m_activeCalls) {
        if (call.m_listener == listener && call.m_thread != self) {
            return true;
        }
    }
    return false;
}

void CListenerTable::Notify(CRegisterValue& value) {
    const std::thread::id self = std::this_thread::get_id();
    for (std::size_t i = 0; i < SLOT_COUNT; ++i) {
        SActiveCall* call = nullptr;
        IParameterListener* listener = nullptr;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            listener = m_slots[i];
            if (listener == nullptr) {
                continue;
            }
            for (auto& candidate : m_activeCalls) {
                if (candidate.m_listener == nullptr) {
                    call = &candidate;
                    break;
                }
            }
            // Only a runaway recursion of listeners that update from inside their own
            // notification could fill the table; such a call is skipped rather than untracked.
            if (call == nullptr) {
                continue;
            }
            call->m_listener = listener;
            call->m_thread = self;
        }
        listener->OnParameterChanged(value);
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            call->m_listener = nullptr;
            call->m_thread = std::thread::id();
        }
        m_callEnded.notify_all();
    }
}

IParameterListener* CListenerTable::GetSlot(std::size_t slot) const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return slot < SLOT_COUNT ? m_slots[slot] : nullptr;
}
