// The masked cell editor's text under a mask, a prompt and a sequence of keys, pastes, deletions,
// caret moves, selections and texts set from arbitrary bytes. After every step the text fits the
// mask, every stored character is one its position accepts (a blank where a deletion left one), the
// literals sit on their positions and the caret stays within the text.
//
// Input: mask length, mask bytes, prompt length, prompt bytes, then steps: a byte below 0xF0 is a typed
// character; 0xF0 n bytes: paste; 0xF1 delete; 0xF2 cut; 0xF3 p: caret; 0xF4 a b: selection; 0xF5 the
// mask set again; 0xF6 n bytes: text set; 0xF7 x: hit test; 0xF8 copy.
#include "FuzzSupport.h"

#include "grid/listbox/GridEditText.h"

#include <string.h>

#include <algorithm>

#include <string>

namespace {

class Input
{
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool More() const { return m_at < m_size; }
    int Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::string Bytes(size_t n)
    {
        std::string s;
        while (n-- > 0 && m_at < m_size)
            s += static_cast<char>(m_data[m_at++]);
        return s;
    }
    // A zero-terminated string of at most n bytes (zero bytes left out).
    std::string Text(size_t n)
    {
        std::string s = Bytes(n);
        s.erase(std::remove(s.begin(), s.end(), '\0'), s.end());
        return s;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

void Check(const GridEditText& e)
{
    const LONG length = static_cast<LONG>(strnlen(e.text, sizeof e.text));
    if (length > e.maskLength || e.maskLength > GRID_EDIT_MAX)
        FuzzFinding("the text is longer than the mask");
    if (e.caret < 0 || e.caret > length)
        FuzzFinding("the caret left the text");
    for (LONG p = 0; p < length; ++p) {
        const char c = e.text[p];
        const int accepted = GridEditCheckMaskChar(e.mask[p], c);
        if (accepted == GRID_EDIT_LITERAL) {
            if (c != e.mask[p])
                FuzzFinding("a literal position holds another character");
        } else if (c != ' ' && accepted != static_cast<unsigned char>(c)) {
            FuzzFinding("a stored character its mask position refuses");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    GridEditText e;
    GridEditInit(e);
    GridEditSetMask(e, in.Text(in.Byte()).c_str());
    GridEditSetPrompt(e, in.Text(in.Byte()).c_str());
    Check(e);
    std::string clipboard;
    const GridEditClipboard board = {[&] { return clipboard; }, [&](const std::string& t) { clipboard = t; }};
    while (in.More()) {
        const int op = in.Byte();
        const LONG length = GridEditLength(e);
        switch (op) {
        case 0xF0:
            clipboard = in.Bytes(in.Byte() * 2);
            GridEditTypeChar(e, GRID_EDIT_PASTE, false, board);
            break;
        case 0xF1:
        case 0xF2:
            GridEditTypeChar(e, GRID_EDIT_DELETE, op == 0xF2, board);
            break;
        case 0xF3:
            e.caret = in.Byte() % (length + 1);
            e.selStart = e.selEnd = -1;
            break;
        case 0xF4:
            e.selStart = in.Byte() % (length + 1);
            e.selEnd = in.Byte() % (length + 1);
            break;
        case 0xF5: {
            const std::string mask = e.mask;
            if (!GridEditSetMask(e, mask.c_str()))
                FuzzFinding("the editor's own mask refused");
            break;
        }
        case 0xF6:
            GridEditSetText(e, in.Text(in.Byte() * 2).c_str());
            break;
        case 0xF7: {
            const LONG x = in.Byte() * 3 - 20;
            const LONG at = GridEditHitTest(e, x, 1, in.Byte() % 9, [](LONG n) { return n * 7; });
            if (at < 0 || at > length)
                FuzzFinding("a hit test outside the text");
            break;
        }
        case 0xF8:
            if (GridEditCopyText(e).size() > static_cast<size_t>(length))
                FuzzFinding("a copy longer than the text");
            break;
        default:
            GridEditTypeChar(e, op, false, board);
            break;
        }
        Check(e);
    }
    return 0;
}
