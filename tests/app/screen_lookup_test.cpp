// Screen lookup where the screen cannot be read: the program goes on, typed lookups work, and the
// controller holds the one reason that the Settings window shows.
#include "app/command_line.h"
#include "app/fixture.h"
#include "app/screen_lookup.h"
#include "app/state/main_controller.h"

#include <gtest/gtest.h>

using namespace tessivo;
using namespace tessivo::testing;

namespace {

// No X server for the duration of a test.
class WithoutDisplay {
public:
    WithoutDisplay() : saved_(qgetenv("DISPLAY")) { qunsetenv("DISPLAY"); }
    ~WithoutDisplay() {
        if (!saved_.isEmpty()) qputenv("DISPLAY", saved_);
    }

private:
    QByteArray saved_;
};

int run(const QStringList& args) { return runCommandLine(QStringList{QStringLiteral("tessivo")} + args); }

}  // namespace

TEST(ScreenLookupOff, WithoutADisplayTheProgramGoesOnAndSaysWhyOnce) {
    WithoutDisplay noDisplay;
    Fixture fixture(entries(), {QStringLiteral("中国")});
    MainController controller(tables::ReferenceTables::embedded(), keyPicture);
    QString error;
    ASSERT_TRUE(controller.open(fixture.dir.path(), &error)) << error.toStdString();
    int changes = 0;
    QObject::connect(&controller, &MainController::changed, [&] { ++changes; });
    {
        ScreenLookup lookup(controller);
        lookup.start();
        EXPECT_TRUE(controller.view().screenLookupOff().contains(QStringLiteral("X11")))
            << controller.view().screenLookupOff().toStdString();
        EXPECT_EQ(changes, 1);
        ASSERT_NE(controller.lookupModes(), nullptr);
        EXPECT_TRUE(controller.lookupModes()->buttonPollEnabled());  // the click mode as always
        lookup.codeRowHovered();
        controller.typeCharacter(QStringLiteral("中"));
        EXPECT_EQ(controller.view().code().codeLine, QStringLiteral("k khk"));
        // A report still reaches the state (the pointer reads as 0,0 without a display).
        EXPECT_TRUE(controller.queryWord(QString(), 1, 2, QStringLiteral("啊"), 0, 0));
        EXPECT_EQ(controller.view().capturedCharacter(), QStringLiteral("啊"));
    }
}

TEST(ScreenLookupOff, CaptureAtChecksItsPointAndFailsClearlyWithoutADisplay) {
    WithoutDisplay noDisplay;
    EXPECT_EQ(run({QStringLiteral("--capture-at")}), 2);
    EXPECT_EQ(run({QStringLiteral("--capture-at"), QStringLiteral("12")}), 2);
    EXPECT_EQ(run({QStringLiteral("--capture-at"), QStringLiteral("a,b")}), 2);
    EXPECT_EQ(run({QStringLiteral("--capture-at"), QStringLiteral("1,2,3")}), 2);
    EXPECT_EQ(run({QStringLiteral("--capture-at"), QStringLiteral("10,20")}), 1);
}
