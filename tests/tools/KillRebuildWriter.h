// The rebuild mode of the kill writer (KillRebuildWriter.cpp).
#pragma once

#include <string>

int RebuildCreate(const std::string& name);
int RebuildWrite(const std::string& name);
int RebuildCheck(const std::string& name);
