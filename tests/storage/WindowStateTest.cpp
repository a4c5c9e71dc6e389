#include <gtest/gtest.h>

#include "storage/TFastIniFile.h"
#include "storage/WindowState.h"

namespace {
std::string Show(const TDesktopRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
}
std::string Show(const TFormBounds& b) {
    return std::to_string(b.Left) + "," + std::to_string(b.Top) + "," + std::to_string(b.Width) + "," +
           std::to_string(b.Height);
}
}  // namespace

TEST(WindowState, DesktopRectHoldsAllMonitors) {
    struct Case {
        const char* what;
        std::vector<TDesktopRect> monitors;
        const char* rect;
    } cases[] = {
        {"no monitor", {}, "0,0,0,0"},
        {"one", {{0, 0, 1920, 1080}}, "0,0,1920,1080"},
        {"second to the left", {{0, 0, 1920, 1080}, {-1920, 0, 0, 1080}}, "-1920,0,1920,1080"},
        {"L shape", {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}, {0, 1080, 1920, 2160}}, "0,0,3200,2160"},
    };
    for (const auto& c : cases) EXPECT_EQ(Show(DesktopRect(c.monitors)), c.rect) << c.what;
}

TEST(WindowState, ClampTestsOnlyTheCorner) {
    TDesktopRect single = DesktopRect({{0, 0, 1920, 1080}});
    TDesktopRect pair = DesktopRect({{0, 0, 1920, 1080}, {-1920, 0, 0, 1080}});
    TDesktopRect ell = DesktopRect({{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}, {0, 1080, 1920, 2160}});
    struct Case {
        const char* what;
        TFormBounds in;
        TDesktopRect desktop;
        const char* out;
    } cases[] = {
        {"left beyond the only screen", {5000, 100, 800, 600}, single, "0,100,800,600"},
        {"right edge is exclusive", {1920, 1080, 800, 600}, single, "0,0,800,600"},
        {"reaching past the edges is fine", {1800, 1000, 800, 600}, single, "1800,1000,800,600"},
        {"negative left on the second monitor", {-1500, 200, 800, 600}, pair, "-1500,200,800,600"},
        {"negative left without a monitor there", {-1500, 200, 800, 600}, single, "0,200,800,600"},
        {"gap of an L shape is not moved", {2500, 1500, 400, 300}, ell, "2500,1500,400,300"},
        {"no monitor", {10, 10, 400, 300}, TDesktopRect{}, "0,0,400,300"},
    };
    for (const auto& c : cases) {
        TFormBounds b = c.in;
        ClampToDesktop(b, c.desktop);
        EXPECT_EQ(Show(b), c.out) << c.what;
    }
}

TEST(WindowState, BoundsAreRestoredOnlyWithLeft) {
    TFastIniFile ini("unused", true);
    ini.WriteInteger("NoLeft", "Top", 5);
    ini.WriteInteger("NoLeft", "Width", 6);
    ini.WriteInteger("NoLeft", "Height", 7);
    ini.WriteInteger("OnlyLeft", "Left", 50);
    ini.WriteString("Bad", "Left", "wide");

    struct Case {
        const char* section;
        bool restored;
        const char* bounds;
    } cases[] = {
        {"Missing", false, "1,2,300,400"},
        {"NoLeft", false, "1,2,300,400"},
        {"OnlyLeft", true, "50,2,300,400"},
        {"Bad", true, "0,2,300,400"},
    };
    for (const auto& c : cases) {
        TFormBounds b{1, 2, 300, 400};
        EXPECT_EQ(ini.ReadFormBounds(c.section, b), c.restored) << c.section;
        EXPECT_EQ(Show(b), c.bounds) << c.section;
    }

    ini.Modified = false;
    ini.WriteFormBounds("FormZorenMain", {-10, 20, 640, 480});
    EXPECT_TRUE(ini.Modified);
    TFormBounds b;
    EXPECT_TRUE(ini.ReadFormBounds("formzorenmain", b));
    EXPECT_EQ(Show(b), "-10,20,640,480");
    ini.WriteFormBounds("", {1, 2, 3, 4});
    EXPECT_EQ(ini.ReadInteger("NONAMED", "Height", 0), 4);
    ini.Modified = false;
}

TEST(WindowState, ColumnsChangeOnlyWhereAKeyIsStored) {
    TFastIniFile ini("unused", true);
    std::vector<int> widths{10, 20, 30, 40, 50, 60, 70};
    ini.ReadColumns("ListView", "ListView1", widths);  // no section
    EXPECT_EQ(widths, (std::vector<int>{10, 20, 30, 40, 50, 60, 70}));

    ini.WriteInteger("ListView", "ListView1_col2", 222);
    ini.WriteInteger("ListView", "ListView1_col9", 999);
    ini.ReadColumns("ListView", "ListView1", widths);
    EXPECT_EQ(widths, (std::vector<int>{10, 222, 30, 40, 50, 60, 70}));

    TFastIniFile out("unused", true);
    out.WriteColumns("ListView", "ListView1", {1, 2, 3});
    EXPECT_TRUE(out.Modified);
    EXPECT_EQ(out.Serialize(), "[ListView]\r\nListView1_col1=1\r\nListView1_col2=2\r\nListView1_col3=3\r\n");
    out.WriteColumns("", "L", {5});
    EXPECT_EQ(out.ReadInteger("NONAMED", "L_col1", 0), 5);
    ini.Modified = out.Modified = false;
}
