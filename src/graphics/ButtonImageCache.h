#pragma once

#include <string>

class CButtonImage;

// The process-wide cache of button pictures: one entry per exact picture name (letter case
// counts), made and prepared on first request and kept until the program ends, also when the
// picture failed to load, so that a missing file is not looked for again. It grows as needed.
// User-interface thread only.
CButtonImage* GetButtonImage(const std::string& name);

// Drops every entry. The program never does; tests start from an empty cache with it.
void ClearButtonImageCache();
