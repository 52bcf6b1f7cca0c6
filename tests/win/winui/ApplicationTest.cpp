#include <windows.h>

#include <gtest/gtest.h>

#include "support/TestRegistry.h"
#include "winui/Application.h"

namespace {

class TestApp : public winui::Application {
public:
    TestApp(const char* name, const char* company) : Application(name, company) {}
    int Run() override { return 0; }
};

}  // namespace

TEST(Application, NamesTheProfileAndReadsItWithDefaults) {
    test_registry::DeleteTree("Software\\VezaruTest");
    {
        TestApp app("Mirado", "VezaruTest");
        EXPECT_EQ(winui::Application::Current(), &app);
        EXPECT_EQ(app.ProfileRootPath(), "Software\\VezaruTest\\Mirado");
        EXPECT_EQ(app.Instance(), GetModuleHandleA(nullptr));

        EXPECT_EQ(app.GetProfileInt("Settings", "FlagBoss", 5), 5);
        EXPECT_EQ(app.GetProfileString("ViewFolder\\Title", "00", "既定"), "既定");
        EXPECT_TRUE(app.WriteProfileInt("Settings", "FlagBoss", 1));
        EXPECT_TRUE(app.WriteProfileString("ViewFolder\\Title", "00", "表示"));
        EXPECT_EQ(app.GetProfileInt("Settings", "FlagBoss", 5), 1);
        EXPECT_EQ(app.GetProfileString("ViewFolder\\Title", "00", ""), "表示");

        // The same values through the real registry layout.
        EXPECT_EQ(test_registry::GetString("Software\\VezaruTest\\Mirado\\ViewFolder\\Title", "00"), "表示");

        {
            TestApp inner("Other", "VezaruTest");
            EXPECT_EQ(winui::Application::Current(), &inner);
        }
        EXPECT_EQ(winui::Application::Current(), &app);
    }
    EXPECT_EQ(winui::Application::Current(), nullptr);
    test_registry::DeleteTree("Software\\VezaruTest");
}
