#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

class CRegisterValue;
class IParameterListener;

// The ten listener slots. Notification holds no lock while a listener runs (the serial link
// blocks inside its listener while the reader thread keeps notifying), yet a listener is never
// called once Remove has returned: Remove waits for calls of it running on other threads.
class CListenerTable {
public:
    static constexpr std::size_t SLOT_COUNT = 10;

    // Lowest empty slot; silently dropped when all are taken. The same pointer may take two.
    void Add(IParameterListener* listener);
    // Empties the lowest slot holding the pointer; an unknown pointer changes nothing.
    void Remove(IParameterListener* listener);
    // Calls the listeners in slot order on the calling thread.
    void Notify(CRegisterValue& value);

    IParameterListener* GetSlot(std::size_t slot) const;

private:
    // A call in progress; Remove waits for those of other threads.
    struct SActiveCall {
        IParameterListener* m_listener = nullptr;
        std::thread::id m_thread;
    };
    static constexpr std::size_t MAX_ACTIVE_CALLS = 64;

    bool IsActiveElsewhere(IParameterListener* listener) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_callEnded;
    std::array<IParameterListener*, SLOT_COUNT> m_slots{};
    std::array<SActiveCall, MAX_ACTIVE_CALLS> m_activeCalls{};
};
