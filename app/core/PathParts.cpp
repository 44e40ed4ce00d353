#include "app/core/PathParts.h"

#include <cstring>
#include <string>

CPathParts::CPathParts(const char* path)
{
    const std::string p = path ? path : "";
    size_t pos = 0;
    if (p.size() >= 2 && p[1] == ':') {
        m_drive = p.substr(0, 2).c_str();
        pos = 2;
    }
    const size_t lastSep = p.find_last_of("\\/");
    size_t nameStart = pos;
    if (lastSep != std::string::npos && lastSep >= pos) {
        m_directory = p.substr(pos, lastSep + 1 - pos).c_str();
        nameStart = lastSep + 1;
    }
    const std::string file = p.substr(nameStart);
    const size_t dot = file.rfind('.');
    if (dot == std::string::npos) {
        m_name = file.c_str();
    } else {
        m_name = file.substr(0, dot).c_str();
        m_extension = file.substr(dot).c_str();
    }
}
