#pragma once

#include "ListenerTable.h"
#include "Parameter.h"
#include "UiPage.h"
#include "platform/TextCodec.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

class CRegisterValue;
class IClock;
class IParameterListener;
class TiXmlDocument;

// The one owner of everything read from config.xml and the hub every value change passes:
// Update rounds and clamps a change into its parameter and tells every listener. It also keeps
// the time of the device's last report, from which the link-alive state follows.
class CConfiguration {
public:
    static constexpr int MAX_PARAMETERS = 200;
    static constexpr int MAX_PAGES = 20;

    // The process-wide store. The first call loads config.xml from the program directory; when
    // that fails it shows "Kann config.xml nicht laden!", writes it to standard error and ends
    // the process with exit status 1.
    static CConfiguration* GetInstance();

    // Shows "Kann config.xml nicht laden!" and writes it to standard error, as a failed load
    // does; for start-up when there is no config.xml to load at all.
    static void ShowLoadFailure();

    // Loads a configuration file on its own; nullptr when it cannot be read, is nested too
    // deeply or is not well-formed.
    static std::unique_ptr<CConfiguration> LoadFile(const std::string& path);

    // Drops the process-wide store so that the next GetInstance loads again. The running program
    // never calls it; tests use it to load one file after another.
    static void ResetInstance();

    virtual ~CConfiguration();
    CConfiguration(const CConfiguration&) = delete;
    CConfiguration& operator=(const CConfiguration&) = delete;

    int GetParameterCount() const { return m_parameterCount; }
    // nullptr for an index outside 0..count-1.
    CParameter* GetParameter(int index) const;
    // The first parameter, in document order, with this register number.
    CParameter* FindParameter(std::int32_t registerNumber) const;
    int GetParameterIndex(std::int32_t registerNumber) const;

    int GetPageCount() const { return m_pageCount; }
    CUiPage* GetPage(int index) const;

    // Listeners are class-wide, like the table they live in.
    void AddListener(IParameterListener* listener);
    void RemoveListener(IParameterListener* listener);

    // Applies a change to a declared register and notifies every listener with the clamped
    // value written back into the record. Changes to undeclared registers are ignored.
    void Update(CRegisterValue& value);

    void TouchLink();
    // The device is known to be gone (its port failed): the link is not alive until the next
    // report, which the main window then sees as a new connection.
    void ForgetLink();
    // True during the second of the last device report and the next one.
    bool IsLinkAlive() const;
    void SetClock(const IClock* clock);

    // The parsed file the records point into.
    const TiXmlDocument& GetDocument() const { return *m_document; }

    // Encoding of the texts the records point to, and the conversion for showing them.
    ETextEncoding GetTextEncoding() const { return m_encoding; }
    std::string DisplayText(const char* text) const;

private:
    CConfiguration();
    void Build();

    std::int32_t m_parameterCount = 0;
    std::array<std::unique_ptr<CParameter>, MAX_PARAMETERS> m_parameters;
    std::int32_t m_pageCount = 0;
    std::array<std::unique_ptr<CUiPage>, MAX_PAGES> m_pages;
    std::unique_ptr<TiXmlDocument> m_document;
    std::atomic<std::uint32_t> m_lastStatusTime{0};

    ETextEncoding m_encoding = ETextEncoding::Cp1252;
    std::atomic<const IClock*> m_clock;
    // Register number to the index of its first parameter.
    std::unordered_map<std::int32_t, int> m_indexByRegister;

    static CListenerTable s_listeners;
};
