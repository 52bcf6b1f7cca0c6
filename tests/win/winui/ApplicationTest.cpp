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
        EXPECT_EQ(app.Profile().ReadString("ViewFolder\\Title", "00", "既定"), "既定");
        EXPECT_TRUE(app.Profile().WriteString("ViewFolder\\Title", "00", "表示"));
        // The value in the real registry, under the company's and the program's names.
        EXPECT_EQ(test_registry::GetString("Software\\VezaruTest\\Mirado\\ViewFolder\\Title", "00"), "表示");
    }
    test_registry::DeleteTree("Software\\VezaruTest");
}
