#include <gtest/gtest.h>

#include <QStringList>

#include "DepthScale.h"
#include "ProgramData.h"
#include "SideViewGeometry.h"
#include "TableDeclarations.h"

namespace keldar {
namespace {

TSideViewInput OneClayLayer() {
    // English units: one clay layer down to 50 ft, a 40 ft pile of 12 in diameter.
    return {{{1, 50}}, 40, 12, 1};
}

TEST(SideViewGeometry, OneLayerWorldWindowAndLabel) {
    TSideViewGeometry geometry;
    geometry.Rebuild(OneClayLayer());
    EXPECT_DOUBLE_EQ(static_cast<double>(geometry.PileWidth()), 1.5);
    ASSERT_EQ(geometry.Shapes().size(), 1u);
    const TWorldWindow& world = geometry.World();
    EXPECT_NEAR(static_cast<double>(world.XMin), -0.7875, 1e-12);
    EXPECT_NEAR(static_cast<double>(world.XMax), 0.7875, 1e-12);
    EXPECT_NEAR(static_cast<double>(world.YMin), 0, 1e-12);
    EXPECT_NEAR(static_cast<double>(world.YMax), 52.5, 1e-12);
    EXPECT_EQ(LayerLabel(geometry.LayerTop(0), geometry.Layers()[0].Bottom, 1, 1),
              "depth= 0 - 50 ft; Clay");
}

TEST(SideViewGeometry, LabelsNameTheSoilKind) {
    EXPECT_EQ(LayerLabel(10, 22.5, 4, 2), "depth= 10 - 22.5 m; Sand");
    EXPECT_EQ(LayerLabel(0, 3, 5, 1), "depth= 0 - 3 ft; Clay");
    EXPECT_EQ(DepthReadout(12.34), "  Depth: 12.3");
}

// The scale of the 52.5 ft profile on 600 pixels with 20-pixel text: a label every 10 ft (at
// least 120 pixels apart), ticks every 2 ft between, all at their depths' pixels.
TEST(SideViewGeometry, DepthScaleLabelsTheDepthsInItsUnit) {
    TSideViewGeometry geometry;
    geometry.Rebuild(OneClayLayer());
    ASSERT_TRUE(geometry.Fit(800, 600));
    const std::vector<TDepthMark> marks = DepthScaleMarks(0, 52.5, 600, 20);
    QStringList labels;
    for (const TDepthMark& mark : marks) {
        if (!mark.Label.isEmpty()) labels << mark.Label;
    }
    EXPECT_EQ(labels.join(' '), "0 10 20 30 40 50");
    ASSERT_EQ(marks.size(), 27u);
    EXPECT_NEAR(static_cast<double>(marks[1].Depth), 2, 1e-12);
    EXPECT_EQ(geometry.WorldToScreen({0, 50}).y(), 571);  // 50 / 52.5 of 600 pixels
    EXPECT_EQ(DepthScaleCaption(1), "Depth (ft)");
    EXPECT_EQ(DepthScaleCaption(2), "Depth (m)");
    EXPECT_TRUE(DepthScaleMarks(0, 52.5, 100, 20).empty());  // no room for a label
}

// A 12 in pile 40 ft long is 11 pixels wide drawn to scale in 600 pixels of height; in a window
// four times smaller it keeps the least width, centred on the pile's axis, and its full length.
TEST(SideViewGeometry, PileNeverAHairline) {
    TSideViewGeometry geometry;
    geometry.Rebuild(OneClayLayer());
    ASSERT_TRUE(geometry.Fit(800, 600));
    QRectF pile = geometry.PileScreenRect(6);
    EXPECT_NEAR(pile.width(), 1.5 / 52.5 * 600, 1);
    ASSERT_TRUE(geometry.Fit(200, 150));
    pile = geometry.PileScreenRect(6);
    EXPECT_DOUBLE_EQ(pile.width(), 6);
    EXPECT_NEAR(pile.center().x(), geometry.WorldToScreen({0, 0}).x(), 0.5);
    EXPECT_EQ(pile.top(), 0);
    EXPECT_EQ(pile.bottom(), geometry.WorldToScreen({0, 40}).y());
}

TEST(SideViewGeometry, PileLongerThanProfileSetsTheDepthRange) {
    TSideViewGeometry geometry;
    geometry.Rebuild({{{1, 10}, {2, 20}}, 30, 600, 2});  // S.I.: 0.6 m pile, 30 m long
    EXPECT_NEAR(static_cast<double>(geometry.PileWidth()), 0.9, 1e-12);
    EXPECT_NEAR(static_cast<double>(geometry.World().YMax), 31.5, 1e-12);
    EXPECT_NEAR(static_cast<double>(geometry.PrintedDepth()), 30, 1e-12);
    // On the printed page the pile tip stays inside the frame (90 % of the page height).
    EXPECT_NEAR(PrintPageY(30, geometry.PrintedDepth(), 0, 1000), 900, 1e-9);
    EXPECT_NEAR(PrintPageY(0, geometry.PrintedDepth(), 0, 1000), 100, 1e-9);
}

TEST(SideViewGeometry, FittingWidensOneAxisOnly) {
    TSideViewGeometry geometry;
    geometry.Rebuild(OneClayLayer());
    const TWorldWindow world = geometry.World();
    for (const auto& [width, height] : {std::pair{400, 300}, std::pair{20, 700}}) {
        ASSERT_TRUE(geometry.Fit(width, height));
        const TWorldWindow& shown = geometry.Display();
        const double across = static_cast<double>(shown.XMax - shown.XMin);
        const double down = static_cast<double>(shown.YMax - shown.YMin);
        // Same scale on both axes, and the world window still inside.
        EXPECT_NEAR(across / down, static_cast<double>(width) / height, 1e-9);
        EXPECT_TRUE((shown.XMin == world.XMin && shown.XMax == world.XMax) ||
                    (shown.YMin == world.YMin && shown.YMax == world.YMax));
        EXPECT_LE(shown.XMin, world.XMin);
        EXPECT_GE(shown.YMax, world.YMax);
    }
    // A pixel maps to its world point and back.
    const QPoint pixel(13, 250);
    EXPECT_EQ(geometry.WorldToScreen(geometry.ScreenToWorld(pixel)), pixel);
    EXPECT_EQ(geometry.WorldToScreen({0, 0}).y(), 0);
}

TEST(SideViewGeometry, NothingToScaleDisablesUntilAGoodFit) {
    TSideViewGeometry geometry;
    geometry.Rebuild({{{1, 0}}, 0, 0, 1});  // a layer and a pile without extent
    EXPECT_FALSE(geometry.Fit(300, 300));
    EXPECT_TRUE(geometry.Disabled());
    EXPECT_EQ(geometry.WorldToScreen({1, 1}), QPoint());
    geometry.Rebuild(OneClayLayer());
    EXPECT_FALSE(geometry.Fit(300, 0));  // a minimised window
    EXPECT_TRUE(geometry.Fit(300, 300));
    EXPECT_FALSE(geometry.Disabled());
}

TEST(SideViewGeometry, NoLayersKeepTheLastWindowAndDrawNoPile) {
    TSideViewGeometry geometry;
    geometry.Rebuild({{}, 40, 12, 1});
    EXPECT_TRUE(geometry.Shapes().empty());
    EXPECT_EQ(static_cast<double>(geometry.World().XMin), -10);
    EXPECT_EQ(static_cast<double>(geometry.World().YMax), 10);
    EXPECT_TRUE(geometry.Fit(200, 100));
}

TEST(SideViewGeometry, ReadsTheSoilLayerTableAndThePile) {
    TMainTables tables = TMainTables::BuiltIn();
    TProgramData project(tables);
    TGridTableChart& layers = tables.Chart("D2");
    layers.SetRowCount(2);
    layers.Cell(0, 0).SetInteger(1);
    layers.Cell(1, 0).SetFloat(12);
    layers.Cell(0, 1).SetInteger(6);
    layers.Cell(1, 1).SetFloat(30);
    project.PileLength = 25;
    project.OuterDiameter = 18;
    const TSideViewInput input = SideViewInputFrom(project);
    ASSERT_EQ(input.Layers.size(), 2u);
    EXPECT_EQ(input.Layers[1].SoilCode, 6);
    EXPECT_EQ(static_cast<double>(input.Layers[1].Bottom), 30);
    EXPECT_EQ(static_cast<double>(input.PileLength), 25);
    EXPECT_EQ(input.UnitSystem, 1);
}

}  // namespace
}  // namespace keldar
