// Opened read-only (mode 0) and read-write (mode 2).
#include "TreeFileSeeds.h"

void WriteSeeds(FuzzSeeds& seeds) { AddTreeFiles(seeds, {0, 2}); }
