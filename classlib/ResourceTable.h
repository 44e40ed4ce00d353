// The resource table of the native build, generated at build time from the
// resource sources (cmake/GenerateResources.cmake); the Windows build uses
// the executable's real resources instead.
#pragma once

#ifndef _WIN32

struct LvStringResource
{
    unsigned id;
    const char* text;
};

struct LvBinaryResource
{
    const char* type; // upper case, as written in the source
    unsigned id;
    const unsigned char* data;
    unsigned size;
};

extern const LvStringResource g_lvStringResources[];
extern const unsigned g_lvStringResourceCount;
extern const LvBinaryResource g_lvBinaryResources[];
extern const unsigned g_lvBinaryResourceCount;

#endif
