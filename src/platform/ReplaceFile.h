#pragma once

#include <string>
#include <string_view>

// Writes the bytes to a temporary file beside the path and renames it over the path only after
// everything was written and flushed to the disk. A failure (a folder that cannot be written, a
// full disk) leaves an existing file exactly as it was and no temporary file behind.
// A new file gets the usual permissions (0666 less the umask), a replaced one keeps its own.
bool ReplaceFileContent(const std::string& path, std::string_view bytes);
