#include "ConfigChecker.h"

#include "SourceText.h"
#include "config/ConfigReader.h"
#include "config/Configuration.h"
#include "expr/ExpressionParser.h"
#include "expr/ExpressionScanner.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <strings.h>

namespace {

constexpr const char* s_controlTypes[] = {"Button", "Label",  "Check", "Combo",       "Field",
                                          "Bar",    "Slider", "Panel", "SwitchImage", "TsView"};

constexpr std::int32_t PAGE_SELECT_REGISTER = 997;

bool Is(const TiXmlElement& element, const char* name) {
    return std::strcmp(element.Value(), name) == 0;
}

bool IsType(const CUiObject& control, const char* type) {
    return std::strcmp(control.GetType(), type) == 0;
}

const TiXmlAttribute* FindAttribute(const TiXmlElement& element, const char* name) {
    for (const TiXmlAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
         attribute = attribute->Next()) {
        if (std::strcmp(attribute->Name(), name) == 0) {
            return attribute;
        }
    }
    return nullptr;
}

std::string Counted(std::size_t count, const char* singular, const char* plural) {
    return std::to_string(count) + ' ' + (count == 1 ? singular : plural);
}

// The register an 'R' name reads, as the evaluator takes it: the leading digits, none giving 0;
// -1 beyond the 32-bit range.
std::int64_t RegisterOfName(std::string_view name) {
    std::int64_t number = 0;
    for (const char c : name.substr(1)) {
        if (c < '0' || c > '9') {
            break;
        }
        number = number * 10 + (c - '0');
        if (number > std::numeric_limits<std::int32_t>::max()) {
            return -1;
        }
    }
    return number;
}

// Offset of the first name in the formula that reads the register; 0 when none is found.
std::size_t OffsetOfRegister(const char* formula, std::int32_t registerNumber) {
    CExpressionScanner scanner;
    scanner.Start(formula);
    while (scanner.NextToken() && scanner.GetKind() != ETokenKind::None) {
        const std::string_view token = scanner.GetToken();
        if (scanner.GetKind() == ETokenKind::Name && token[0] == 'R' &&
            RegisterOfName(token) == registerNumber) {
            return scanner.GetTokenPosition();
        }
    }
    return 0;
}

// Control characters written visibly, so that a diagnostic stays on its line.
std::string Escaped(const std::string& text) {
    std::string result;
    for (const char c : text) {
        if (c == '\n') {
            result += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20u) {
            const char* const digits = "0123456789ABCDEF";
            result += "\\x";
            result += digits[(static_cast<unsigned char>(c) >> 4u) & 0xFu];
            result += digits[static_cast<unsigned char>(c) & 0xFu];
        } else {
            result += c;
        }
    }
    return result;
}

// The elements of one control that its record was read from.
struct SControlSource {
    const TiXmlElement* m_position = nullptr;
    const TiXmlElement* m_image = nullptr;
    const TiXmlElement* m_range = nullptr;
    // The first child of the last EINGANG, when there is an EINGANG.
    const TiXmlElement* m_input = nullptr;
    std::vector<const TiXmlElement*> m_items;
    std::vector<const TiXmlElement*> m_outputs;
};

// Mirrors how the reader walks a control, keeping the last element that set each field.
SControlSource FindSource(const TiXmlElement& control) {
    SControlSource source;
    for (const TiXmlElement* child = control.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (Is(*child, "POSITION")) {
            source.m_position = child;
        } else if (Is(*child, "IMAGE")) {
            source.m_image = child;
        } else if (Is(*child, "SETTINGS")) {
            if (child->Attribute("Minimum") != nullptr || child->Attribute("Maximum") != nullptr) {
                source.m_range = child;
            }
        } else if (Is(*child, "ITEMS")) {
            for (const TiXmlElement* item = child->FirstChildElement("ITEM"); item != nullptr;
                 item = item->NextSiblingElement("ITEM")) {
                source.m_items.push_back(item);
            }
        } else if (Is(*child, "PARAMETER")) {
            for (const TiXmlElement* part = child->FirstChildElement(); part != nullptr;
                 part = part->NextSiblingElement()) {
                if (Is(*part, "EINGANG")) {
                    source.m_input = part->FirstChildElement();
                } else if (Is(*part, "AUSGANG")) {
                    for (const TiXmlElement* formula = part->FirstChildElement("FORMEL");
                         formula != nullptr; formula = formula->NextSiblingElement("FORMEL")) {
                        source.m_outputs.push_back(formula);
                    }
                }
            }
        }
    }
    return source;
}

} // namespace

