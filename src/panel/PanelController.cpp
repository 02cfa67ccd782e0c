#include "PanelController.h"

#include "PanelHost.h"
#include "config/Configuration.h"
#include "config/ProgramDirectory.h"
#include "config/RegisterValue.h"
#include "config/Rounding.h"
#include "config/UiPage.h"
#include "graphics/PictureFile.h"
#include "platform/MessageService.h"

#include <array>
#include <string>

namespace {

constexpr const char* EXECUTE_QUESTION = "Do you really want to execute :%s:";
constexpr const char* CHANGE_QUESTION = "Do you really want to change this Value? :%s:";

std::size_t Slot(int index) {
    return static_cast<std::size_t>(index);
}

// The question with the control's text in place of its %s, whatever the text's length.
std::string FormatQuestion(const std::string& question, const std::string& text) {
    std::string result = question;
    result.replace(result.find("%s"), 2, text);
    return result;
}

} // namespace

CPanelController::CPanelController(CConfiguration& configuration, IPanelHost& host)
    : m_configuration(configuration), m_host(host) {}

CPanelController::~CPanelController() {
    DestroyControls();
}

void CPanelController::DestroyControls() {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i]) {
            m_host.DestroyControl(std::move(m_controls[i]));
        }
        if (CUiObject* object = m_page->GetControl(static_cast<int>(i))) {
            object->InvalidateLastValue();
        }
    }
    m_controls.clear();
    m_types.clear();
}

void CPanelController::ShowPage(int page) {
    if (page == m_currentPage) {
        return;
    }
    const CUiPage* next = m_configuration.GetPage(page);
    if (next == nullptr) {
        return;
    }
    if (m_page != nullptr) {
        DestroyControls();
    }
    m_page = next;
    m_currentPage = page;

    m_background.Free();
    const std::string imagePath = m_configuration.DisplayText(next->GetImagePath());
    if (!imagePath.empty()) {
        m_background.Load(PicturePath(GetProgramDirectory(), imagePath));
    }

    const int count = next->GetControlCount();
    m_controls.resize(Slot(count));
    m_types.resize(Slot(count), EControlType::None);
    for (int i = 0; i < count; ++i) {
        const CUiObject& object = *next->GetControl(i);
        const EControlType type = ParseControlType(object.GetType());
        m_types[Slot(i)] = type;
        if (type != EControlType::None) {
            m_controls[Slot(i)] = m_host.CreateControl(type, object, FIRST_IDENTIFIER + i);
        }
    }
    m_host.OnPageShown();
}

void CPanelController::RefreshControls() {
    if (m_page == nullptr) {
        return;
    }
    while (std::optional<CRegisterValue> record = m_pendingChanges.TakeOldest()) {
        if (record->GetRegister() != REGISTER_PAGE_SELECT) {
            continue;
        }
        // A page the configuration does not have is no request, yet it still ends the tick.
        ShowPage(SaturatingTruncate(record->GetValue()));
        return;
    }

    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        IPageControl* control = m_controls[i].get();
        if (control == nullptr) {
            continue;
        }
        CUiObject& object = *m_page->GetControl(static_cast<int>(i));
        const std::int32_t value = EvaluateInput(object);
        if (!object.IsLastValueValid() || value != object.GetLastValue()) {
            object.SetLastValue(value);
            control->ShowValue(value);
            if (m_types[i] == EControlType::TsView) {
                // The diagram reads its registers itself, on every tick.
                object.InvalidateLastValue();
            }
        }
        const std::optional<std::int32_t> chosen = control->ReadUserValue();
        if (chosen && *chosen != object.GetLastValue()) {
            object.SetLastValue(*chosen);
            ApplyUserValue(object, *chosen);
        }
    }
}

std::int32_t CPanelController::EvaluateInput(const CUiObject& object) {
    m_parser.ClearVariables();
    return SaturatingTruncate(m_parser.Evaluate(object.GetInputFormula()));
}

void CPanelController::ApplyUserValue(const CUiObject& object, std::int32_t x) {
    const int count = object.GetOutputCount();
    if (count <= 0) {
        return;
    }
    std::array<double, CUiObject::MAX_OUTPUTS> results{};
    for (int i = 0; i < count && Slot(i) < results.size(); ++i) {
        m_parser.ClearVariables();
        m_parser.SetVariable("x", static_cast<double>(x));
        results[Slot(i)] = m_parser.Evaluate(object.GetOutputFormula(i));
    }
    for (int i = 0; i < count && Slot(i) < results.size(); ++i) {
        CRegisterValue change(SOURCE_PANEL, object.GetOutputRegister(i), results[Slot(i)]);
        m_configuration.Update(change);
    }
}

bool CPanelController::Confirm(const char* question, const CUiObject& object) const {
    const std::string text =
        FormatQuestion(question, m_configuration.DisplayText(object.GetText()));
    return GetMessageService().ShowMessage(text, WARNING_CAPTION, EMessageIcon::Question,
                                           EMessageButtons::OkCancel) == EMessageResult::Ok;
}

void CPanelController::OnControlCommand(int identifier, const IPageControl* source) {
    const int index = identifier - FIRST_IDENTIFIER;
    if (source == nullptr || index < 0 || index >= IDENTIFIER_COUNT ||
        GetControl(index) != source) {
        return;
    }
    const CUiObject& object = *m_page->GetControl(index);
    const EControlType type = m_types[Slot(index)];
    const int page = m_currentPage;
    // The question runs a modal loop in which a tick may switch the page. A Button's OK still
    // executes: its outputs are fixed and the operator answered to its text. A check box's
    // toggle lived in a control that is gone, so there is nothing left to write.
    const auto stillShown = [&] { return m_currentPage == page && GetControl(index) == source; };

    switch (type) {
    case EControlType::Button:
        if (object.GetConfirm() && !Confirm(EXECUTE_QUESTION, object)) {
            return;
        }
        ApplyUserValue(object, 1);
        return;
    case EControlType::Check:
        if (object.GetConfirm()) {
            const bool accepted = Confirm(CHANGE_QUESTION, object);
            if (!stillShown()) {
                return;
            }
            if (!accepted) {
                GetControl(index)->UndoUserChange();
                return;
            }
        }
        break;
    case EControlType::Field:
        break;
    default:
        return;
    }
    if (const std::optional<std::int32_t> value = source->ReadCommandValue()) {
        ApplyUserValue(object, *value);
    }
}

void CPanelController::OnParameterChanged(CRegisterValue& value) {
    m_pendingChanges.Append(value);
}

IPageControl* CPanelController::GetControl(int index) const {
    if (index < 0 || Slot(index) >= m_controls.size()) {
        return nullptr;
    }
    return m_controls[Slot(index)].get();
}
