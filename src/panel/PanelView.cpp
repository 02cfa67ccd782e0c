#include "PanelView.h"

#include "BarControl.h"
#include "ButtonControl.h"
#include "CheckControl.h"
#include "ComboControl.h"
#include "ControlRules.h"
#include "FieldControl.h"
#include "LabelControl.h"
#include "PanelControl.h"
#include "PanelController.h"
#include "SliderControl.h"
#include "SwitchImageControl.h"
#include "TsViewControl.h"
#include "config/ConfigReader.h"
#include "config/Configuration.h"
#include "config/ProgramDirectory.h"
#include "config/UiObject.h"
#include "graphics/DibImageQt.h"
#include "graphics/PictureFile.h"

#include <QPainter>

#include <functional>

namespace {

// Controls whose value arrives through a click or Enter tell the view through this.
template <typename TControl, typename TSignal>
void ConnectCommand(TControl* control, TSignal signal, CPanelView* view, int identifier,
                    const std::function<void(int, const IPageControl*)>& handler) {
    QObject::connect(control, signal, view,
                     [handler, identifier, control] { handler(identifier, control); });
}

} // namespace

CPanelView::CPanelView(QWidget* parent) : CPanelView(*CConfiguration::GetInstance(), parent) {}

CPanelView::CPanelView(CConfiguration& configuration, QWidget* parent)
    : QWidget(parent), m_configuration(configuration),
      m_controller(
          std::make_unique<CPanelController>(configuration, static_cast<IPanelHost&>(*this))) {
    setObjectName(QStringLiteral("PanelView"));
    // Where the background picture does not reach, the window colour shows.
    setAutoFillBackground(true);
    m_configuration.AddListener(this);
}

CPanelView::~CPanelView() {
    m_configuration.RemoveListener(this);
    m_controller.reset();
}

void CPanelView::ShowPage(int index) {
    m_controller->ShowPage(index);
}

void CPanelView::RefreshControls() {
    m_controller->RefreshControls();
}

int CPanelView::GetCurrentPage() const {
    return m_controller->GetCurrentPage();
}

void CPanelView::OnParameterChanged(CRegisterValue& value) {
    m_controller->OnParameterChanged(value);
}

QString CPanelView::ControlObjectName(int identifier) {
    return QStringLiteral("control_%1").arg(identifier);
}

void CPanelView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    DrawDibImage(painter, m_controller->GetBackground(), 0, 0);
}

void CPanelView::HandleCommand(int identifier, const IPageControl* source) {
    ++m_commandDepth;
    m_controller->OnControlCommand(identifier, source);
    --m_commandDepth;
}

std::unique_ptr<IPageControl> CPanelView::CreateControl(EControlType type, const CUiObject& object,
                                                        int identifier) {
    const QString text = QString::fromStdString(m_configuration.DisplayText(object.GetText()));
    const std::string directory = GetProgramDirectory();
    const auto handler = [this](int id, const IPageControl* source) { HandleCommand(id, source); };

    QWidget* widget = nullptr;
    std::unique_ptr<IPageControl> control;
    switch (type) {
    case EControlType::Button: {
        auto* button = new CButtonControl(this);
        button->SetCaption(text);
        button->SetImage(m_configuration.DisplayText(object.GetImagePath()));
        ConnectCommand(button, &QAbstractButton::clicked, this, identifier, handler);
        widget = button;
        control.reset(button);
        break;
    }
    case EControlType::Label: {
        auto* label = new CLabelControl(this);
        label->setText(text);
        widget = label;
        control.reset(label);
        break;
    }
    case EControlType::Check: {
        auto* check = new CCheckControl(this);
        check->SetCaption(text);
        ConnectCommand(check, &QAbstractButton::clicked, this, identifier, handler);
        widget = check;
        control.reset(check);
        break;
    }
    case EControlType::Combo: {
        auto* combo = new CComboControl(this);
        for (int i = 0; i < object.GetItemCount(); ++i) {
            combo->AddItem(
                QString::fromStdString(m_configuration.DisplayText(object.GetItemName(i))),
                object.GetItemValue(i));
        }
        combo->SetListHeight(object.GetHeight() + COMBO_LIST_ROOM);
        widget = combo;
        control.reset(combo);
        break;
    }
    case EControlType::Field: {
        auto* field = new CFieldControl(this);
        ConnectCommand(field, &CFieldControl::Committed, this, identifier, handler);
        widget = field;
        control.reset(field);
        break;
    }
    case EControlType::Bar: {
        auto* bar = new CBarControl(this);
        bar->SetRange(object.GetMinimum(), object.GetMaximum());
        widget = bar;
        control.reset(bar);
        break;
    }
    case EControlType::TsView: {
        auto* view = new CTsViewControl(this);
        widget = view;
        control.reset(view);
        break;
    }
    case EControlType::Panel: {
        auto* panel = new CPanelControl(this);
        const std::string path = m_configuration.DisplayText(object.GetImagePath());
        if (!path.empty()) {
            panel->SetImage(PicturePath(directory, path));
        }
        widget = panel;
        control.reset(panel);
        break;
    }
    case EControlType::SwitchImage: {
        auto* switcher = new CSwitchImageControl(this);
        for (int i = 0; i < object.GetItemCount(); ++i) {
            // A switch's item names are picture paths and take the same ".gif" rewrite as
            // every other picture path; combo items, which share the field, are texts.
            std::string name = m_configuration.DisplayText(object.GetItemName(i));
            RewriteGifPath(name);
            switcher->AddImage(PicturePath(directory, name));
        }
        widget = switcher;
        control.reset(switcher);
        break;
    }
    case EControlType::Slider: {
        auto* slider = new CSliderControl(object.GetOrientation() != 0, this);
        slider->SetRange(object.GetMinimum(), object.GetMaximum());
        slider->SetTickFrequency(object.GetMinorTick());
        widget = slider;
        control.reset(slider);
        break;
    }
    case EControlType::None:
        return nullptr;
    }
    widget->setObjectName(ControlObjectName(identifier));
    // A combo's box is as tall as its font needs; its configured height is for its list.
    const int height =
        type == EControlType::Combo ? widget->sizeHint().height() : object.GetHeight();
    widget->setGeometry(object.GetX(), object.GetY(), object.GetWidth(), height);
    widget->show();
    return control;
}

void CPanelView::DestroyControl(std::unique_ptr<IPageControl> control) {
    auto* widget = dynamic_cast<QWidget*>(control.get());
    if (m_commandDepth > 0 && widget != nullptr) {
        // A command is on the stack, perhaps this control's own signal: let it unwind first.
        widget->hide();
        control.release();
        widget->deleteLater();
        return;
    }
    control.reset();
}

void CPanelView::OnPageShown() {
    update();
}