CConfigChecker::CConfigChecker(const CConfiguration& configuration, const CSourceText& source,
                               const std::string& programDirectory)
    : m_configuration(configuration), m_source(source), m_pictures(programDirectory),
      m_registers(configuration) {}

std::vector<SDiagnostic> CConfigChecker::Run() {
    // The same lookups the store's loading makes.
    const TiXmlDocument& document = m_configuration.GetDocument();
    const TiXmlNode* rootNode = document.FirstChild("ROOT");
    const TiXmlElement* root = rootNode != nullptr ? rootNode->ToElement() : nullptr;
    if (root == nullptr) {
        Report(ESeverity::Error, {}, "no ROOT element: there are no parameters and no pages");
        return std::move(m_diagnostics);
    }
    const TiXmlNode* parameters = root->FirstChild("PARAMETER");
    if (parameters != nullptr && parameters->ToElement() != nullptr) {
        CheckParameters(*parameters->ToElement());
    }
    CheckPages(*root);
    CheckPageSelect();
    std::stable_sort(m_diagnostics.begin(), m_diagnostics.end(),
                     [](const SDiagnostic& a, const SDiagnostic& b) {
                         return a.m_position.m_line != b.m_position.m_line
                                    ? a.m_position.m_line < b.m_position.m_line
                                    : a.m_position.m_column < b.m_position.m_column;
                     });
    return std::move(m_diagnostics);
}

void CConfigChecker::CheckParameters(const TiXmlElement& container) {
    std::vector<const TiXmlElement*> elements;
    for (const TiXmlElement* element = container.FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement()) {
        elements.push_back(element);
    }
    CheckLimit(elements, CConfiguration::MAX_PARAMETERS, "parameter");
    elements.resize(static_cast<std::size_t>(m_configuration.GetParameterCount()));
    m_parameterElements = std::move(elements);
    for (int index = 0; index < m_configuration.GetParameterCount(); ++index) {
        CheckParameter(*m_parameterElements[static_cast<std::size_t>(index)], index);
    }
}

void CConfigChecker::CheckParameter(const TiXmlElement& element, int index) {
    const CParameter& parameter = *m_configuration.GetParameter(index);
    const int first = m_configuration.GetParameterIndex(parameter.GetId());
    if (first != index) {
        const SSourcePosition firstAt = At(*m_parameterElements[static_cast<std::size_t>(first)]);
        Report(ESeverity::Warning, At(element, "Id"),
               "duplicate parameter Id " + std::to_string(parameter.GetId()) + " (first at line " +
                   std::to_string(firstAt.m_line) + "): this parameter is never found");
    }
    const std::int32_t minimum = parameter.GetMinimum();
    const std::int32_t maximum = parameter.GetMaximum();
    if (minimum > maximum) {
        Report(ESeverity::Warning, At(element, "Minimum"),
               "Minimum " + std::to_string(minimum) + " is above Maximum " +
                   std::to_string(maximum) + ": every change sets " + std::to_string(maximum));
    } else if (parameter.GetValue() < minimum || parameter.GetValue() > maximum) {
        Report(ESeverity::Warning, At(element, "Value"),
               "initial Value " + std::to_string(parameter.GetValue()) +
                   " lies outside the range " + std::to_string(minimum) + ".." +
                   std::to_string(maximum));
    }
}

void CConfigChecker::CheckPages(const TiXmlElement& root) {
    std::vector<const TiXmlElement*> elements;
    for (const TiXmlElement* element = root.FirstChildElement("UI_OBJECT"); element != nullptr;
         element = element->NextSiblingElement("UI_OBJECT")) {
        elements.push_back(element);
    }
    if (elements.empty()) {
        Report(ESeverity::Error, At(root), "no page: ROOT holds no UI_OBJECT element");
        return;
    }
    CheckLimit(elements, CConfiguration::MAX_PAGES, "page");
    for (int index = 0; index < m_configuration.GetPageCount(); ++index) {
        CheckPage(*elements[static_cast<std::size_t>(index)], *m_configuration.GetPage(index));
    }
}

