// StyledFragmentList: the finished fragments of a laid-out line, left to
// right; archive form as StyledObjectList gives it.
#pragma once

#include "bibliography/output/StyledFragment.h"
#include "bibliography/output/StyledObjectList.h"

class StyledFragmentList : public StyledObjectList<StyledFragment>
{
};
