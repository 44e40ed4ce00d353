// The memory manager's one record, which also carries the engine's exception-frame stack.
//
// All fields are zero before TxMemInit; TxMemShutdown frees every block the record knows of.
// The record must outlive every reference made from it and the engine globals (TxGlobals) that
// point to it.
#pragma once

#include "richtext/engine/TxTypes.h"

struct TxFailFrame;

// (error code, information word): called when an error finds no frame and no no-frame procedure.
using TxFatalProc = void (*)(uint32_t code, uintptr_t info);
// (reference or null, globals, verb) -> an error code; verbs: 0 install, 1 spill, 2 reload,
// 3 release the scratch range.
using TxPurgeProc = TxErr (*)(TxRef ref, TxMemGlobals* globals, int16_t verb);
// (globals, reference to spare, bytes wanted) -> bytes freed.
using TxFreeMemoryHook = int32_t (*)(TxMemGlobals* globals, TxRef spare, int32_t wanted);
// Called with the globals when an error is raised or a frame popped with no frame.
using TxNoFrameProc = void (*)(TxMemGlobals* globals);

enum : uint16_t
{
    kTxMemSignature = 0x7777
};

struct TxMemGlobals
{
    uint16_t signature;    // kTxMemSignature once initialised
    uint16_t initValue;    // 0x8F once initialised; not read by the manager
    TxSlot* firstMaster;   // first master block of slots
    void* reserveBlock;    // 1024 bytes held back for a shortage; null while spent
    TxSlot* currentMaster; // master block in which the next free slot is looked for
    int32_t nextFreeSlot;  // known empty slot (0-254) of the current master block, or -1
    int32_t byteTotal;     // bytes of every block, master and reserve blocks included
    int32_t byteLimit;     // 0x7FFFFFFF when no limit was given
    int32_t purgeSlack;    // bytes freed beyond what is needed whenever purging starts
    TxFatalProc fatalProc;
    TxPurgeProc purgeProc; // null until installed
    TxFreeMemoryHook freeMemoryHook;
    TxFileHandle scratchFile; // 0 when none
    TxRef scratchFreeList;    // i32 (start, end) pairs of free scratch-file ranges
    TxRef documentList;       // documents read from a file (the native reader keeps it)
    int32_t lastMemoryId;
    int32_t currentMemoryId; // memory id given to new references
    void* errorInfo;         // passed with the last raised error
    TxFailFrame* topFrame;   // innermost exception frame
    uint32_t frameScratch;   // cleared by every push
    TxNoFrameProc noFrameProc;
    TxErr lastError; // 0, or the code of the last failure
};