// A write to register 997 shows the page of that number, clamped to the parameter's range.
void CConfigChecker::CheckPageSelect() {
    const int index = m_configuration.GetParameterIndex(PAGE_SELECT_REGISTER);
    const int lastPage = m_configuration.GetPageCount() - 1;
    if (index < 0 || lastPage < 0) {
        return;
    }
    const CParameter& parameter = *m_configuration.GetParameter(index);
    if (parameter.GetMinimum() > 0 || parameter.GetMaximum() < lastPage ||
        parameter.GetMinimum() > parameter.GetMaximum()) {
        Report(ESeverity::Warning, At(*m_parameterElements[static_cast<std::size_t>(index)]),
               "register 997 selects the page, but its range " +
                   std::to_string(parameter.GetMinimum()) + ".." +
                   std::to_string(parameter.GetMaximum()) + " does not cover the pages 0.." +
                   std::to_string(lastPage));
    }
}

void CConfigChecker::CheckPage(const TiXmlElement& element, const CUiPage& page) {
    const SPictureVerdict* background = nullptr;
    if (*page.GetImagePath() != '\0') {
        const TiXmlElement* image = nullptr;
        for (const TiXmlElement* child = element.FirstChildElement("IMAGE"); child != nullptr;
             child = child->NextSiblingElement("IMAGE")) {
            image = child;
        }
        const SPictureVerdict& verdict =
            CheckPicture(image != nullptr ? *image : element, "Path", page.GetImagePath());
        background = verdict.m_loaded ? &verdict : nullptr;
    }
    std::vector<const TiXmlElement*> elements;
    for (const TiXmlElement* child = element.FirstChildElement("UI_OBJECT"); child != nullptr;
         child = child->NextSiblingElement("UI_OBJECT")) {
        elements.push_back(child);
    }
    CheckLimit(elements, CUiPage::MAX_CONTROLS, "control");
    for (int index = 0; index < page.GetControlCount(); ++index) {
        CheckControl(*elements[static_cast<std::size_t>(index)], *page.GetControl(index),
                     background);
    }
}

void CConfigChecker::CheckControl(const TiXmlElement& element, const CUiObject& control,
                                  const SPictureVerdict* background) {
    const SControlSource source = FindSource(element);
    const bool known = CheckType(element, control);
    CheckLimit(source.m_items, CUiObject::MAX_ITEMS, "item");
    CheckLimit(source.m_outputs, CUiObject::MAX_OUTPUTS, "output formula");
    if (source.m_input != nullptr) {
        CheckFormula("input formula", *source.m_input, control.GetInputFormula(), false);
    }
    for (int index = 0; index < control.GetOutputCount(); ++index) {
        const TiXmlElement& output = *source.m_outputs[static_cast<std::size_t>(index)];
        CheckFormula("output formula", output, control.GetOutputFormula(index), true);
        CheckOutputRegister(output, control.GetOutputRegister(index));
    }
    if (!known) {
        return;
    }

    if ((IsType(control, "Button") || IsType(control, "Panel")) &&
        *control.GetImagePath() != '\0') {
        CheckPicture(source.m_image != nullptr ? *source.m_image : element, "Path",
                     control.GetImagePath());
    } else if (IsType(control, "SwitchImage")) {
        for (int index = 0; index < control.GetItemCount(); ++index) {
            std::string name = control.GetItemName(index);
            RewriteGifPath(name);
            if (!name.empty()) {
                CheckPicture(*source.m_items[static_cast<std::size_t>(index)], "Name",
                             name.c_str());
            }
        }
    } else if (IsType(control, "Combo") && control.GetItemCount() == 0) {
        Report(ESeverity::Warning, At(element), "Combo without items: nothing can be chosen");
    } else if ((IsType(control, "Bar") || IsType(control, "Slider")) &&
               control.GetMinimum() == control.GetMaximum()) {
        Report(ESeverity::Warning, source.m_range != nullptr ? At(*source.m_range) : At(element),
               std::string(control.GetType()) +
                   " with an empty range: Minimum and Maximum are both " +
                   std::to_string(control.GetMinimum()));
    }

    if (background != nullptr) {
        const std::int64_t left = control.GetX();
        const std::int64_t top = control.GetY();
        const bool overlaps = left < background->m_width && left + control.GetWidth() > 0 &&
                              top < background->m_rows && top + control.GetHeight() > 0;
        if (!overlaps) {
            Report(ESeverity::Warning,
                   source.m_position != nullptr ? At(*source.m_position) : At(element),
                   "control lies wholly outside the page's background picture (" +
                       std::to_string(background->m_width) + " x " +
                       std::to_string(background->m_rows) + " pixels)");
        }
    }
}

