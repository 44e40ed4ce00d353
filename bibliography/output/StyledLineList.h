// StyledLineList: laid-out lines in order; archive form as StyledObjectList
// gives it.
#pragma once

#include "bibliography/output/StyledLine.h"
#include "bibliography/output/StyledObjectList.h"

class StyledLineList : public StyledObjectList<StyledLine>
{
};
