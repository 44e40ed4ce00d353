#include "richtext/engine/TxFailFrame.h"

#include "richtext/engine/TxPlatform.h"

void TxTryPush(TxMemGlobals* globals, TxFailFrame* frame)
{
    frame->link = globals->topFrame;
    globals->topFrame = frame;
    globals->lastError = 0;
    globals->frameScratch = 0;
}

void TxThrow(TxMemGlobals* globals, TxErr code, void* info)
{
    globals->lastError = code;
    globals->errorInfo = info;
    if (!globals->topFrame)
        TxFatalNoFrame(globals);
    else
        globals->topFrame = globals->topFrame->link;
    throw TxEngineError{code, info};
}

void TxRethrow(TxMemGlobals* globals)
{
    TxThrow(globals, globals->lastError, globals->errorInfo);
}

void TxTryPop(TxMemGlobals* globals)
{
    if (globals->topFrame) {
        globals->topFrame = globals->topFrame->link;
        return;
    }
    TxFatalNoFrame(globals);
    throw TxEngineError{kTxNoFrame, nullptr};
}

void TxThrowIfChanged(TxMemGlobals* globals, TxErr oldCode, TxErr newCode)
{
    if (newCode != 0 && newCode != oldCode)
        TxThrow(globals, newCode, nullptr);
}

uint32_t TxErrorResult(TxErr code)
{
    return code == 0 ? 0 : 0xFFFF0000u | code;
}

void TxFatalNoFrame(TxMemGlobals* globals)
{
    if (globals->noFrameProc)
        globals->noFrameProc(globals);
    else if (globals->fatalProc)
        globals->fatalProc(kTxNoFrame, 0);
    else
        TxDefaultFatalProc(kTxNoFrame, 0);
}

void TxDefaultFatalProc(uint32_t, uintptr_t)
{
    TxCurrentPlatform().PostQuit(1);
}

TxFrame::~TxFrame()
{
    if (popped_)
        return;
    // Left by an exception that was not raised to this frame: take it and anything it encloses
    // off the stack.
    for (TxFailFrame* f = globals_->topFrame; f; f = f->link) {
        if (f == &frame_) {
            globals_->topFrame = frame_.link;
            return;
        }
    }
}
