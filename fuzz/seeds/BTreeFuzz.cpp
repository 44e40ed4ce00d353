#include "TreeFileSeeds.h"

void WriteSeeds(FuzzSeeds& seeds) { AddTreeFiles(seeds, {0}); }