bool CConfigChecker::CheckType(const TiXmlElement& element, const CUiObject& control) {
    if (std::any_of(std::begin(s_controlTypes), std::end(s_controlTypes),
                    [&](const char* type) { return IsType(control, type); })) {
        return true;
    }
    if (element.Attribute("Type") == nullptr) {
        Report(ESeverity::Warning, At(element), "control without a Type: no control is shown");
        return false;
    }
    std::string text = "unknown control type '" + Shown(control.GetType()) + "'";
    for (const char* type : s_controlTypes) {
        if (strcasecmp(control.GetType(), type) == 0) {
            text += " (did you mean '" + std::string(type) + "'?)";
        }
    }
    Report(ESeverity::Warning, At(element, "Type"), text + ": no control is shown");
    return false;
}

void CConfigChecker::CheckFormula(const char* kind, const TiXmlElement& element,
                                  const char* formula, bool withX) {
    // A fresh evaluator for each formula, as the panel makes one; an output formula sees the
    // control's value as x. A division by zero depends on the values of the moment, not on the
    // formula: it is no fault, and what follows it is still read.
    CExpressionParser parser(m_registers);
    parser.SetStopOnDivisionByZero(false);
    if (withX) {
        parser.SetVariable("x", 1.0);
    }
    m_registers.Clear();
    double result = 0.0;
    bool assigned = false;
    const int code = parser.EvaluateChecked(formula, result, assigned);
    const TiXmlAttribute* attribute = FindAttribute(element, "Berechnung");
    const auto at = [&](std::size_t offset) {
        return attribute != nullptr ? m_source.PositionInValue(*attribute, offset) : At(element);
    };
    if (code != CExpressionParser::ERROR_NONE) {
        std::string text = std::string(kind) + ": " + CExpressionParser::GetErrorMessage(code);
        if (code != CExpressionParser::ERROR_EMPTY_EXPRESSION) {
            const std::string token = Escaped(Shown(parser.GetErrorToken()));
            text += token.empty() ? " at the end" : " at '" + token + "'";
        }
        Report(ESeverity::Error, at(parser.GetErrorPosition()), text);
    }
    for (const std::int32_t registerNumber : m_registers.GetUndeclared()) {
        Report(ESeverity::Warning, at(OffsetOfRegister(formula, registerNumber)),
               std::string(kind) + " reads register " + std::to_string(registerNumber) +
                   ", which no parameter declares: the formula yields 0");
    }
}

void CConfigChecker::CheckOutputRegister(const TiXmlElement& element, std::int32_t registerNumber) {
    if (m_configuration.FindParameter(registerNumber) != nullptr) {
        return;
    }
    const std::string text =
        registerNumber == PAGE_SELECT_REGISTER
            ? "output register 997 selects the page, but no parameter declares it: this "
              "control cannot switch pages"
            : "output register " + std::to_string(registerNumber) +
                  " is declared by no parameter: its writes are dropped";
    Report(ESeverity::Warning, At(element, "Register"), text);
}

const SPictureVerdict& CConfigChecker::CheckPicture(const TiXmlElement& element,
                                                    const char* attribute, const char* name) {
    // The panel names picture files in UTF-8, whatever the configuration's encoding.
    const std::string shown = Shown(name);
    const SPictureVerdict& verdict = m_pictures.Check(shown);
    if (!verdict.m_nearMatch.empty()) {
        Report(ESeverity::Warning, At(element, attribute),
               "picture '" + shown + "' " + verdict.m_nearMatch);
    }
    if (!verdict.m_loaded) {
        Report(ESeverity::Warning, At(element, attribute),
               "picture '" + shown + "' " + verdict.m_problem);
    }
    return verdict;
}

// One warning at the first entry a table has no room for.
void CConfigChecker::CheckLimit(const std::vector<const TiXmlElement*>& entries, std::size_t limit,
                                const char* what) {
    if (entries.size() <= limit) {
        return;
    }
    const std::size_t dropped = entries.size() - limit;
    const std::string plural = std::string(what) + 's';
    Report(ESeverity::Warning, At(*entries[limit]),
           Counted(dropped, what, plural.c_str()) + " beyond the first " + std::to_string(limit) +
               (dropped == 1 ? " is" : " are") + " dropped");
}

SSourcePosition CConfigChecker::At(const TiXmlElement& element, const char* attribute) const {
    const TiXmlAttribute* found =
        attribute != nullptr ? FindAttribute(element, attribute) : nullptr;
    return found != nullptr ? m_source.PositionOf(*found) : m_source.PositionOf(element);
}

void CConfigChecker::Report(ESeverity severity, SSourcePosition position, std::string text) {
    m_diagnostics.push_back({position, severity, std::move(text)});
}

std::string CConfigChecker::Shown(const char* text) const {
    return m_configuration.DisplayText(text);
}
