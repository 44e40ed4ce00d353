// Every collection of the class library: arrays, lists and maps.
#pragma once

#include "classlib/Array.h"
#include "classlib/List.h"
#include "classlib/Map.h"
