#include "Configuration.h"

#include "ConfigReader.h"
#include "ProgramDirectory.h"
#include "RegisterValue.h"
#include "XmlFile.h"
#include "platform/Clock.h"
#include "platform/MessageService.h"

#include <tinyxml.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

CListenerTable CConfiguration::s_listeners;

namespace {

std::mutex s_instanceMutex;
std::unique_ptr<CConfiguration> s_owner;
std::atomic<CConfiguration*> s_instance{nullptr};

} // namespace

void CConfiguration::ShowLoadFailure() {
    static const char* const s_text = "Kann config.xml nicht laden!";
    GetMessageService().ShowMessage(s_text, "Fehler", EMessageIcon::Error);
    std::fprintf(stderr, "%s\n", s_text);
}

CConfiguration::CConfiguration()
    : m_document(std::make_unique<TiXmlDocument>()), m_clock(&CSystemClock::Instance()) {}

CConfiguration::~CConfiguration() = default;

CConfiguration* CConfiguration::GetInstance() {
    CConfiguration* instance = s_instance.load(std::memory_order_acquire);
    if (instance != nullptr) {
        return instance;
    }
    const std::lock_guard<std::mutex> lock(s_instanceMutex);
    if (s_owner == nullptr) {
        s_owner = LoadFile(GetProgramDirectory() + "config.xml");
        if (s_owner == nullptr) {
            ShowLoadFailure();
            // A failed start is a failure, not a success: end with a non-zero status.
            std::exit(EXIT_FAILURE);
        }
        s_instance.store(s_owner.get(), std::memory_order_release);
    }
    return s_owner.get();
}

void CConfiguration::ResetInstance() {
    const std::lock_guard<std::mutex> lock(s_instanceMutex);
    s_instance.store(nullptr, std::memory_order_release);
    s_owner.reset();
}

std::unique_ptr<CConfiguration> CConfiguration::LoadFile(const std::string& path) {
    std::unique_ptr<CConfiguration> configuration(new CConfiguration());
    if (!LoadXmlFile(path, *configuration->m_document, configuration->m_encoding)) {
        return nullptr;
    }
    configuration->Build();
    return configuration;
}

void CConfiguration::Build() {
    // Entries beyond the tables' sizes are ignored, never written past them.
    TiXmlHandle document(m_document.get());
    TiXmlElement* parameters = document.FirstChild("ROOT").FirstChild("PARAMETER").ToElement();
    for (TiXmlElement* element = parameters != nullptr ? parameters->FirstChildElement() : nullptr;
         element != nullptr && m_parameterCount < MAX_PARAMETERS;
         element = element->NextSiblingElement()) {
        auto parameter = std::make_unique<CParameter>();
        CConfigReader::ReadParameter(*element, *parameter);
        m_indexByRegister.emplace(parameter->GetId(), m_parameterCount);
        m_parameters[static_cast<std::size_t>(m_parameterCount++)] = std::move(parameter);
    }

    TiXmlElement* root = document.FirstChild("ROOT").ToElement();
    for (TiXmlElement* element = root != nullptr ? root->FirstChildElement("UI_OBJECT") : nullptr;
         element != nullptr && m_pageCount < MAX_PAGES;
         element = element->NextSiblingElement("UI_OBJECT")) {
        auto page = std::make_unique<CUiPage>();
        CConfigReader::ReadPage(*element, *page);
        m_pages[static_cast<std::size_t>(m_pageCount++)] = std::move(page);
    }
}

CParameter* CConfiguration::GetParameter(int index) const {
    return index >= 0 && index < m_parameterCount
               ? m_parameters[static_cast<std::size_t>(index)].get()
               : nullptr;
}

CParameter* CConfiguration::FindParameter(std::int32_t registerNumber) const {
    return GetParameter(GetParameterIndex(registerNumber));
}

int CConfiguration::GetParameterIndex(std::int32_t registerNumber) const {
    const auto found = m_indexByRegister.find(registerNumber);
    return found != m_indexByRegister.end() ? found->second : -1;
}

CUiPage* CConfiguration::GetPage(int index) const {
    return index >= 0 && index < m_pageCount ? m_pages[static_cast<std::size_t>(index)].get()
                                             : nullptr;
}

void CConfiguration::AddListener(IParameterListener* listener) {
    s_listeners.Add(listener);
}

void CConfiguration::RemoveListener(IParameterListener* listener) {
    s_listeners.Remove(listener);
}

void CConfiguration::Update(CRegisterValue& value) {
    CParameter* parameter = FindParameter(value.GetRegister());
    if (parameter == nullptr) {
        return;
    }
    parameter->SetValue(value);
    s_listeners.Notify(value);
}

void CConfiguration::TouchLink() {
    m_lastStatusTime.store(m_clock.load()->NowSeconds(), std::memory_order_relaxed);
}

void CConfiguration::ForgetLink() {
    m_lastStatusTime.store(0, std::memory_order_relaxed);
}

bool CConfiguration::IsLinkAlive() const {
    const std::uint32_t last = m_lastStatusTime.load(std::memory_order_relaxed);
    // Unsigned 32-bit arithmetic, as the stored seconds are.
    return m_clock.load()->NowSeconds() < last + 2u;
}

void CConfiguration::SetClock(const IClock* clock) {
    m_clock.store(clock != nullptr ? clock : &CSystemClock::Instance());
}

std::string CConfiguration::DisplayText(const char* text) const {
    return text != nullptr ? ToUtf8(text, m_encoding) : std::string();
}
