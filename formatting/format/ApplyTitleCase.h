// ApplyTitleCase: writes a title through the context's sink in one of the
// style's title cases, with the element's style.
//
// Modes: 0 unchanged; 1 upper case and 2 lower case (the field's own
// character formatting is dropped); 3 headline (the first letter of every word
// but the stop words upper-cased, nothing lower-cased); 4 the first letter of
// the text and the first after the first ":" upper-cased. A text that begins
// with "=" is written without it and unchanged; any other mode writes nothing.
#pragma once

class FormatContext;
class StyledString;
struct StyleRun;

void ApplyTitleCase(FormatContext& context, const StyledString& text, int mode, const StyleRun& style);
// The text of a mode, runs kept except for modes 1 and 2 (one plain run);
// empty for a mode that writes nothing.
StyledString ChangeTitleCase(const StyledString& text, int mode);
