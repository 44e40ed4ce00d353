// Exception frames of the text engine.
//
// Frames form a stack kept in TxMemGlobals (innermost first). A function that must clean up when a
// failure passes pushes a frame, does its work and pops the frame; TxThrow unlinks the innermost
// frame and unwinds to its owner as a TxEngineError carrying the 16-bit code. The owner then
// releases what it made and either passes the failure on (TxRethrow) or, at the engine's outer
// surface, returns the code. Use TxFrame for the push and pop, and TxCatchAtEntry at every outer
// entry, so that no engine error escapes into a window procedure, a callback or C code.
//
// A throw or pop that finds no frame calls the no-frame procedure, or else the fatal-error
// procedure with 522 (whose default posts the quit message with exit code 1), and then still
// unwinds: the failed operation never goes on. The exception reaches the nearest outer entry.
#pragma once

#include "richtext/engine/TxMemGlobals.h"

// A frame, owned by the function that pushes it and living in its stack frame.
struct TxFailFrame
{
    TxFailFrame* link; // the enclosing frame; null for the outermost
    uint32_t spare;    // for the owner's own use
};

// What TxThrow unwinds with. The frame it was raised to is already unlinked.
struct TxEngineError
{
    TxErr code;
    void* info;
};

// Links the frame in front of the innermost one; clears the last error and the frame scratch word.
void TxTryPush(TxMemGlobals* globals, TxFailFrame* frame);
// Stores the code and information as the last error, unlinks the innermost frame and unwinds to
// its owner. With no frame: TxFatalNoFrame, then unwinds all the same.
[[noreturn]] void TxThrow(TxMemGlobals* globals, TxErr code, void* info);
// Passes the last error on unchanged (the handler of a cleaning function calls it).
[[noreturn]] void TxRethrow(TxMemGlobals* globals);
// Unlinks the innermost frame on the success path. With no frame: TxFatalNoFrame, then unwinds
// with 522.
void TxTryPop(TxMemGlobals* globals);
// Raises the new code (information null) when it is non-zero and differs from the old one.
void TxThrowIfChanged(TxMemGlobals* globals, TxErr oldCode, TxErr newCode);
// 0 stays 0; any other code becomes 0xFFFF0000 with the code in the low half.
uint32_t TxErrorResult(TxErr code);
// The no-frame procedure when set, else the fatal-error procedure with 522 and information 0.
void TxFatalNoFrame(TxMemGlobals* globals);
// Posts the quit message with exit code 1 through the platform; ignores its arguments.
void TxDefaultFatalProc(uint32_t code, uintptr_t info);

// A pushed frame for the length of a scope. Pop() ends it on the success path; a scope left by a
// TxEngineError finds its frame already unlinked, and one left by any other exception unlinks it.
class TxFrame
{
public:
    explicit TxFrame(TxMemGlobals* globals) : globals_(globals) { TxTryPush(globals, &frame_); }
    ~TxFrame();
    TxFrame(const TxFrame&) = delete;
    TxFrame& operator=(const TxFrame&) = delete;

    void Pop()
    {
        popped_ = true;
        TxTryPop(globals_);
    }

private:
    TxMemGlobals* globals_;
    TxFailFrame frame_{};
    bool popped_ = false;
};

// Runs f inside a frame of its own and turns a failure into its code (0 when f completed).
template <class F> TxErr TxCatchAtEntry(TxMemGlobals* globals, F f)
{
    try {
        TxFrame frame(globals);
        f();
        frame.Pop();
        return 0;
    } catch (const TxEngineError& e) {
        return e.code;
    }
}
