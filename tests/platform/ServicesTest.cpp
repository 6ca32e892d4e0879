// SPDX-License-Identifier: MIT
#include "platform/Services.h"

#include "platform/DataObject.h"
#include "platform/testing/ScopedTestServices.h"

#include <gtest/gtest.h>

namespace lumarin::platform::test {
namespace {

using platform::testing::ScopedTestServices;

TEST(ServicesTest, HeadlessDefaultsNeverWaitAndTakeTheCautiousAnswer) {
    Services saved = CurrentServices();
    InstallServices(Services{}); // every member empty: all headless
    EXPECT_EQ(MessageBox(0, u"文本", u"标题", MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(MessageBox(0, u"Overwrite?", u"Question", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBox(0, u"Go on?", u"Question", MB_OKCANCEL), IDCANCEL);
    Services& current = CurrentServices();
    current.clipboard->SetText(u"第一章");
    EXPECT_EQ(current.clipboard->GetText(), u"第一章");
    EXPECT_FALSE(current.shell->OpenUrl(u"https://example.org/"));
    EXPECT_TRUE(current.fileDialogs->BrowseFolder(0, u"t", u"/tmp").empty());
    DoEvents();
    InstallServices(saved);
}

TEST(ServicesTest, ScopedDoublesRecordAndRestoreThePreviousServices) {
    const auto before = CurrentServices().messageBox;
    {
        ScopedTestServices services;
        services.messageBox().ScriptAnswer(IDNO);
        EXPECT_EQ(MessageBox(42, u"Text", u"Error in Subclasser.Subclass", MB_ICONWARNING), IDNO);
        EXPECT_EQ(MessageBox(0, u"Again", u"T", MB_OK), IDOK) << "script used up: default";
        const auto& calls = services.messageBox().Calls();
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[0].owner, 42);
        EXPECT_EQ(calls[0].text, u"Text");
        EXPECT_EQ(calls[0].title, u"Error in Subclasser.Subclass");
        EXPECT_EQ(calls[0].flags, MB_ICONWARNING);

        CurrentServices().eventLog->LogError(u"entry");
        EXPECT_EQ(services.eventLog().Entries(), (std::vector<std::u16string>{u"entry"}));

        CurrentServices().clipboard->Clear();
        CurrentServices().clipboard->SetText(u"x");
        EXPECT_EQ(services.clipboard().GetText(), u"x");
        EXPECT_EQ(services.clipboard().ClearCount(), 1);
        EXPECT_EQ(services.clipboard().SetCount(), 1);

        services.shell().SetSucceeds(false);
        EXPECT_FALSE(CurrentServices().shell->OpenUrl(u"https://example.org/"));
        EXPECT_EQ(services.shell().OpenedUrls().size(), 1u);

        services.fileDialogs().ScriptOpenFile(u"/tmp/小说.txt");
        const std::vector<std::pair<std::u16string, std::u16string>> filter{
            {u"文本文件(*.txt)", u"*.txt"}};
        EXPECT_EQ(CurrentServices().fileDialogs->OpenFile(0, u"Open", u"/tmp", filter),
                  u"/tmp/小说.txt");
        EXPECT_EQ(CurrentServices().fileDialogs->OpenFile(0, u"Open", u"/tmp", filter), u"");
        ASSERT_EQ(services.fileDialogs().OpenFileCalls().size(), 2u);
        EXPECT_EQ(services.fileDialogs().OpenFileCalls()[0].filter, filter);

        int pumped = 0;
        services.eventPump().OnPump([&] { ++pumped; });
        DoEvents();
        DoEvents();
        EXPECT_EQ(services.eventPump().Count(), 2);
        EXPECT_EQ(pumped, 2);
    }
    EXPECT_EQ(CurrentServices().messageBox, before);
}

TEST(ServicesTest, DataObjectFormats) {
    DataObject empty;
    EXPECT_FALSE(empty.GetFormat(vbCFFiles));
    EXPECT_FALSE(empty.GetFormat(vbCFText));
    DataObject files({u"/tmp/a.txt", u"/tmp/第二.txt"});
    EXPECT_TRUE(files.GetFormat(vbCFFiles));
    EXPECT_FALSE(files.GetFormat(vbCFText));
    EXPECT_FALSE(files.GetFormat(2));
    files.SetText(u"t");
    EXPECT_TRUE(files.GetFormat(vbCFText));
    EXPECT_EQ(files.Files().size(), 2u);
}

} // namespace
} // namespace lumarin::platform::test
