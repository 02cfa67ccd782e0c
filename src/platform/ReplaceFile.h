#pragma once

#include <string>
#include <string_view>

// Saves the bytes as the content of the file at the path, writing through symbolic links (the
// file at the end of the chain gets the bytes; the links stay).
//
// A regular file, or a new one, is written to a temporary file beside it and renamed over it
// only after everything was written and flushed to the disk, so a failure (a full disk) leaves
// an existing file exactly as it was and no temporary file behind. A replaced file keeps its
// owner and permissions; a new one gets the usual permissions (0666 less the umask).
//
// Written in place instead (created or truncated, then written): a file that is not a regular
// one (a device, a FIFO), a file with several hard links (so that it stays one file), and a
// file beside which no temporary file can be made or whose owner a temporary file cannot take
// (a writable file in a folder the user may not write to). A FIFO that nobody reads is a
// failure at once rather than a wait for a reader.
bool ReplaceFileContent(const std::string& path, std::string_view bytes);
