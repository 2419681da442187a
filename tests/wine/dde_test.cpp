// The framework's DDE client against a server of the test's own: what arrives, what comes back, and what
// each owner gives back to DDEML.
#include "ui/dde.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "wine/dde_server.hpp"
#include "wine/fixture.hpp"

using namespace testing_wine;

namespace {
constexpr const char* kService = "OBSC32TEST";
constexpr const char* kTopic = "Commands";
}  // namespace

TEST(DdeClientConv, ExecutesArriveWholeAndRequestsBringTheServersBytes) {
    const std::string reply = std::string("\r\nアクセサリ\r\n") + '\0';
    TestDdeServer server(kService, kTopic, false, reply);
    ASSERT_TRUE(server.Serving());
    ui::DdeClientConv conv(nullptr, "conv");
    conv.SetLink(kService, kTopic);
    // Linking alone does not connect.
    EXPECT_FALSE(conv.Connected());
    EXPECT_FALSE(conv.ExecuteMacro("[none]"));
    EXPECT_FALSE(conv.RequestData("GROUPS", 1000));
    // A request has a conversation of its own: Wine answers it wrongly behind unanswered executes.
    ASSERT_TRUE(conv.OpenLink());
    EXPECT_EQ(conv.RequestData("GROUPS", 5000), reply);
    conv.CloseLink();
    ASSERT_TRUE(conv.OpenLink());
    EXPECT_TRUE(conv.ExecuteMacro("[AddItem(\"C:\\ソフト\\表.EXE\",\"vaz       すみかげ\")]\r\n"));
    EXPECT_TRUE(conv.ExecuteMacro(""));
    conv.CloseLink();
    EXPECT_FALSE(conv.Connected());
    EXPECT_TRUE(WaitUntil([&] { return server.Disconnections() == 2; })) << "the server was not left";
    EXPECT_EQ(server.Executes(),
              (std::vector<std::string>{"[AddItem(\"C:\\ソフト\\表.EXE\",\"vaz       すみかげ\")]\r\n", ""}));
    EXPECT_EQ(server.Connections(), 2);

    // Another link on the same component talks to the same server again.
    conv.SetLink(kService, kTopic);
    ASSERT_TRUE(conv.OpenLink());
    EXPECT_TRUE(conv.ExecuteMacro("again"));
    conv.SetLink(kService, "Other");
    EXPECT_FALSE(conv.Connected()) << "a new link closes the old conversation";
    EXPECT_TRUE(WaitUntil([&] { return server.Executes().size() == 3 && server.Disconnections() == 3; }));
}

TEST(DdeClientConv, NoServerNoConversationAndAServerGoneRefusesTheSend) {
    ui::DdeClientConv conv(nullptr, "conv");
    conv.SetLink("OBSC32NOSUCHSERVICE", kTopic);
    EXPECT_FALSE(conv.OpenLink());
    EXPECT_FALSE(conv.ExecuteMacro("[x]"));

    TestDdeServer server(kService, kTopic);
    conv.SetLink(kService, kTopic);
    ASSERT_TRUE(conv.OpenLink());
    server.Stop();
    EXPECT_FALSE(conv.ExecuteMacro("[x]")) << "sent to a server that is gone";
    conv.CloseLink();
}

TEST(DdeOwners, EachGivesBackWhatItHolds) {
    ui::DdeInstance instance = ui::InitializeDdeClient(false);
    ASSERT_TRUE(instance);
    const DWORD id = instance.Get();
    char text[64] = {};
    HSZ hsz;
    {
        ui::DdeString name = ui::DdeString::Create(id, "OBSC32", false);
        hsz = name.Get();
        ASSERT_TRUE(name);
        ui::DdeString moved = std::move(name);
        EXPECT_FALSE(name);
        EXPECT_GT(DdeQueryStringA(id, hsz, text, sizeof text, CP_WINANSI), 0u);
        EXPECT_STREQ(text, "OBSC32");
    }
    EXPECT_EQ(DdeQueryStringA(id, hsz, text, sizeof text, CP_WINANSI), 0u) << "the string handle was kept";

    HDDEDATA raw;
    {
        ui::DdeData data = ui::CreateDdeText(id, "abc", false);
        raw = data.Get();
        ASSERT_TRUE(data);
        EXPECT_EQ(DdeGetData(raw, nullptr, 0, 0), 4u) << "the text and its zero";
    }
    EXPECT_EQ(DdeGetData(raw, nullptr, 0, 0), 0u) << "the data handle was kept";

    TestDdeServer server(kService, kTopic);
    {
        ui::DdeString service = ui::DdeString::Create(id, kService, false),
                      topic = ui::DdeString::Create(id, kTopic, false);
        ui::DdeConversation conv = ui::DdeConnectTo(id, service.Get(), topic.Get());
        ASSERT_TRUE(conv);
        EXPECT_EQ(server.Connections(), 1);
    }
    EXPECT_TRUE(WaitUntil([&] { return server.Disconnections() == 1; })) << "the conversation was kept";

    instance.Reset();
    EXPECT_EQ(DdeCreateStringHandleA(id, "x", CP_WINANSI), nullptr) << "the instance was kept";
}
