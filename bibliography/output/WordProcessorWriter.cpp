#include "bibliography/output/WordProcessorWriter.h"

#include "app/core/IntSetting.h"
#include "bibliography/core/HtmlWriter.h"
#include "bibliography/core/TextWriter.h"
#include "bibliography/output/RtfWriter.h"
#include "classlib/Exceptions.h"

#include <memory>

const char* const kWordProcessorFilter =
    "Microsoft Word (Rich Text Format)|*.rtf|WordPerfect (Rich Text Format)|*.rtf|WordPerfect 6.x (Rich "
    "Text Format)|*.rtf|HTML|*.htm|Text Only|*.txt||";

const char* WordProcessorExtension(int zeroBasedType)
{
    static const char* const kExtensions[5] = {"rtf", "rtf", "rtf", "htm", "txt"};
    return zeroBasedType >= 0 && zeroBasedType < 5 ? kExtensions[zeroBasedType] : kExtensions[0];
}

StyledFileWriter* MakeWordProcessorWriter(int type)
{
    switch (type) {
    case 1:
    case 2:
        return new RtfWriter(0);
    case 3:
        return new RtfWriter(1);
    case 4:
        return new HtmlWriter;
    case 5:
        return new TextWriter;
    default:
        AfxThrowNotSupportedException();
    }
}

StyledFileWriter* ChooseWordProcessorWriter(WordProcessorSaveDialog& dialog, IntSetting& lastType)
{
    int type = lastType.Get() + 1;
    CString path;
    if (!dialog.Show(kWordProcessorFilter, type, path))
        return nullptr;
    lastType.Set(type - 1);
    std::unique_ptr<StyledFileWriter> writer(MakeWordProcessorWriter(type));
    writer->OpenOutputFile(path);
    return writer.release();
}
