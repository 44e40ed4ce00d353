// The command line's switches and file names.
#include "classlib/CommandLineInfo.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CCommandLineInfo Parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "Lorvane5.exe");
    CCommandLineInfo info;
    info.ParseArguments(static_cast<int>(args.size()), args.data());
    return info;
}

TEST(CommandLineInfo, SwitchesAndFilesSetTheCommand)
{
    const struct
    {
        std::vector<const char*> args;
        int command;
        BOOL splash, embedded, automated;
        const char* file;
    } cases[] = {
        {{}, CCommandLineInfo::FileNew, TRUE, FALSE, FALSE, ""},
        {{"C:\\refs\\a.ldt"}, CCommandLineInfo::FileOpen, TRUE, FALSE, FALSE, "C:\\refs\\a.ldt"},
        {{"/Automation"}, CCommandLineInfo::FileNew, FALSE, FALSE, TRUE, ""},
        {{"-EMBEDDING"}, CCommandLineInfo::FileNew, FALSE, TRUE, FALSE, ""},
        {{"/nologo", "x.ldt"}, CCommandLineInfo::FileOpen, FALSE, FALSE, FALSE, "x.ldt"},
        {{"/dde"}, CCommandLineInfo::FileDDE, FALSE, FALSE, FALSE, ""},
        {{"-P", "x.ldt"}, CCommandLineInfo::FilePrint, TRUE, FALSE, FALSE, "x.ldt"},
        {{"/unregserver"}, CCommandLineInfo::AppUnregister, TRUE, FALSE, FALSE, ""},
        {{"/unknown", "y.los"}, CCommandLineInfo::FileOpen, TRUE, FALSE, FALSE, "y.los"},
    };
    for (const auto& c : cases) {
        const CCommandLineInfo info = Parse(c.args);
        EXPECT_EQ(c.command, info.m_nShellCommand) << (c.args.empty() ? "" : c.args[0]);
        EXPECT_EQ(c.splash, info.m_bShowSplash) << (c.args.empty() ? "" : c.args[0]);
        EXPECT_EQ(c.embedded, info.m_bRunEmbedded);
        EXPECT_EQ(c.automated, info.m_bRunAutomated);
        EXPECT_STREQ(c.file, info.m_strFileName);
    }
}

TEST(CommandLineInfo, PrintToTakesPrinterDriverAndPort)
{
    const CCommandLineInfo info = Parse({"/pt", "doc.txt", "Office", "winspool", "LPT1:"});
    EXPECT_EQ(CCommandLineInfo::FilePrintTo, info.m_nShellCommand);
    EXPECT_STREQ("doc.txt", info.m_strFileName);
    EXPECT_STREQ("Office", info.m_strPrinterName);
    EXPECT_STREQ("winspool", info.m_strDriverName);
    EXPECT_STREQ("LPT1:", info.m_strPortName);
}

} // namespace
