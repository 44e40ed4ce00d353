// The application's start-up calls: sockets, shell registration of document types, three-dimensional
// controls.
#include "FrameTestSupport.h"

#include "classlib/DocTemplate.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ClassesValue(const char* key)
{
    char value[512] = {};
    LONG cb = sizeof(value);
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &cb) != ERROR_SUCCESS)
        return "<none>";
    return value;
}

TEST(StartupCalls, SocketsStartOnceAndKeepTheirAnswer)
{
    WSADATA first = {}, second = {};
    ASSERT_TRUE(AfxSocketInit(&first));
    EXPECT_EQ(MAKEWORD(1, 1), first.wVersion);
    EXPECT_TRUE(AfxSocketInit(&second));
    EXPECT_EQ(first.wVersion, second.wVersion);
    EXPECT_TRUE(AfxSocketInit());
}

TEST(StartupCalls, OnlyDocumentTypesWithARegistryTypeAreRegisteredWithTheShell)
{
    FrameApp app;
    EXPECT_TRUE(app.Enable3dControls());
    app.EnableShellOpen();
    EXPECT_NE(0, app.m_atomSystemTopic);
    // The program's kind of document string: every registry field empty.
    auto* pQuiet = new CMultiDocTemplate(0, RUNTIME_CLASS(TraceDoc), RUNTIME_CLASS(CFrameWnd),
                                         RUNTIME_CLASS(TraceView));
    pQuiet->SetDocStrings("\n\nLorvane Quiet\nQuiet Files (*.lvq)\n.lvq\n\n\n.LVQ\nQuiet File");
    auto* pNamed = new CMultiDocTemplate(0, RUNTIME_CLASS(SketchDoc), RUNTIME_CLASS(CFrameWnd),
                                         RUNTIME_CLASS(TraceView));
    pNamed->SetDocStrings("\n\nSketch\nSketches (*.lvs)\n.lvs\nLorvaneTest.Sketch\nLorvane Test Sketch");
    app.AddDocTemplate(pQuiet);
    app.AddDocTemplate(pNamed);
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, ".lvq");
    app.RegisterShellFileTypes(TRUE);

    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string quoted = std::string("\"") + path + "\"";
    const struct
    {
        const char* key;
        std::string value;
    } cases[] = {
        {".lvq", "<none>"},
        {".lvs", "LorvaneTest.Sketch"},
        {"LorvaneTest.Sketch", "Lorvane Test Sketch"},
        {"LorvaneTest.Sketch\\shell\\open\\command", quoted + " \"%1\""},
        {"LorvaneTest.Sketch\\shell\\print\\command", quoted + " /p \"%1\""},
        {"LorvaneTest.Sketch\\shell\\printto\\command", quoted + " /pt \"%1\" \"%2\" \"%3\" \"%4\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value, ClassesValue(c.key)) << c.key;
}

} // namespace
