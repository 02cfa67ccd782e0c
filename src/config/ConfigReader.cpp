#include "ConfigReader.h"

#include "Parameter.h"
#include "UiObject.h"
#include "UiPage.h"
#include "platform/DecimalInt.h"

#include <tinyxml.h>

#include <cstring>
#include <memory>

namespace {

const char* TextOr(const TiXmlElement& element, const char* name, const char* fallback) {
    const char* value = element.Attribute(name);
    return value != nullptr ? value : fallback;
}

// "%d" reading: a missing attribute or one that does not start with a number keeps the field.
// Numbers beyond 32 bits saturate, where TinyXML's sscanf would wrap them.
void ReadInt(const TiXmlElement& element, const char* name, std::int32_t& field) {
    const char* text = element.Attribute(name);
    std::size_t position = 0;
    if (text != nullptr) {
        ReadDecimalInt(text, position, field);
    }
}

bool IsOn(const TiXmlElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value != nullptr && std::strcmp(value, "true") == 0;
}

bool Is(const TiXmlElement& element, const char* name) {
    return std::strcmp(element.Value(), name) == 0;
}

// The path attribute with the ".gif" rewrite applied in the document itself, so that the record
// can keep pointing into the document like every other text.
const char* ImagePath(TiXmlElement& element) {
    const char* path = element.Attribute("Path");
    if (path == nullptr) {
        return "";
    }
    std::string rewritten(path);
    if (!RewriteGifPath(rewritten)) {
        return path;
    }
    element.SetAttribute("Path", rewritten.c_str());
    return element.Attribute("Path");
}

} // namespace

bool RewriteGifPath(std::string& path) {
    if (path.size() <= 4) {
        return false;
    }
    const std::string::size_type gif = path.find(".gif");
    if (gif == std::string::npos) {
        return false;
    }
    path.resize(gif);
    path += ".bmp";
    return true;
}

void CConfigReader::ReadParameter(TiXmlElement& element, CParameter& parameter) {
    parameter.m_name = TextOr(element, "Name", "NoName");
    ReadInt(element, "Id", parameter.m_id);
    std::int32_t value = 0;
    ReadInt(element, "Value", value);
    parameter.m_value.store(value, std::memory_order_relaxed);
    ReadInt(element, "Minimum", parameter.m_minimum);
    ReadInt(element, "Maximum", parameter.m_maximum);
    parameter.m_serialFlags = (IsOn(element, "SendSerial") ? CParameter::SERIAL_SEND : 0u) |
                              (IsOn(element, "ReciveSerial") ? CParameter::SERIAL_RECEIVE : 0u);
    parameter.m_fileFlags = (IsOn(element, "SetOnLoad") ? CParameter::FILE_SET_ON_LOAD : 0u) |
                            (IsOn(element, "ReadOnSave") ? CParameter::FILE_READ_ON_SAVE : 0u);
}

void CConfigReader::ReadPage(TiXmlElement& element, CUiPage& page) {
    page.m_name = TextOr(element, "Name", "NoName");
    for (TiXmlElement* child = element.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (Is(*child, "UI_OBJECT")) {
            if (page.m_controlCount >= CUiPage::MAX_CONTROLS) {
                continue;
            }
            auto control = std::make_unique<CUiObject>();
            ReadControl(*child, *control);
            page.m_controls[static_cast<std::size_t>(page.m_controlCount++)] = std::move(control);
        } else if (Is(*child, "IMAGE")) {
            page.m_imagePath = ImagePath(*child);
        } else if (Is(*child, "COLOR")) {
            page.m_color = TextOr(*child, "rgb", "#FFFFFF");
        }
    }
}

void CConfigReader::ReadControl(TiXmlElement& element, CUiObject& control) {
    control.m_type = TextOr(element, "Type", "NoName");
    for (TiXmlElement* child = element.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (Is(*child, "POSITION")) {
            ReadInt(*child, "x", control.m_x);
            ReadInt(*child, "y", control.m_y);
            ReadInt(*child, "Width", control.m_width);
            ReadInt(*child, "Height", control.m_height);
        } else if (Is(*child, "COLOR")) {
            control.m_color = TextOr(*child, "rgb", "#FFFFFF");
        } else if (Is(*child, "IMAGE")) {
            control.m_imagePath = ImagePath(*child);
        } else if (Is(*child, "SETTINGS")) {
            ReadSettings(*child, control);
        } else if (Is(*child, "TEXT")) {
            control.m_text = TextOr(*child, "Value", "");
        } else if (Is(*child, "ITEMS")) {
            ReadItems(*child, control);
        } else if (Is(*child, "PARAMETER")) {
            ReadFormulas(*child, control);
        }
    }
}

void CConfigReader::ReadSettings(const TiXmlElement& element, CUiObject& control) {
    ReadInt(element, "Orientation", control.m_orientation);
    ReadInt(element, "Minimum", control.m_minimum);
    ReadInt(element, "Maximum", control.m_maximum);
    ReadInt(element, "MinorTick", control.m_minorTick);
    ReadInt(element, "MajorTick", control.m_majorTick);
    ReadInt(element, "LabelIncrement", control.m_labelIncrement);
    if (IsOn(element, "Nachfrage")) {
        control.m_confirm = 1;
    }
}

void CConfigReader::ReadItems(const TiXmlElement& element, CUiObject& control) {
    for (const TiXmlElement* item = element.FirstChildElement("ITEM"); item != nullptr;
         item = item->NextSiblingElement("ITEM")) {
        if (control.m_itemCount >= CUiObject::MAX_ITEMS) {
            return;
        }
        const auto slot = static_cast<std::size_t>(control.m_itemCount++);
        control.m_itemNames[slot] = TextOr(*item, "Name", "???");
        std::int32_t value = 0;
        ReadInt(*item, "Value", value);
        control.m_itemValues[slot] = value;
    }
}

void CConfigReader::ReadFormulas(const TiXmlElement& element, CUiObject& control) {
    for (const TiXmlElement* child = element.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (Is(*child, "EINGANG")) {
            // Only the first child element counts, whatever its name; without one, no formula.
            const TiXmlElement* formula = child->FirstChildElement();
            control.m_inputFormula = formula != nullptr ? TextOr(*formula, "Berechnung", "") : "";
        } else if (Is(*child, "AUSGANG")) {
            for (const TiXmlElement* formula = child->FirstChildElement("FORMEL");
                 formula != nullptr; formula = formula->NextSiblingElement("FORMEL")) {
                if (control.m_outputCount >= CUiObject::MAX_OUTPUTS) {
                    break;
                }
                const auto slot = static_cast<std::size_t>(control.m_outputCount++);
                control.m_outputFormulas[slot] = TextOr(*formula, "Berechnung", "");
                std::int32_t target = 0;
                ReadInt(*formula, "Register", target);
                control.m_outputRegisters[slot] = target;
            }
        }
    }
}
