#include "codes/fills.h"

#include "common/common.h"

#include <gtest/gtest.h>

namespace tessivo::datagen {
namespace {

const QString kPoints = QStringLiteral(" 100 200 840 900");  // two points

TEST(Fills, ClassifiesFieldTexts) {
    EXPECT_EQ(classifyFill(""), FillKind::Empty);
    EXPECT_EQ(classifyFill("0"), FillKind::KeyPicture);
    EXPECT_EQ(classifyFill(kPoints), FillKind::Points);
    EXPECT_EQ(classifyFill("16791694"), FillKind::Points);          // last unit inside the panel
    EXPECT_EQ(classifyFill(QString(72, u'1')), FillKind::Points);  // nine points of 1111
    EXPECT_EQ(classifyFill(" 100 20"), FillKind::Invalid);          // not whole points
    EXPECT_EQ(classifyFill("1680 200"), FillKind::Invalid);         // x outside the panel
    EXPECT_EQ(classifyFill(" 1001695"), FillKind::Invalid);         // y outside the panel
    EXPECT_EQ(classifyFill("100  200"), FillKind::Invalid);         // left-aligned x
    EXPECT_EQ(classifyFill("     200"), FillKind::Invalid);         // x missing
    EXPECT_EQ(classifyFill(" -10 200"), FillKind::Invalid);
    EXPECT_EQ(classifyFill(QString(80, u'1')), FillKind::Invalid);   // ten points
    EXPECT_EQ(classifyFill(" "), FillKind::Invalid);
}

TEST(Fills, ParsesOneLinePerCharacter) {
    const QSet<QString> characters{"中", "啊"};
    const auto table = parseFills("中\t" + kPoints + "\t" + kPoints + "\t0\t\r\n\n啊\t" + kPoints + "\t" + kPoints + "\t" +
                                      kPoints + "\t 500 500\n",
                                  "fills.tsv", characters);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table.at("中")[0], kPoints);
    EXPECT_EQ(table.at("中")[2], "0");
    EXPECT_EQ(table.at("中")[3], "");
    EXPECT_EQ(table.at("啊")[3], " 500 500");
}

TEST(Fills, RefusesBadLines) {
    const QSet<QString> characters{"中"};
    const auto refuses = [&](const QString& text, const char* needle) {
        try {
            parseFills(text, "fills.tsv", characters);
            ADD_FAILURE() << "accepted: " << qPrintable(text);
        } catch (const GenError& error) {
            EXPECT_NE(QString::fromUtf8(error.what()).indexOf(QString::fromUtf8(needle)), -1) << error.what();
        }
    };
    refuses("国\t" + kPoints + "\t" + kPoints + "\t0\t\n", "国");                     // not in the list
    refuses("中\t" + kPoints + "\t" + kPoints + "\t0\n", "columns");
    refuses("中\t" + QString(80, u'1') + "\t" + kPoints + "\t0\t\n", "longer than 72");
    refuses("中\tabcdefgh\t" + kPoints + "\t0\t\n", "fill1");
    refuses("中\t" + kPoints + "\t" + kPoints + "\t0\t\n中\t" + kPoints + "\t" + kPoints + "\t0\t\n", "twice");
    refuses("\n\n中\t" + kPoints + "\t" + kPoints + "\t0\t1\n", "fills.tsv:3");
    EXPECT_THROW(loadFills("/nonexistent/fills.tsv", characters), GenError);
}

TEST(Fills, MustSuitThePanelsOfTheCode) {
    const Fills fourPanels{kPoints, kPoints, kPoints, kPoints};
    const Fills fourWithKey{kPoints, kPoints, kPoints, "0"};
    const Fills threeWithKey{kPoints, kPoints, "0", ""};
    const Fills threeWithPoints{kPoints, kPoints, kPoints, ""};
    EXPECT_NO_THROW(checkFillsForCode("啊", "kbsk", fourPanels));
    EXPECT_NO_THROW(checkFillsForCode("诉", "yryy", fourWithKey));
    EXPECT_NO_THROW(checkFillsForCode("中", "khk", threeWithKey));
    EXPECT_NO_THROW(checkFillsForCode("八", "wty", threeWithPoints));
    EXPECT_NO_THROW(checkFillsForCode("一", "ggll", threeWithKey));

    // A four-panel character whose third or fourth panel would stay blank or show a key.
    EXPECT_THROW(checkFillsForCode("啊", "kbsk", threeWithKey), GenError);
    EXPECT_THROW(checkFillsForCode("啊", "kbsk", Fills{kPoints, kPoints, kPoints, ""}), GenError);
    EXPECT_THROW(checkFillsForCode("啊", "kbsk", Fills{kPoints, kPoints, "", kPoints}), GenError);
    // A three-panel character with a fourth panel, or an empty third one.
    EXPECT_THROW(checkFillsForCode("中", "khk", fourPanels), GenError);
    EXPECT_THROW(checkFillsForCode("中", "khk", Fills{kPoints, kPoints, "", ""}), GenError);
    // Panels 1 and 2 always hold points.
    EXPECT_THROW(checkFillsForCode("中", "khk", Fills{"", kPoints, "0", ""}), GenError);
    EXPECT_THROW(checkFillsForCode("中", "khk", Fills{kPoints, "0", "0", ""}), GenError);
    // A key picture needs a letter that has one (a, c, m... have none).
    EXPECT_THROW(checkFillsForCode("x", "kha", threeWithKey), GenError);
    EXPECT_THROW(checkFillsForCode("x", "kbsm", fourWithKey), GenError);
}

}  // namespace
}  // namespace tessivo::datagen
