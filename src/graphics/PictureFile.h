#pragma once

#include <string>
#include <vector>

// How a picture name from config.xml was found in the program directory.
enum class EPictureMatch {
    Exact,     // as written, with '\' read as a folder separator
    Near,      // only by ignoring letter case
    Ambiguous, // by ignoring letter case, and more than one name matches
    Missing,   // not at all
};

struct SPictureFile {
    // The file to load; for a missing picture the name as written, with '\' made '/'.
    std::string m_path;
    EPictureMatch m_match = EPictureMatch::Missing;
    // For Near and Ambiguous: the name taken, relative to the directory.
    std::string m_taken;
    // For Ambiguous: the sorted names (relative to the directory) that match at the first folder
    // level where several do; the first of them is in m_taken.
    std::vector<std::string> m_candidates;
};

// Configurations carried over from Windows handhelds name pictures with '\' between folders and
// in any letter case ("bilder\Pumpe.BMP"). The name is looked up under the directory (which ends
// in '/') folder by folder: an exact name wins; otherwise the names that equal it ignoring letter
// case (ASCII and the Latin-1 letters, as UTF-8) are taken, the first in byte order.
SPictureFile FindPictureFile(const std::string& directory, const std::string& name);

// The path of the file to load for a picture name.
std::string PicturePath(const std::string& directory, const std::string& name);
