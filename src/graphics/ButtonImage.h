#pragma once

#include "DibImage.h"
#include "Rgb.h"

#include <string>

// A button picture in its two prepared variants: the picture's key colour (that of its top-left
// pixel) replaced by the face colour the button paints behind it when normal and when pressed,
// so the picture blends into the button.
class CButtonImage {
public:
    static constexpr SRgb NORMAL_FACE{180, 180, 180};
    static constexpr SRgb PRESSED_FACE{0, 0, 255};

    explicit CButtonImage(std::string name);
    virtual ~CButtonImage();
    CButtonImage(const CButtonImage&) = delete;
    CButtonImage& operator=(const CButtonImage&) = delete;

    const std::string& GetName() const { return m_name; }
    CDibImage& GetNormal() { return m_normal; }
    CDibImage& GetPressed() { return m_pressed; }

    // Reads the picture named by the entry from the program directory, once, into both
    // variants and bakes in the face colours. A picture that does not load leaves both empty.
    void Prepare();

private:
    CDibImage m_normal;
    CDibImage m_pressed;
    std::string m_name;
};

// Every pixel of the picture's key colour (that of its top-left pixel) becomes the replacement.
void ReplaceKeyColor(CDibImage& image, SRgb replacement);
