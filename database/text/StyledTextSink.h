// StyledTextSink: joins the pieces of a formatted entry (field texts and the
// template's literal texts) and writes them into a StyledTextWriter, so that
// punctuation where two pieces meet is not doubled.
//
// A trailing pause mark (",", ":" or ";") of a piece, with the blanks after
// it, is held back unwritten in `held` (`pending` TRUE) until the next piece
// shows whether it stays, is dropped or is replaced. A trailing sentence mark
// (".", "!" or "?") is written and remembered in `held`, so that a literal
// that follows drops its own leading sentence mark. Flush ends an output unit:
// it writes a pending mark and forgets `held`.
//
// An extra style, where one is given, adds its style bits to every run written
// and stands in with its face name and point size for runs that have none.
// The writer is not owned.
#pragma once

#include "classlib/Object.h"
#include "database/text/StyledString.h"

class StyledTextWriter;

class StyledTextSink : public CObject
{
public:
    explicit StyledTextSink(StyledTextWriter* writer);
    ~StyledTextSink() override;

    void Serialize(CArchive&) override {}

    // Writes a pending mark and empties `held` (`pending` stays as it was).
    virtual void Flush();
    // A field text; an empty text is ignored.
    virtual void Write(const StyledString& text, const StyleRun* extraStyle);
    // A literal text, joined to what precedes by the punctuation rules.
    virtual void Append(const StyledString& text);

    StyledTextWriter* GetWriter() const { return writer; }

private:
    void Emit(const StyleRun* extraStyle);
    void WriteRuns(const StyledString& s, int heldBack, const StyleRun* extraStyle);
    // Where the joined literal t starts, by the marks ending `held`; -1 when
    // nothing of t is left.
    int JoinStart(const StyledString& t);

    StyledTextWriter* writer;
    BOOL pending;
    StyledString held;
    StyledString current;
};
