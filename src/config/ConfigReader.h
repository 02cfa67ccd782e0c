#pragma once

#include <string>

class CParameter;
class CUiObject;
class CUiPage;
class TiXmlElement;

// Builds the records from their config.xml elements. Texts are not copied: they point into the
// element's attributes, so the document must outlive the records.
class CConfigReader {
public:
    static void ReadParameter(TiXmlElement& element, CParameter& parameter);
    static void ReadPage(TiXmlElement& element, CUiPage& page);
    static void ReadControl(TiXmlElement& element, CUiObject& control);

private:
    static void ReadSettings(const TiXmlElement& element, CUiObject& control);
    static void ReadItems(const TiXmlElement& element, CUiObject& control);
    static void ReadFormulas(const TiXmlElement& element, CUiObject& control);
};

// Image paths naming a GIF mean the BMP of the same name: a path longer than four characters
// is cut at its first ".gif" (case-sensitive) and ".bmp" is appended. Returns whether it did.
bool RewriteGifPath(std::string& path);
