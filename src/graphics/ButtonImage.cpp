#include "ButtonImage.h"

#include "BmpFile.h"
#include "PictureFile.h"
#include "config/ProgramDirectory.h"

#include <utility>

CButtonImage::CButtonImage(std::string name) : m_name(std::move(name)) {}

CButtonImage::~CButtonImage() = default;

void CButtonImage::Prepare() {
    SBmpFileBytes bytes;
    if (!ReadBmpFile(PicturePath(GetProgramDirectory(), m_name), CDibImage::MAX_FILE_BYTES,
                     bytes)) {
        return;
    }
    m_normal.LoadFromMemory(bytes.m_data.get(), bytes.m_size);
    m_pressed.LoadFromMemory(bytes.m_data.get(), bytes.m_size);
    ReplaceKeyColor(m_normal, NORMAL_FACE);
    ReplaceKeyColor(m_pressed, PRESSED_FACE);
}

void ReplaceKeyColor(CDibImage& image, SRgb replacement) {
    const std::optional<SRgb> key = image.GetPixel(0, 0);
    if (key) {
        image.ReplaceColor(*key, replacement);
    }
}
