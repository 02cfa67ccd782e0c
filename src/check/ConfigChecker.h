#pragma once

#include "Diagnostic.h"
#include "PictureChecker.h"
#include "RecordingRegisters.h"

#include <cstddef>
#include <string>
#include <vector>

class CConfiguration;
class CSourceText;
class CUiObject;
class CUiPage;
class TiXmlElement;

// Finds what will not work in a loaded configuration: walks the document beside the records
// built from it, so that every finding about a record points at the element or attribute
// behind it.
class CConfigChecker {
public:
    CConfigChecker(const CConfiguration& configuration, const CSourceText& source,
                   const std::string& programDirectory);

    // Every finding, in document order.
    std::vector<SDiagnostic> Run();

private:
    void CheckParameters(const TiXmlElement& container);
    void CheckParameter(const TiXmlElement& element, int index);
    void CheckPages(const TiXmlElement& root);
    void CheckPageSelect();
    void CheckPage(const TiXmlElement& element, const CUiPage& page);
    void CheckControl(const TiXmlElement& element, const CUiObject& control,
                      const SPictureVerdict* background);
    // False when the type names no control.
    bool CheckType(const TiXmlElement& element, const CUiObject& control);
    void CheckFormula(const char* kind, const TiXmlElement& element, const char* formula,
                      bool withX);
    void CheckOutputRegister(const TiXmlElement& element, std::int32_t registerNumber);
    // Loads a picture named in the configuration (not empty) and warns when it does not load.
    const SPictureVerdict& CheckPicture(const TiXmlElement& element, const char* attribute,
                                        const char* name);
    void CheckLimit(const std::vector<const TiXmlElement*>& entries, std::size_t limit,
                    const char* what);

    SSourcePosition At(const TiXmlElement& element, const char* attribute = nullptr) const;
    void Report(ESeverity severity, SSourcePosition position, std::string text);
    std::string Shown(const char* text) const;

    const CConfiguration& m_configuration;
    const CSourceText& m_source;
    CPictureChecker m_pictures;
    CRecordingRegisters m_registers;
    std::vector<const TiXmlElement*> m_parameterElements;
    std::vector<SDiagnostic> m_diagnostics;
};
