// A stretch of a text given by byte offsets: start included, end excluded
// (unless a function says otherwise).
#pragma once

struct TextSpan
{
    int start;
    int end;
};
