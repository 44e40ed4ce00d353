// MakeInitials: the initials of one given name, pieces keeping their runs.
//
// 'Jo.' (three characters ending in ".") gives 'Jo'; a hyphenated name gives
// the upper-case initial of each part joined by "-", with "." before each
// hyphen when periods are asked ('Jean-Pierre': 'J.-P' or 'J-P'; a part that
// starts in lower case gives nothing); any other name its first character.
#pragma once

class StyledString;

StyledString MakeInitials(const StyledString& givenName, bool periods);
