// Fixtures of the document tests: a started engine over the deterministic platform, documents, and
// text placed into their blocks directly (as a reader would), so that block and run operations
// can be driven over known text.
#pragma once

#include "TxTestSupport.h"

#include "richtext/engine/TxDocument.h"
#include "richtext/engine/TxStyleRuns.h"

#include <cstring>
#include <string>
#include <vector>

class TxDocTest : public TxMemTest
{
protected:
    void SetUp() override
    {
        TxMemTest::SetUp();
        TxEngineStartup(&globals, &g);
    }
    void TearDown() override
    {
        TearDownDocuments();
        TxEngineShutdown(&globals);
        TxMemTest::TearDown();
    }

    // A new default document, disposed by the fixture unless the test disposes it (Forget).
    TxRef NewDoc()
    {
        TxRef d = TxNewDefaultDocument(&globals);
        EXPECT_NE(nullptr, d);
        documents_.push_back(d);
        return d;
    }
    // Disposes the documents the fixture holds.
    void TearDownDocuments()
    {
        for (TxRef d : documents_)
            TxDisposeDocument(d);
        documents_.clear();
    }
    void Forget(TxRef d)
    {
        for (TxRef& x : documents_)
            if (x == d)
                x = documents_.back(), documents_.pop_back();
    }

    // Replaces the text with one block per string; the runs keep their records and reach the end.
    static void SetBlocks(TxRef document, const std::vector<std::string>& texts)
    {
        TxDocLock doc(document);
        int32_t n = TxRecordCount(doc->textBlocks);
        for (int32_t i = 0; i < n; ++i)
            TxDisposeTextBlock(*static_cast<TxTextBlock*>(TxRecordPtr(doc->textBlocks, i, false)));
        TxSetRecordCount(doc->textBlocks, 0);
        int32_t offset = 0;
        TxDocMemoryScope scope(*doc);
        for (const std::string& t : texts) {
            TxRef text = TxNewRef(doc->globals->memGlobals, 1, int32_t(t.size()), 32, false);
            if (!t.empty())
                std::memcpy(TxRecordPtr(text, 0, false), t.data(), t.size());
            TxTextBlock b;
            TxInitTextBlock(*doc, offset, text, b, false);
            *static_cast<TxTextBlock*>(TxAppendRecords(doc->textBlocks, 1, false)) = b;
            TxUnlockRef(doc->textBlocks);
            offset += int32_t(t.size());
        }
        doc->textSize = offset;
        for (TxRef runs : {doc->styleRuns, doc->parRuns}) {
            int32_t last = TxRecordCount(runs) - 1;
            static_cast<TxRun*>(TxRecordPtr(runs, last, false))->offset = offset + 2;
        }
    }
    static void SetText(TxRef document, const std::string& text) { SetBlocks(document, {text}); }

    struct BlockView
    {
        int32_t start, end;
        std::string text;
        int32_t subdocRefs;
    };
    static std::vector<BlockView> Blocks(TxRef document)
    {
        TxDocLock doc(document);
        std::vector<BlockView> out;
        TxLock lock(doc->textBlocks);
        for (int32_t i = 0; i < TxRecordCount(doc->textBlocks); ++i) {
            const TxTextBlock& b = lock.Records<TxTextBlock>()[i];
            TxLock text(b.text);
            out.push_back({b.start, b.end,
                           std::string(text.Records<char>(), size_t(TxRecordCount(b.text))),
                           TxRecordCount(b.subdocRefs)});
        }
        return out;
    }

    // The style runs as (offset, index) pairs, the terminator included.
    static std::vector<std::pair<int32_t, int32_t>> StyleRuns(TxRef document)
    {
        TxDocLock doc(document);
        std::vector<std::pair<int32_t, int32_t>> out;
        for (int32_t i = 0; i < TxRecordCount(doc->styleRuns); ++i) {
            TxRun r = TxRunAt(doc->styleRuns, i);
            out.push_back({r.offset, r.index});
        }
        return out;
    }
    static TxStyleInfo Style(TxRef document, int32_t index)
    {
        TxDocLock doc(document);
        TxStyleInfo s;
        TxGetRecord(doc->styles, index, &s);
        return s;
    }
    static int32_t StyleCount(TxRef document)
    {
        return TxRecordCount(TxDocLock(document)->styles);
    }

    TxGlobals globals;

private:
    std::vector<TxRef> documents_;
};

// A style value and mask that set (or clear) one attribute.
inline void AttributeChange(int attribute, int16_t value, TxStyleInfo& v, TxStyleInfo& m)
{
    std::memset(&v, 0, sizeof v);
    std::memset(&m, 0, sizeof m);
    v.attributes[attribute] = value;
    m.attributes[attribute] = -1;
}
