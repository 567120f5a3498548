#include "puzzle/start_up.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A window that takes its size in whole pixels of 15 twips, or not, and logs
// what start-up did to it in order.
class FakeWindow : public puzzle::StartUpWindow {
public:
    float screenW, screenH;
    float reportedW = -1, reportedH = -1; // what the window "actually took"; -1: as written
    float outerW = 0, outerH = 0, windowTop = 0, windowLeft = 0;
    float panelTop = 0, panelLeft = 0, panelH = 0, panelW = 0;
    std::vector<std::string> calls;

    FakeWindow(float w, float h) : screenW(w), screenH(h) {}

    // One line per recorded call reads as a table.
    // clang-format off
    void setOuterHeight(float t) override { calls.push_back("setOuterHeight"); outerH = t; }
    void setOuterWidth(float t) override { calls.push_back("setOuterWidth"); outerW = t; }
    float outerHeight() override { calls.push_back("outerHeight"); return reportedH >= 0 ? reportedH : outerH; }
    float outerWidth() override { calls.push_back("outerWidth"); return reportedW >= 0 ? reportedW : outerW; }
    void setWindowTop(float t) override { calls.push_back("setWindowTop"); windowTop = t; }
    void setWindowLeft(float t) override { calls.push_back("setWindowLeft"); windowLeft = t; }
    float screenHeight() override { calls.push_back("screenHeight"); return screenH; }
    float screenWidth() override { calls.push_back("screenWidth"); return screenW; }
    void setPanelTop(float t) override { calls.push_back("setPanelTop"); panelTop = t; }
    void setPanelLeft(float t) override { calls.push_back("setPanelLeft"); panelLeft = t; }
    void setPanelHeight(float t) override { calls.push_back("setPanelHeight"); panelH = t; }
    void setPanelWidth(float t) override { calls.push_back("setPanelWidth"); panelW = t; }
    // clang-format on
};

struct Screen {
    float width, height, reportedHeight;
    float left, top;
};

TEST(StartUp, CentresByTheSizeReadBackWithoutClamping)
{
    const Screen screens[] = {
        {15360, 11520, -1, 1800, 1120},      // 1024 x 768
        {12000, 9000, -1, 120, -140},        // 800 x 600: the caption partly off screen
        {15360, 11520, 9285, 1800, 1117.5f}, // whole pixels: 9280 became 9285
        {11000, 9285, -1, -380, 2.5f},       // narrower than the window
    };
    for (const Screen &s : screens) {
        FakeWindow w(s.width, s.height);
        w.reportedH = s.reportedHeight;
        puzzle::placeWindow(w);
        EXPECT_EQ(w.outerH, 9280);
        EXPECT_EQ(w.outerW, 11760);
        EXPECT_EQ(w.windowLeft, s.left) << s.width << " x " << s.height;
        EXPECT_EQ(w.windowTop, s.top) << s.width << " x " << s.height;
        EXPECT_EQ(w.panelTop, 120);
        EXPECT_EQ(w.panelLeft, 190);
        EXPECT_EQ(w.panelH, 8500);
        EXPECT_EQ(w.panelW, 11260);
    }
}

TEST(StartUp, ReadsTheHeightBackBeforeTheScreenAndTheWidthAfterTheTop)
{
    FakeWindow w(15360, 11520);
    puzzle::placeWindow(w);
    const std::vector<std::string> expected = {
        "setOuterHeight", "setOuterWidth", "outerHeight", "screenHeight", "setWindowTop",   "outerWidth",
        "screenWidth",    "setWindowLeft", "setPanelTop", "setPanelLeft", "setPanelHeight", "setPanelWidth",
    };
    EXPECT_EQ(w.calls, expected);
}

} // namespace
